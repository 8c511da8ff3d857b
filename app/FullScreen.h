// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

struct GLFWwindow;

namespace Pellwin {

// F11 or Alt+Enter, once per press: full screen on the monitor the window is on at its
// video mode, or back to the window's last place and size.
void takeFullScreenKeys(GLFWwindow* window);
void toggleFullScreen(GLFWwindow* window);

} // namespace Pellwin
