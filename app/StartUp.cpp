#include "app/StartUp.h"

#include "app/AssetPath.h"
#include "app/ConsolePause.h"
#include "app/GameLoop.h"
#include "app/WindowSettings.h"
#include "scene/SceneCatalogue.h"

#include <FreeImage.h>
#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <iostream>
#include <malloc.h>

namespace Pellwin {

GLFWwindow* openGameWindow(int argc, char** argv) {
    // Big blocks (the two 3 MB buffers of the render target that every restart makes
    // anew, decoded pictures) are mapped and handed back whole when freed. Left to itself
    // the allocator keeps them in its heap once the first has been freed, and restarts
    // then leave their resident memory a few MB higher at random.
    mallopt(M_MMAP_THRESHOLD, 1 << 20);
    FreeImage_Initialise(FALSE);
    windowSettings = new WindowSettings(argc, argv);
    // The world's files are read while the window opens and the programs compile, from
    // the data folder the game is going to use.
    enterDataDirectory();
    startReadingAssets(catalogueAssets());
    GLFWwindow* window = createWindow();
    glfwSetWindowSizeCallback(window, onWindowSize);
    glfwMakeContextCurrent(window);
    glewExperimental = GL_TRUE;
    if (glewInit() != GLEW_OK) {
        std::cout << "ERROR: Could not init GLEW" << std::endl;
        glfwTerminate();
        exitAfterPause(-1);
    }
    // GLEW probes extensions the core profile no longer knows; that is not the game's error.
    for (int i = 0; i < 8 && glGetError() != GL_NO_ERROR; ++i) {
    }
    return window;
}

int runTolva(int argc, char** argv) {
    std::cout << "Hello Tolva" << std::endl;
    GLFWwindow* window = openGameWindow(argc, argv);
    setUpGame(window);
    while (runFrame(window)) {
        paceFrame();
    }
    shutDownGame();
    return 0;
}

} // namespace Pellwin
