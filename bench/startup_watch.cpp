// Starts a program and reports, in milliseconds from the start, when its
// first top-level window and when its first N top-level windows have been
// mapped and painted. A window counts as painted once it answers a
// _NET_WM_PING sent after its map: Qt answers in event order, so after the
// expose that the map caused.
//   startup_watch N PROGRAM [ARGUMENT...]
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <set>

namespace {

double millisecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

void ping(Display* display, Window window, Atom protocols, Atom pingAtom) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = protocols;
    event.xclient.format = 32;
    event.xclient.data.l[0] = long(pingAtom);
    event.xclient.data.l[1] = CurrentTime;
    event.xclient.data.l[2] = long(window);
    XSendEvent(display, window, False, NoEventMask, &event);
    XFlush(display);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: startup_watch N PROGRAM [ARGUMENT...]\n");
        return 2;
    }
    const std::size_t wanted = std::strtoul(argv[1], nullptr, 10);
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "startup_watch: no display\n");
        return 2;
    }
    const Window root = DefaultRootWindow(display);
    const Atom protocols = XInternAtom(display, "WM_PROTOCOLS", False);
    const Atom pingAtom = XInternAtom(display, "_NET_WM_PING", False);
    // Maps arrive as substructure events, ping answers as structure events.
    XSelectInput(display, root, SubstructureNotifyMask | StructureNotifyMask);
    XSync(display, False);

    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        setpgid(0, 0);  // so that the program and whatever it starts end together
        execvp(argv[2], argv + 2);
        _exit(127);
    }
    setpgid(child, child);
    std::set<Window> painted;
    double first = -1;
    while (painted.size() < wanted) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == MapNotify && !event.xmap.override_redirect) {
            ping(display, event.xmap.window, protocols, pingAtom);
        } else if (event.type == ClientMessage && event.xclient.message_type == protocols &&
                   Atom(event.xclient.data.l[0]) == pingAtom) {
            painted.insert(Window(event.xclient.data.l[2]));
            if (first < 0) first = millisecondsSince(start);
        }
        if (waitpid(child, nullptr, WNOHANG) == child) {
            std::fprintf(stderr, "startup_watch: %s ended early\n", argv[2]);
            return 1;
        }
    }
    const double all = millisecondsSince(start);
    kill(-child, SIGKILL);
    waitpid(child, nullptr, 0);
    std::printf("%.1f %.1f\n", first, all);
    return 0;
}
