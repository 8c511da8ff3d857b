#pragma once

struct GLFWwindow;

namespace Pellwin {

// Every key the game reads goes through here, so tests can play the keyboard.
using KeyReader = bool (*)(GLFWwindow* window, int key);

bool isKeyPressed(GLFWwindow* window, int key);

// Replaces the keyboard; nullptr gives the real one (glfwGetKey) back.
void setKeyReader(KeyReader reader);

} // namespace Pellwin
