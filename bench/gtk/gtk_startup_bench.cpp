// Starts GTK programs in turn again and again (the program, its floor, a bare GTK window), and
// measures how long each takes to its first drawn frame and how much memory it holds at idle, and
// the ratios of each one's figures to those of each one after it.
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

// The k-th program to start in round `round`: each round begins with another one, and every
// other round goes the other way round, so that no program always follows the same one (with
// three, every order comes once in six rounds).
std::size_t turn(int round, std::size_t k, std::size_t count)
{
    const std::size_t first = static_cast<std::size_t>(round) % count;
    return (first + (round % 2 == 0 ? k : count - k)) % count;
}

struct Measured {
    std::string name;
    std::vector<double> frame_ms;
    std::vector<double> rss_kib;
};

void print_tables(const std::vector<Measured>& programs)
{
    struct Row {
        const char* name;
        const char* unit;
        std::vector<double> Measured::*values;
    };
    const Row rows[] = {{"first drawn frame", "ms", &Measured::frame_ms},
                        {"resident at idle", "KiB", &Measured::rss_kib}};

    std::printf("| %-25s |", "GTK, median (min-max)");
    for (const Measured& p : programs) std::printf(" %-32s |", p.name.c_str());
    std::printf("\n|---|");
    for (std::size_t i = 0; i < programs.size(); ++i) std::printf("---|");
    std::printf("\n");
    for (const Row& row : rows) {
        std::printf("| %-25s |", row.name);
        for (const Measured& p : programs) {
            const Stats s = stats(p.*row.values);
            char cell[64];
            std::snprintf(cell, sizeof cell, "%.1f (%.1f-%.1f) %s", s.median, s.min, s.max,
                          row.unit);
            std::printf(" %-32s |", cell);
        }
        std::printf("\n");
    }

    std::printf("\n| %-25s |", "GTK, ratio of the medians");
    for (std::size_t a = 0; a < programs.size(); ++a) {
        for (std::size_t b = a + 1; b < programs.size(); ++b)
            std::printf(" %s / %s |", programs[a].name.c_str(), programs[b].name.c_str());
    }
    std::printf("\n|---|");
    for (std::size_t i = 1; i < programs.size(); ++i) {
        for (std::size_t j = i; j < programs.size(); ++j) std::printf("---:|");
    }
    std::printf("\n");
    for (const Row& row : rows) {
        std::printf("| %-25s |", row.name);
        for (std::size_t a = 0; a < programs.size(); ++a) {
            for (std::size_t b = a + 1; b < programs.size(); ++b) {
                const int width =
                    static_cast<int>(programs[a].name.size() + programs[b].name.size()) + 3;
                std::printf(" %*.2fx |", width - 1,
                            stats(programs[a].*row.values).median /
                                stats(programs[b].*row.values).median);
            }
        }
        std::printf("\n");
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s RUNS PROGRAM [FLOOR] BARE_WINDOW\n", argv[0]);
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
    // A new display puts the pointer in its middle, where the windows open: it would rest on
    // one of the program's controls, whose tool tip then opens in the measured half second (and
    // loads a font of its own), and on the bare window's button, which it lights. The pointer
    // waits in a corner, off every window, as it would for a program started from a menu.
    XWarpPointer(display, None, DefaultRootWindow(display), 0, 0, 0, 0, 0, 0);
    XSync(display, False);

    const std::vector<std::string> paths(argv + 2, argv + argc);
    std::vector<Measured> programs;
    for (const std::string& path : paths)
        programs.push_back({path.substr(path.rfind('/') + 1), {}, {}});
    // One unmeasured start of each first: the first program on a new display also picks the
    // display's OpenGL visuals (which loads Mesa), and the first start after a build reads the
    // files from disk.
    for (const std::string& path : paths) {
        Sample s;
        measure(display, damage_event, path, s);
    }
    for (int i = 0; i < runs; ++i) {
        for (std::size_t k = 0; k < paths.size(); ++k) {
            const std::size_t which = turn(i, k, paths.size());
            Sample s;
            if (!measure(display, damage_event, paths[which], s)) {
                std::fprintf(stderr, "%s drew no frame\n", paths[which].c_str());
                return 1;
            }
            programs[which].frame_ms.push_back(s.frame_ms);
            programs[which].rss_kib.push_back(s.rss_kib);
        }
    }

    std::printf("%d runs each, in turn; the pointer off every window\n\n", runs);
    print_tables(programs);
    XCloseDisplay(display);
    return 0;
}
