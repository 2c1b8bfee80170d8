// One start of a program, measured from outside: when its first window shows, when it is ready
// for input, and how much memory it took.
#pragma once

#include <string>

namespace bench {

struct Sample {
    bool ok = false;
    double visible_ms = 0; // from CreateProcess to its first visible top-level window
    double idle_ms = 0;    // from CreateProcess to WaitForInputIdle's return
    double peak_ws_kb = 0; // peak working set
    double private_kb = 0; // private bytes (commit charge)
};

// Starts `exe` in its own folder, measures it, and ends it; gives up after `timeout_ms`.
Sample probe(const std::wstring& exe, unsigned timeout_ms);

} // namespace bench
