// Starts a GTK program again and again, alternating with a bare GTK window, and measures how long
// each takes to its first drawn frame and how much memory it holds at idle.
//
// A frame counts as drawn when the X server reports damage to the program's top-level window and
// the window's pixels are no longer one plain colour. Memory is the resident set (VmRSS) half a
// second after that frame, with nothing happening and the pointer off both windows. Run it on a
// display of its own (Xvfb).
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

struct Sample {
    double frame_ms = 0;
    double rss_kib = 0;
};

long status_kib(pid_t pid, const char* field)
{
    std::ifstream in("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(in, line);) {
        if (line.rfind(field, 0) == 0) return std::atol(line.c_str() + std::strlen(field));
    }
    return 0;
}

bool plain(Display* display, Window window)
{
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(display, window, &attributes) || attributes.width <= 0) return true;
    XImage* image = XGetImage(display, window, 0, 0, static_cast<unsigned>(attributes.width),
                              static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
    if (image == nullptr) return true;
    const unsigned long first = XGetPixel(image, 0, 0);
    bool same = true;
    for (int y = 0; y < attributes.height && same; y += 2) {
        for (int x = 0; x < attributes.width && same; x += 2)
            same = XGetPixel(image, x, y) == first;
    }
    XDestroyImage(image);
    return same;
}

int ignore_errors(Display*, XErrorEvent*)
{
    return 0; // a window may go while it is looked at
}

// One start of `program`; nothing when no frame came within the time allowed.
bool measure(Display* display, int damage_event, const std::string& program, Sample& sample)
{
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, True);
    const Clock::time_point start = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    const Clock::time_point deadline = start + std::chrono::seconds(20);
    std::vector<Damage> damages;
    bool drawn = false;
    while (!drawn && Clock::now() < deadline) {
        if (!XPending(display)) {
            pollfd fd{ConnectionNumber(display), POLLIN, 0};
            poll(&fd, 1, 10);
            continue;
        }
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == MapNotify && event.xmap.event == DefaultRootWindow(display)) {
            damages.push_back(XDamageCreate(display, event.xmap.window, XDamageReportNonEmpty));
        } else if (event.type == damage_event + XDamageNotify) {
            const auto* damage = reinterpret_cast<XDamageNotifyEvent*>(&event);
            XDamageSubtract(display, damage->damage, None, None);
            if (!plain(display, damage->drawable)) {
                sample.frame_ms =
                    std::chrono::duration<double, std::milli>(Clock::now() - start).count();
                drawn = true;
            }
        }
    }
    if (drawn) {
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        sample.rss_kib = static_cast<double>(status_kib(pid, "VmRSS:"));
    }
    for (Damage d : damages) XDamageDestroy(display, d);
    XSelectInput(display, DefaultRootWindow(display), NoEventMask);
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    XSync(display, True);
    return drawn;
}

struct Stats {
    double median, min, max;
};

Stats stats(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    const double median = n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
    return {median, v.front(), v.back()};
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s RUNS PROGRAM BARE_WINDOW\n", argv[0]);
        return 2;
    }
    const int runs = std::atoi(argv[1]);
    Display* display = XOpenDisplay(nullptr);
    int damage_event = 0;
    int damage_error = 0;
    if (display == nullptr || !XDamageQueryExtension(display, &damage_event, &damage_error)) {
        std::fprintf(stderr, "no X display with the DAMAGE extension\n");
        return 1;
    }
    XSetErrorHandler(ignore_errors);
    // A new display puts the pointer in its middle, where both windows open: it would rest on
    // one of the program's controls, whose tool tip then opens in the measured half second (and
    // loads a font of its own), and on the bare window's button, which it lights. The pointer
    // waits in a corner, off both windows, as it would for a program started from a menu.
    XWarpPointer(display, None, DefaultRootWindow(display), 0, 0, 0, 0, 0, 0);
    XSync(display, False);

    const std::string programs[2] = {argv[2], argv[3]};
    std::vector<double> frame[2], rss[2];
    for (int i = 0; i < 2 * runs; ++i) {
        const int which = i % 2;
        Sample s;
        if (!measure(display, damage_event, programs[which], s)) {
            std::fprintf(stderr, "%s drew no frame\n", programs[which].c_str());
            return 1;
        }
        frame[which].push_back(s.frame_ms);
        rss[which].push_back(s.rss_kib);
    }

    std::printf("%d runs each, alternating; the pointer off both windows\n\n", runs);
    const auto name = [](const std::string& path) { return path.substr(path.rfind('/') + 1); };
    std::printf("| %-20s | %-32s | %-32s | %-6s |\n", "GTK, median (min-max)",
                name(programs[0]).c_str(), name(programs[1]).c_str(), "ratio");
    std::printf("|%s|%s|%s|%s|\n", std::string(22, '-').c_str(), std::string(34, '-').c_str(),
                std::string(34, '-').c_str(), std::string(8, '-').c_str());
    const auto row = [](const char* name, const char* unit, const std::vector<double>& a,
                        const std::vector<double>& b) {
        const Stats p = stats(a);
        const Stats q = stats(b);
        char left[64];
        char right[64];
        std::snprintf(left, sizeof left, "%.1f (%.1f-%.1f) %s", p.median, p.min, p.max, unit);
        std::snprintf(right, sizeof right, "%.1f (%.1f-%.1f) %s", q.median, q.min, q.max, unit);
        std::printf("| %-20s | %-32s | %-32s | %5.2fx |\n", name, left, right, p.median / q.median);
    };
    row("first drawn frame", "ms", frame[0], frame[1]);
    row("resident at idle", "KiB", rss[0], rss[1]);
    XCloseDisplay(display);
    return 0;
}
