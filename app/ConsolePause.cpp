// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ConsolePause.h"

#include <cstdlib>
#include <iostream>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace Pellwin {

void pauseConsole() {
    std::cout.flush();
    if (!isatty(STDIN_FILENO)) {
        return;
    }
    termios saved{};
    if (tcgetattr(STDIN_FILENO, &saved) != 0) {
        return;
    }
    termios raw = saved;
    raw.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
    raw.c_cc[VMIN] = 1;
    raw.c_cc[VTIME] = 0;
    if (tcsetattr(STDIN_FILENO, TCSANOW, &raw) == 0) {
        char key = 0;
        ssize_t got = read(STDIN_FILENO, &key, 1);
        (void)got;
        // F1 and the arrows send several bytes; let the rest arrive, then drop them with
        // the flush, or they would land at the shell prompt.
        pollfd more{STDIN_FILENO, POLLIN, 0};
        poll(&more, 1, 50);
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved);
    }
}

void exitAfterPause(int status) {
    pauseConsole();
    std::exit(status);
}

} // namespace Pellwin
