// Start-up benchmark: starts two or more programs in turn, N times each, and prints how long each
// took to show a window and to become ready for input, the memory it used, and the ratios of
// each program's figures to those of each one after it (a floor, then the bare window).
// Usage: startup_bench [-n RUNS] PROGRAM.exe [FLOOR.exe] BARE.exe
#include "probe.h"
#include "summary.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

constexpr unsigned kTimeoutMs = 30000;
constexpr int kDefaultRuns = 15;

std::string name_of(const std::wstring& path)
{
    const auto slash = path.find_last_of(L"\\/");
    const std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
    return std::string(name.begin(), name.end());
}

// The k-th program to start in round `round`: each round begins with another one, and every
// other round goes the other way round, so that no program always follows the same one (with
// three, every order comes once in six rounds).
std::size_t turn(int round, std::size_t k, std::size_t count)
{
    const std::size_t first = static_cast<std::size_t>(round) % count;
    return (first + (round % 2 == 0 ? k : count - k)) % count;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    int runs = kDefaultRuns;
    std::vector<std::wstring> exes;
    for (int i = 1; i < argc; ++i) {
        if (std::wcscmp(argv[i], L"-n") == 0 && i + 1 < argc) {
            runs = std::max(1, static_cast<int>(std::wcstol(argv[++i], nullptr, 10)));
        } else {
            exes.emplace_back(argv[i]);
        }
    }
    if (exes.size() < 2) {
        std::fprintf(stderr, "usage: startup_bench [-n RUNS] PROGRAM.exe [FLOOR.exe] BARE.exe\n");
        return 2;
    }
    // A new display puts the pointer in its middle, where the windows open: it would rest on
    // one of the program's controls, which then tracks it for its tool tip and cursor within the
    // measured time, and on the bare window's button. The pointer waits in a corner, off every
    // window, as it would for a program started from a menu.
    ::SetCursorPos(0, 0);
    // One unmeasured start of each first: the first start after a build also reads the files
    // from disk and fills the system's caches.
    for (const std::wstring& exe : exes) bench::probe(exe, kTimeoutMs);

    std::vector<bench::Measured> measured;
    for (const std::wstring& exe : exes) measured.push_back({name_of(exe), {}});
    int failed = 0;
    for (int i = 0; i < runs; ++i) {
        for (std::size_t k = 0; k < exes.size(); ++k) {
            const std::size_t which = turn(i, k, exes.size());
            const bench::Sample s = bench::probe(exes[which], kTimeoutMs);
            if (!s.ok) ++failed;
            measured[which].samples.push_back(s);
        }
    }
    std::printf("%d starts of each, in turn\n", runs);
    bench::print_tables(stdout, measured);
    if (failed > 0) std::printf("%d starts failed to show a window or become idle\n", failed);
    return failed > 0 ? 1 : 0;
}
