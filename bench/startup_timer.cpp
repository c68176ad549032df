// Starts a program on the X display and prints how long it took until its
// first top-level window was mapped, in milliseconds, and the program's peak
// resident set size until then, in KiB; then ends the program. Watching the
// root window for the map event itself keeps polling out of the figure.
//   startup_timer PROGRAM [ARGUMENT...]

#include <xcb/xcb.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

double now()
{
    timespec time{};
    clock_gettime(CLOCK_MONOTONIC, &time);
    return static_cast<double>(time.tv_sec) * 1e3 + static_cast<double>(time.tv_nsec) / 1e6;
}

int fail(const char *what)
{
    std::fprintf(stderr, "startup_timer: %s\n", what);
    return 1;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 2)
        return fail("usage: startup_timer PROGRAM [ARGUMENT...]");
    xcb_connection_t *x = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(x) != 0)
        return fail("cannot open the X display (DISPLAY is unset or wrong)");
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
    const uint32_t events = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(x, root, XCB_CW_EVENT_MASK, &events);
    // The subscription must be in place before the program can map anything.
    free(xcb_get_input_focus_reply(x, xcb_get_input_focus(x), nullptr));

    const double start = now();
    const pid_t child = fork();
    if (child < 0)
        return fail("cannot fork");
    if (child == 0) {
        close(xcb_get_file_descriptor(x));
        execvp(argv[1], argv + 1);
        std::perror(argv[1]);
        _exit(127);
    }

    // Waits on the display connection, looking now and then whether the
    // program ended without ever mapping a window.
    double mapped = -1;
    int status = 0;
    rusage usage{};
    bool ended = false;
    while (mapped < 0 && !ended && xcb_connection_has_error(x) == 0) {
        const std::unique_ptr<xcb_generic_event_t, decltype(&free)> event(xcb_poll_for_event(x), &free);
        if (!event) {
            ended = wait4(child, &status, WNOHANG, &usage) == child;
            pollfd display{xcb_get_file_descriptor(x), POLLIN, 0};
            poll(&display, 1, 100);
        } else if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY
                   && reinterpret_cast<xcb_map_notify_event_t *>(event.get())->override_redirect == 0) {
            mapped = now() - start;
        }
    }
    if (!ended) {
        kill(child, SIGTERM);
        wait4(child, &status, 0, &usage);
    }
    xcb_disconnect(x);
    if (mapped < 0)
        return fail("the program ended without mapping a window");
    std::printf("%.2f %ld\n", mapped, usage.ru_maxrss);
    return 0;
}
