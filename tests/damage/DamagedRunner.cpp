// SPDX-License-Identifier: GPL-3.0-or-later
// Starts the game in the current folder as a player would, holds F1 for ten frames and
// shuts down: on damaged data it goes on or ends with its message, as the game would.
#include "app/GameLoop.h"
#include "app/KeyInput.h"
#include "app/StartUp.h"

#include <GLFW/glfw3.h>
#include <iostream>

int main() {
    std::cout << "Hello Tolva" << std::endl;
    char program[] = "tolva", width[] = "1024", height[] = "768";
    char* argv[] = {program, width, height, nullptr};
    GLFWwindow* window = Pellwin::openGameWindow(3, argv);
    Pellwin::setUpGame(window);
    Pellwin::setKeyReader([](GLFWwindow*, int key) { return key == GLFW_KEY_F1; });
    int played = 0;
    while (played < 10 && Pellwin::runFrame(window)) {
        ++played;
    }
    Pellwin::shutDownGame();
    std::cout << "played " << played << " frames" << std::endl;
    return 0;
}
