// bench_startup: how long the real program takes from its process start
// until its login window is on the X display, measured from outside the
// program: this process watches the display for the new window being mapped
// and then for its first painted pixels (the login form's dark blue border).
//
// Usage: bench_startup [--runs N] PROGRAM
// Runs PROGRAM N times (default 10) after one warm-up run, each in a fresh
// working folder, and prints the median, fastest and slowest times. Needs a
// display (DISPLAY), for example under xvfb-run.

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>


namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The login form's border colour as the display stores it (24-bit TrueColor).
constexpr unsigned long kLoginBorder = 0x000080;

std::optional<long> windowPid(Display* display, Window window) {
    static const Atom pidAtom = XInternAtom(display, "_NET_WM_PID", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, window, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format,
                           &count, &after, &data) != Success ||
        !data) {
        return std::nullopt;
    }
    std::optional<long> pid;
    if (type == XA_CARDINAL && format == 32 && count == 1) {
        pid = static_cast<long>(*reinterpret_cast<unsigned long*>(data));
    }
    XFree(data);
    return pid;
}

bool showsLoginBorder(Display* display, Window window) {
    XImage* image = XGetImage(display, window, 1, 1, 1, 1, AllPlanes, ZPixmap);
    if (!image) return false;
    const unsigned long pixel = XGetPixel(image, 0, 0) & 0xFFFFFF;
    XDestroyImage(image);
    return pixel == kLoginBorder;
}

// A failed X request (a window that vanished) must not end the benchmark.
int ignoreXErrors(Display*, XErrorEvent*) {
    return 0;
}

struct Run {
    double mappedMs = -1;
    double paintedMs = -1;
};

Run startOnce(Display* display, const std::string& program, const std::string& folder) {
    Run run;
    const Clock::time_point start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        if (chdir(folder.c_str()) != 0) _exit(127);
        setenv("QT_QPA_PLATFORM", "xcb", 1);
        execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    if (child < 0) return run;

    Window login = None;
    const int fd = ConnectionNumber(display);
    while (msSince(start) < 10000) {
        if (login == None) {
            while (XPending(display)) {
                XEvent event;
                XNextEvent(display, &event);
                if (event.type != MapNotify || event.xmap.override_redirect) continue;
                const std::optional<long> pid = windowPid(display, event.xmap.window);
                if (pid && *pid != child) continue;
                login = event.xmap.window;
                run.mappedMs = msSince(start);
                break;
            }
            if (login == None) {
                pollfd p{fd, POLLIN, 0};
                poll(&p, 1, 1);
            }
        }
        if (login != None) {
            if (showsLoginBorder(display, login)) {
                run.paintedMs = msSince(start);
                break;
            }
            usleep(500);
        }
    }
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    // Let the display forget the old window before the next start.
    XSync(display, True);
    return run;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
    int runs = 10;
    std::string program;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc) {
            runs = std::max(1, std::atoi(argv[++i]));
        } else {
            program = argv[i];
        }
    }
    if (program.empty()) {
        std::fprintf(stderr, "usage: bench_startup [--runs N] PROGRAM\n");
        return 2;
    }
    // The program starts in another folder.
    program = std::filesystem::absolute(program).string();
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "bench_startup: no X display\n");
        return 2;
    }
    XSetErrorHandler(ignoreXErrors);
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    const std::filesystem::path base =
        std::filesystem::temp_directory_path() / ("quendal-startup-" + std::to_string(getpid()));
    std::vector<double> mapped;
    std::vector<double> painted;
    for (int i = 0; i <= runs; ++i) {
        const std::filesystem::path folder = base / std::to_string(i);
        std::filesystem::create_directories(folder);
        const Run run = startOnce(display, program, folder.string());
        if (run.mappedMs < 0 || run.paintedMs < 0) {
            std::fprintf(stderr, "bench_startup: run %d: the login window did not appear\n", i);
            std::filesystem::remove_all(base);
            return 1;
        }
        // Run 0 warms the file cache and is not counted.
        if (i > 0) {
            mapped.push_back(run.mappedMs);
            painted.push_back(run.paintedMs);
        }
    }
    std::filesystem::remove_all(base);
    XCloseDisplay(display);

    std::printf("start-up of %s over %d runs (ms): median, fastest, slowest\n", program.c_str(),
                runs);
    std::printf("  login window mapped:  %7.1f %7.1f %7.1f\n", median(mapped),
                *std::min_element(mapped.begin(), mapped.end()),
                *std::max_element(mapped.begin(), mapped.end()));
    std::printf("  login window painted: %7.1f %7.1f %7.1f\n", median(painted),
                *std::min_element(painted.begin(), painted.end()),
                *std::max_element(painted.begin(), painted.end()));
    return 0;
}
