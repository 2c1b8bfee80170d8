// Start-up benchmark: starts a program and a bare window alternately, N times each, and prints
// how long each took to show a window and to become ready for input, and the memory it used.
// Usage: startup_bench [-n RUNS] PROGRAM.exe BARE.exe
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
    if (exes.size() != 2) {
        std::fprintf(stderr, "usage: startup_bench [-n RUNS] PROGRAM.exe BARE.exe\n");
        return 2;
    }
    // A new display puts the pointer in its middle, where both windows open: it would rest on
    // one of the program's controls, which then tracks it for its tool tip and cursor within the
    // measured time, and on the bare window's button. The pointer waits in a corner, off both
    // windows, as it would for a program started from a menu.
    ::SetCursorPos(0, 0);
    // One unmeasured start of each first: the first start after a build also reads the files
    // from disk and fills the system's caches.
    bench::probe(exes[0], kTimeoutMs);
    bench::probe(exes[1], kTimeoutMs);

    std::vector<bench::Sample> subject;
    std::vector<bench::Sample> bare;
    int failed = 0;
    for (int i = 0; i < runs; ++i) {
        // Which one goes first alternates too, so neither always follows the other.
        const bool subject_first = i % 2 == 0;
        for (int k = 0; k < 2; ++k) {
            const bool is_subject = (k == 0) == subject_first;
            const bench::Sample s = bench::probe(exes[is_subject ? 0 : 1], kTimeoutMs);
            if (!s.ok) ++failed;
            (is_subject ? subject : bare).push_back(s);
        }
    }
    std::printf("%d starts of each, alternating\n", runs);
    bench::print_table(stdout, name_of(exes[0]), subject, name_of(exes[1]), bare);
    if (failed > 0) std::printf("%d starts failed to show a window or become idle\n", failed);
    return failed > 0 ? 1 : 0;
}
