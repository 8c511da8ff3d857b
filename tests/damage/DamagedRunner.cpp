// Starts the game in the current folder exactly as a player's start would, holds F1 and
// plays a few frames, then shuts down. Tests run it on damaged data files: whatever the
// game does with them (go on, or end with its message) happens here as it would there.
#include "app/ConsolePause.h"
#include "app/GameLoop.h"
#include "app/KeyInput.h"
#include "app/StartUp.h"
#include "app/WindowSettings.h"

#include <FreeImage.h>
#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <iostream>

namespace {

constexpr int framesToPlay = 10;

// F1 held throughout: the title starts a game, and an end picture restarts it.
bool holdF1(GLFWwindow* /*window*/, int key) {
    return key == GLFW_KEY_F1;
}

} // namespace

int main() {
    std::cout << "Hello Tolva" << std::endl;
    char program[] = "tolva";
    char width[] = "1024";
    char height[] = "768";
    char* argv[] = {program, width, height, nullptr};
    GLFWwindow* window = Pellwin::openGameWindow(3, argv);
    Pellwin::setUpGame(window);
    Pellwin::setKeyReader(holdF1);
    int played = 0;
    while (played < framesToPlay && Pellwin::runFrame(window)) {
        ++played;
    }
    Pellwin::setKeyReader(nullptr);
    Pellwin::shutDownGame();
    std::cout << "played " << played << " frames" << std::endl;
    return 0;
}
