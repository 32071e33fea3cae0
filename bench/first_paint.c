// SPDX-License-Identifier: GPL-3.0-or-later
/* Starts a program and waits until its first window is painted: a top-level
 * window that is mapped, has been drawn into, and then stays unchanged for
 * QUIET_MS. Prints "milliseconds pid", the time of the last drawing before
 * the quiet, and leaves the program running, so that the caller can read its
 * memory.
 *
 *     first_paint program [arguments...]
 *
 * The clock starts just before the fork. Every new top-level window gets a
 * damage object as soon as it is created, so no drawing is missed. The first
 * drawing alone is not the end: a server paints a window's background on
 * mapping, before the program has drawn anything. Exits 1 after 20 seconds
 * without a painted window. */
#define _POSIX_C_SOURCE 200809L
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>
#include <X11/extensions/Xdamage.h>
#include <X11/Xlib.h>

static double now_ms(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

#define MAX_WINDOWS 256
#define QUIET_MS 400

int main(int argc, char* argv[]) {
    if (argc < 2) {
        fprintf(stderr, "usage: first_paint program [arguments...]\n");
        return 2;
    }
    Display* display = XOpenDisplay(NULL);
    if (!display) {
        fprintf(stderr, "first_paint: cannot open the display\n");
        return 2;
    }
    int damage_event, damage_error;
    if (!XDamageQueryExtension(display, &damage_event, &damage_error)) {
        fprintf(stderr, "first_paint: the X server has no DAMAGE extension\n");
        return 2;
    }
    Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, False);

    Window mapped[MAX_WINDOWS];
    int mapped_count = 0;
    double last_paint = -1;
    const double start = now_ms();
    const pid_t pid = fork();
    if (pid < 0) {
        perror("first_paint: fork");
        return 2;
    }
    if (pid == 0) {
        close(ConnectionNumber(display));
        /* The caller reads this helper's output, not the program's. */
        if (!freopen("/dev/null", "w", stdout) || !freopen("/dev/null", "w", stderr)) _exit(127);
        execvp(argv[1], argv + 1);
        perror("first_paint: exec");
        _exit(127);
    }

    const int fd = ConnectionNumber(display);
    for (;;) {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == CreateNotify && !event.xcreatewindow.override_redirect) {
                XDamageCreate(display, event.xcreatewindow.window, XDamageReportNonEmpty);
            } else if (event.type == MapNotify && !event.xmap.override_redirect) {
                if (mapped_count < MAX_WINDOWS) mapped[mapped_count++] = event.xmap.window;
            } else if (event.type == damage_event + XDamageNotify) {
                const XDamageNotifyEvent* damage = (const XDamageNotifyEvent*)&event;
                for (int i = 0; i < mapped_count; ++i)
                    if (mapped[i] == damage->drawable) last_paint = now_ms();
                /* Report again on the next drawing. */
                XDamageSubtract(display, damage->damage, None, None);
            }
        }
        if (last_paint >= 0 && now_ms() - last_paint >= QUIET_MS) {
            printf("%.0f %d\n", last_paint - start, (int)pid);
            return 0;
        }
        if (now_ms() - start > 20000) {
            kill(pid, SIGTERM);
            fprintf(stderr, "first_paint: no painted window within 20 s\n");
            return 1;
        }
        struct pollfd wait_for = {fd, POLLIN, 0};
        poll(&wait_for, 1, 100);
    }
}
