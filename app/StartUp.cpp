// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/StartUp.h"

#include "app/AssetPath.h"
#include "app/BestTime.h"
#include "app/CommandLine.h"
#include "app/ConsolePause.h"
#include "app/GameLoop.h"
#include "app/IdleWait.h"
#include "app/KeptRuns.h"
#include "app/LevelFingerprint.h"
#include "app/PlayerSettings.h"
#include "app/WinRecord.h"
#include "app/WindowEvents.h"
#include "app/WindowSettings.h"
#include "scene/AssetPrefetch.h"
#include "scene/SceneCatalogue.h"

#include <FreeImage.h>
#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <iostream>
#include <malloc.h>

namespace Pellwin {

GLFWwindow* openGameWindow(int argc, char** argv) {
    FreeImage_Initialise(FALSE);
    windowSettings = new WindowSettings(argc, argv);
    // The world's files are read while the window opens and the programs compile, from
    // the data folder the game is going to use. The readers allocate from the main heap:
    // heaps of their own would keep some 30 MB resident after start-up, for no speed.
    mallopt(M_ARENA_MAX, 1);
    enterDataDirectory();
    startReadingAssets(catalogueAssets());
    GLFWwindow* window = createWindow();
    glfwSetWindowSizeCallback(window, onWindowSize);
    watchWindowEvents(window);
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

void runFrameLoop(GLFWwindow* window) {
    while (runFrame(window)) {
        if (pictureStaysStill(window)) {
            waitForChange(window);
        } else {
            paceFrame();
        }
    }
}

int runTolva(int argc, char** argv) {
    if (const std::optional<int> status = answerHelpOrVersion(argc, argv, std::cout, std::cerr)) {
        return *status;
    }
    std::cout << "Hello Tolva" << std::endl;
    GLFWwindow* window = openGameWindow(argc, argv);
    // Only the game itself keeps the player's record; tests and the benchmark do not.
    keepBestTimeIn(bestTimePathFromEnvironment());
    keepSettingsIn(settingsPathFromEnvironment());
    keepBestRunIn(bestRunPathFromEnvironment());
    setUpGame(window);
    loadRuns(levelFingerprint());
    runFrameLoop(window);
    shutDownGame();
    return 0;
}

} // namespace Pellwin
