// Starts a program, watches for its first visible window and its first idle moment, reads its
// memory counters, then ends it.
#include "probe.h"

#include <windows.h>
#include <psapi.h>

#include <thread>

namespace bench {
namespace {

// Memory is read a little after both events, so that the first paint has happened.
constexpr DWORD kSettleMs = 150;

double now_ms()
{
    static const double ticks_per_ms = [] {
        LARGE_INTEGER f;
        ::QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart) / 1000.0;
    }();
    LARGE_INTEGER t;
    ::QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / ticks_per_ms;
}

struct Search {
    DWORD pid;
    bool found;
};

BOOL CALLBACK visible_window_of(HWND hwnd, LPARAM param)
{
    auto* search = reinterpret_cast<Search*>(param);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    if (pid == search->pid && ::IsWindowVisible(hwnd)) {
        search->found = true;
        return FALSE;
    }
    return TRUE;
}

bool has_visible_window(DWORD pid)
{
    Search search{pid, false};
    ::EnumWindows(visible_window_of, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Committed memory that belongs to the process alone. Counted region by region: Wine leaves the
// counters' PrivateUsage at zero.
SIZE_T private_bytes(HANDLE process)
{
    SIZE_T total = 0;
    MEMORY_BASIC_INFORMATION region{};
    const char* address = nullptr;
    while (::VirtualQueryEx(process, address, &region, sizeof region) == sizeof region) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += region.RegionSize;
        const char* next = static_cast<const char*>(region.BaseAddress) + region.RegionSize;
        if (next <= address) break;
        address = next;
    }
    return total;
}

std::wstring folder_of(const std::wstring& exe)
{
    const auto slash = exe.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring(L".") : exe.substr(0, slash);
}

} // namespace

Sample probe(const std::wstring& exe, unsigned timeout_ms)
{
    Sample sample;
    std::wstring command = L"\"" + exe + L"\"";
    const std::wstring folder = folder_of(exe);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const double start = now_ms();
    if (!::CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          folder.c_str(), &startup, &process)) {
        return sample;
    }
    // Input idle is waited for on a thread of its own, so that the window search never delays it.
    double idle_at = -1;
    std::thread idle([&] {
        if (::WaitForInputIdle(process.hProcess, timeout_ms) == 0) idle_at = now_ms();
    });
    double visible_at = -1;
    while (now_ms() - start < timeout_ms) {
        if (has_visible_window(process.dwProcessId)) {
            visible_at = now_ms();
            break;
        }
        if (::WaitForSingleObject(process.hProcess, 1) == WAIT_OBJECT_0) break;
    }
    idle.join();
    if (visible_at >= 0 && idle_at >= 0) {
        ::Sleep(kSettleMs);
        PROCESS_MEMORY_COUNTERS_EX memory{};
        memory.cb = sizeof memory;
        if (::GetProcessMemoryInfo(process.hProcess,
                                   reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                                   sizeof memory)) {
            sample.ok = true;
            sample.visible_ms = visible_at - start;
            sample.idle_ms = idle_at - start;
            sample.peak_ws_kb = static_cast<double>(memory.PeakWorkingSetSize) / 1024.0;
            sample.private_kb = static_cast<double>(private_bytes(process.hProcess)) / 1024.0;
        }
    }
    ::TerminateProcess(process.hProcess, 0);
    ::WaitForSingleObject(process.hProcess, 5000);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return sample;
}

} // namespace bench
