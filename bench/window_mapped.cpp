// Starts a program in a session of its own and prints how long it took until
// its main window was mapped: "<pid> <milliseconds>". The program keeps
// running; the caller measures it and ends its session.
//
//   window_mapped TITLE TIMEOUT_S -- PROGRAM [ARGS...]
//
// The clock starts just before exec. The main window is the first top-level
// window (not override-redirect) mapped by a process of that session whose
// title contains TITLE; other windows are reported on stderr and skipped.
// Waiting for MapNotify events costs the measured programs no CPU, unlike
// polling with a tool per look.

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <sys/select.h>
#include <sys/types.h>
#include <unistd.h>

namespace {

double nowMs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

std::string windowTitle(Display* dpy, Window w) {
    const Atom netName = XInternAtom(dpy, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(dpy, "UTF8_STRING", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::string title;
    if (XGetWindowProperty(dpy, w, netName, 0, 1024, False, utf8, &type, &format, &count, &after,
                           &data) == Success &&
        data) {
        title.assign(reinterpret_cast<char*>(data), count);
        XFree(data);
    }
    if (title.empty()) {
        char* name = nullptr;
        if (XFetchName(dpy, w, &name) && name) {
            title = name;
            XFree(name);
        }
    }
    return title;
}

long windowPid(Display* dpy, Window w) {
    const Atom netPid = XInternAtom(dpy, "_NET_WM_PID", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    long pid = -1;
    if (XGetWindowProperty(dpy, w, netPid, 0, 1, False, XA_CARDINAL, &type, &format, &count, &after,
                           &data) == Success &&
        data) {
        if (count == 1)
            pid = static_cast<long>(*reinterpret_cast<unsigned long*>(data));
        XFree(data);
    }
    return pid;
}

bool inSession(long pid, pid_t session) {
    return pid > 0 && getsid(static_cast<pid_t>(pid)) == session;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 5 || std::strcmp(argv[3], "--") != 0) {
        std::fprintf(stderr, "usage: %s TITLE TIMEOUT_S -- PROGRAM [ARGS...]\n", argv[0]);
        return 2;
    }
    const std::string wanted = argv[1];
    const double timeoutMs = std::atof(argv[2]) * 1000.0;
    Display* dpy = XOpenDisplay(nullptr);
    if (!dpy) {
        std::fprintf(stderr, "window_mapped: no X display\n");
        return 2;
    }
    const Window root = DefaultRootWindow(dpy);
    XSelectInput(dpy, root, SubstructureNotifyMask);
    XSync(dpy, False);

    const double start = nowMs();
    const pid_t child = fork();
    if (child < 0)
        return 2;
    if (child == 0) {
        setsid();
        // The program's output goes where ours errors go, so that a caller
        // reading our one line is not kept waiting by the running program.
        dup2(2, 1);
        execvp(argv[4], argv + 4);
        std::fprintf(stderr, "window_mapped: cannot run %s: %s\n", argv[4], std::strerror(errno));
        _exit(127);
    }

    const int fd = ConnectionNumber(dpy);
    for (;;) {
        while (XPending(dpy)) {
            XEvent ev;
            XNextEvent(dpy, &ev);
            if (ev.type != MapNotify || ev.xmap.override_redirect)
                continue;
            const double at = nowMs();
            const Window w = ev.xmap.window;
            const long pid = windowPid(dpy, w);
            if (pid != child && !inSession(pid, child))
                continue;
            const std::string title = windowTitle(dpy, w);
            if (title.find(wanted) == std::string::npos) {
                std::fprintf(stderr, "window_mapped: skipped window \"%s\" at %.0f ms\n",
                             title.c_str(), at - start);
                continue;
            }
            std::printf("%d %.1f\n", static_cast<int>(child), at - start);
            return 0;
        }
        const double left = timeoutMs - (nowMs() - start);
        if (left <= 0)
            break;
        fd_set fds;
        FD_ZERO(&fds);
        FD_SET(fd, &fds);
        timeval tv{static_cast<time_t>(left / 1000),
                   static_cast<suseconds_t>(static_cast<long>(left) % 1000 * 1000)};
        select(fd + 1, &fds, nullptr, nullptr, &tv);
    }
    std::fprintf(stderr, "window_mapped: no window \"%s\" within %s s\n", wanted.c_str(), argv[2]);
    std::printf("%d -1\n", static_cast<int>(child));
    return 1;
}
