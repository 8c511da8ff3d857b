// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

struct GLFWwindow;

namespace Pellwin {

// A still picture (the title, the won or lost picture, a paused game) is drawn only when
// something changed; between such frames the loop waits for events.

// After each frame: whether the next frame would draw the same still picture again. Not so
// when the frame changed the screen, or while a key the pictures read is held (those act
// per frame, with their debounce).
bool pictureStaysStill(GLFWwindow* window);

// Waits until a key or pad button the pictures read goes down, the window changes size,
// needs drawing again or is asked to close, the overlay's text changes, or the sound device
// came or went; then takes the frame clock afresh, so the next frame is one frame long.
// Pads and sound are asked at least every `stillPollSeconds`.
void waitForChange(GLFWwindow* window);
constexpr double stillPollSeconds = 0.05;

// How the loop waits for events; nullptr gives glfwWaitEventsTimeout back.
using EventWaiter = void (*)(double seconds);
void setEventWaiter(EventWaiter waiter);

} // namespace Pellwin
