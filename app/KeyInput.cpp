#include "app/KeyInput.h"

#include <GLFW/glfw3.h>

namespace Pellwin {

static bool readGlfwKey(GLFWwindow* window, int key) {
    return glfwGetKey(window, key) == GLFW_PRESS;
}

static KeyReader currentReader = readGlfwKey;

bool isKeyPressed(GLFWwindow* window, int key) {
    return currentReader(window, key);
}

void setKeyReader(KeyReader reader) {
    currentReader = reader != nullptr ? reader : readGlfwKey;
}

} // namespace Pellwin
