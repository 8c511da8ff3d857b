// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

struct GLFWwindow;

namespace Pellwin {

// Installs the focus, minimise and redraw callbacks beside the size callback.
void watchWindowEvents(GLFWwindow* window);

// GLFW's callbacks; tests deliver what a window manager would. Losing the focus or being
// minimised pauses a game in play, and it stays paused when the window comes back.
void onWindowFocus(GLFWwindow* window, int focused);
void onWindowIconify(GLFWwindow* window, int iconified);
void onWindowRefresh(GLFWwindow* window);

// Whether the system asked for the picture again (uncovered, mapped) since the last call.
bool takeRedrawRequest();

} // namespace Pellwin
