#include "bench/GlBench.h"

#include "app/AssetPath.h"
#include "app/GameLoop.h"
#include "app/Hotkeys.h"
#include "app/KeyInput.h"
#include "app/Level.h"
#include "app/StartUp.h"
#include "app/WindowSettings.h"
#include "bench/BenchKeys.h"
#include "bench/BenchSupport.h"
#include "render/FrameRenderer.h"
#include "render/FrustumCulling.h"
#include "render/ParticleSystem.h"
#include "render/RenderTarget.h"
#include "render/ShaderProgram.h"
#include "render/SunVisibility.h"
#include "scene/LoadModel.h"
#include "scene/ModelImporter.h"
#include "scene/SceneCatalogue.h"
#include "scene/TextureCache.h"
#include "sim/Camera.h"
#include "sim/Controller.h"
#include "sim/GameUpdate.h"

#include <FreeImage.h>
#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <sys/stat.h>

namespace TolvaBench {

using namespace Pellwin;

namespace {

GLFWwindow* window = nullptr;

// The catalogue's model files, one per object, in creation order.
const char* const modelPaths[sceneObjectCount] = {
    "Resourcen\\cube.obj",           "Resourcen\\cube.obj",
    "Resourcen\\cube.obj",           "Resourcen\\cube_zentriert.obj",
    "Resourcen\\cube_zentriert.obj", "Resourcen\\cube_zentriert.obj",
    "Resourcen\\cube_zentriert.obj", "Resourcen\\cube_zentriert.obj",
    "Resourcen\\cube_zentriert.obj", "Resourcen\\cube_zentriert.obj",
    "Resourcen\\cube_zentriert.obj", "Resourcen\\sphere.obj",
    "Resourcen\\cube_zentriert.obj", "Resourcen\\Lightmap\\lightmap.obj",
    "Resourcen\\cube_zentriert.obj", "Resourcen\\cube_zentriert.obj",
    "Resourcen\\cube_zentriert.obj", "Resourcen\\cube_zentriert.obj",
    "Resourcen\\cube_zentriert.obj", "Resourcen\\cube_zentriert.obj",
    "Resourcen\\cube_zentriert.obj", "Resourcen\\cube_zentriert.obj",
    "Resourcen\\earth.obj",          "Resourcen\\moon.obj",
    "Resourcen\\pot1.obj",           "Resourcen\\metalKnife_2.obj",
    "Resourcen\\metalKnife_2.obj",   "Resourcen\\metalKnife_2.obj",
    "Resourcen\\metalKnife_2.obj",   "Resourcen\\metalKnife_2.obj",
    "Resourcen\\metalKnife_2.obj",   "Resourcen\\metalKnife_2.obj",
    "Resourcen\\cube_zentriert.obj", "Resourcen\\sphere.obj",
};

// Every picture once, in the order the game first loads them.
constexpr int pictureCount = 23;
const char* const picturePaths[pictureCount] = {
    "Resourcen\\BilderGedreht\\titel.png",
    "Resourcen\\BilderGedreht\\gameOver.png",
    "Resourcen\\BilderGedreht\\youWon.png",
    "Resourcen\\Grungemaps.png",
    "Resourcen\\BilderGedreht\\wand-02.png",
    "Resourcen\\BilderGedreht\\wintergartenFrei.png",
    "Resourcen\\WoodPlanks.png",
    "Resourcen\\sun.png",
    "Resourcen\\BilderGedreht\\Sky.png",
    "Resourcen\\marmor.png",
    "Resourcen\\stone01.png",
    "Resourcen\\gemuese.png",
    "Resourcen\\Lightmap\\Lightmap_Wood.png",
    "Resourcen\\wood02.png",
    "Resourcen\\FlareStern.png",
    "Resourcen\\FlareRing.png",
    "Resourcen\\FlareSun.png",
    "Resourcen\\FlareStern2.png",
    "Resourcen\\Flare3.png",
    "Resourcen\\pot1.png",
    "Resourcen\\MetalBare.png",
    "Resourcen\\WoodFine.png",
    "Resourcen\\pomla.png",
};

struct ShaderFile {
    const char* path;
    GLenum stage;
};
constexpr int shaderFileCount = 15;
const ShaderFile shaderFiles[shaderFileCount] = {
    {"Shader\\vbo_vao.vert", GL_VERTEX_SHADER},
    {"Shader\\vbo_vao.frag", GL_FRAGMENT_SHADER},
    {"Shader\\textur.vert", GL_VERTEX_SHADER},
    {"Shader\\textur.frag", GL_FRAGMENT_SHADER},
    {"Shader\\normals.vert", GL_VERTEX_SHADER},
    {"Shader\\normals.frag", GL_FRAGMENT_SHADER},
    {"Shader\\normals_spot.vert", GL_VERTEX_SHADER},
    {"Shader\\normals_spot.frag", GL_FRAGMENT_SHADER},
    {"Shader\\normals_spot_transp.frag", GL_FRAGMENT_SHADER},
    {"Shader\\geometry.vert", GL_VERTEX_SHADER},
    {"Shader\\geometry.geom", GL_GEOMETRY_SHADER},
    {"Shader\\particel.vert", GL_VERTEX_SHADER},
    {"Shader\\particel.frag", GL_FRAGMENT_SHADER},
    {"Shader\\basic.vert", GL_VERTEX_SHADER},
    {"Shader\\blur.frag", GL_FRAGMENT_SHADER},
};

bool roundRunning() {
    return playing && !goalReached && !roundLost && !hazardHit;
}

void countRoundEnd(RoundTally& tally) {
    ++tally.rounds;
    if (goalReached) {
        ++tally.wins;
    } else {
        ++tally.losses;
    }
}

// Title, won and lost pictures all wait for F1; the script starts over with it.
void holdStartKeys() {
    applyScript(winningRun, 0.0);
    holdKey(GLFW_KEY_F1);
}

double roundSecondsSoFar() {
    return glfwGetTime() - static_cast<double>(roundStartTime());
}

long fileBytes(const char* gamePath) {
    struct stat info {};
    if (stat(toNativePath(gamePath).c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return -1;
    }
    return static_cast<long>(info.st_size);
}

// Each measured stretch starts at the beginning of a round, so stretches of the same
// length see the same part of the track.
void startFreshRound() {
    restartLevel();
    restartFrameClock();
    playing = false;
    goalReached = false;
}

} // namespace

StartUpSplit startGame(double mainStampMs, double execToMainMs) {
    StartUpSplit split;
    split.execToMainMs = execToMainMs;
    static char program[] = "tolva-bench";
    static char width[] = "1024";
    static char height[] = "768";
    char* argv[] = {program, width, height, nullptr};
    window = openGameWindow(3, argv);
    const double windowReady = steadyMs();
    useScriptedKeys();
    setUpGame(window);
    const double setUpDone = steadyMs();
    runFrame(window);
    glFinish();
    const double titleShown = steadyMs();
    split.mainToWindowMs = windowReady - mainStampMs;
    split.setUpGameMs = setUpDone - windowReady;
    split.firstFrameMs = titleShown - setUpDone;
    split.totalMs = execToMainMs + (titleShown - mainStampMs);
    return split;
}

void stopGame() {
    setKeyReader(nullptr);
    shutDownGame();
    window = nullptr;
}

std::string glString(unsigned int name) {
    const GLubyte* text = glGetString(name);
    return text != nullptr ? reinterpret_cast<const char*>(text) : "";
}

namespace {

// The least a playing frame can do: clear the render target, blur it, swap. The blur pass
// gets the uniforms of the frame just played and leaves the ball's history as it was.
double timeFloorFrame() {
    const glm::vec3 keptPrevious = previousBallPosition;
    const glm::vec3 keptCurrent = currentBallPosition;
    const double start = steadyMs();
    glBindFramebuffer(GL_FRAMEBUFFER, sceneFramebuffer);
    glViewport(0, 0, renderTargetWidth, renderTargetHeight);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    renderMotionBlur(projectionMatrix, viewMatrix);
    glfwSwapBuffers(window);
    const double took = steadyMs() - start;
    previousBallPosition = keptPrevious;
    currentBallPosition = keptCurrent;
    return took;
}

} // namespace

WholeFrames playWholeFrames(int count, int floorCount, RoundTally& tally) {
    WholeFrames frames;
    frames.runFrame.reserve(static_cast<size_t>(count));
    // Bare frames go between the game's frames, so both see the same load on the machine.
    const int floorEvery = std::max(1, count / std::max(floorCount, 1));
    startFreshRound();
    // A game that never starts must not hang the bench.
    for (int frame = 0;
         static_cast<int>(frames.runFrame.size()) < count && frame < 4 * count + 1000; ++frame) {
        const bool wasRunning = roundRunning();
        if (wasRunning) {
            applyScript(winningRun, roundSecondsSoFar());
        } else {
            holdStartKeys();
        }
        const double start = steadyMs();
        runFrame(window);
        const double took = steadyMs() - start;
        if (wasRunning && roundRunning()) {
            frames.runFrame.push_back(took);
            if (static_cast<int>(frames.floor.size()) < floorCount &&
                frames.runFrame.size() % static_cast<size_t>(floorEvery) == 0) {
                frames.floor.push_back(timeFloorFrame());
            }
        } else if (wasRunning) {
            countRoundEnd(tally);
        }
    }
    return frames;
}

namespace {

// The scene pass's draws in its order, each timed to the end of its GPU work.
const char* const drawNames[] = {
    "player",        "rightWall",     "leftWall",      "sky",           "sun",
    "backWall",      "floor",         "counter",       "marbleSlab",    "vegetableBoard",
    "lightmapModel", "pedestal",      "earth",         "moon",          "particles",
    "pot",           "flyingKnife",   "fallingKnife1", "fallingKnife2", "fallingKnife3",
    "fallingKnife4", "fallingKnife5", "fallingKnife6", "plank1",        "plank2",
    "plank3",        "lens flares",
};
constexpr size_t drawCount = sizeof(drawNames) / sizeof(drawNames[0]);

bool passesCulling(const LoadModel* object, double radius) {
    return !cullingEnabled || sphereInFrustum(object->center, projectionMatrix, viewMatrix,
                                              object->modelMatrix, radius);
}

void timedRenderScene(std::vector<double>& costs) {
    projectionMatrix = perspectiveDegrees(90.0f, windowAspectRatio(), 0.1f, 1000.0f);
    drawnObjectCount = 0;
    viewMatrix = camera->view;
    size_t slot = 0;
    auto timed = [&costs, &slot](auto&& draw) {
        const double start = steadyMs();
        draw();
        glFinish();
        costs[slot++] += steadyMs() - start;
    };
    for (LoadModel* object : {player, rightWall, leftWall, sky, sun, backWall, Pellwin::floor,
                              counter, marbleSlab, vegetableBoard}) {
        timed([object] { drawIfVisible(object); });
    }
    timed([] {
        if (lightmapModel != nullptr && passesCulling(lightmapModel, lightmapModel->radius)) {
            lightmapModel->drawOpaque(projectionMatrix, viewMatrix);
        }
    });
    for (LoadModel* object : {pedestal, earth, moon}) {
        timed([object] { drawIfVisible(object); });
    }
    timed([] {
        if (pot == nullptr || passesCulling(pot, 2.0 * pot->radius)) {
            drawParticles();
        }
    });
    for (LoadModel* object :
         {pot, flyingKnife, fallingKnife1, fallingKnife2, fallingKnife3, fallingKnife4,
          fallingKnife5, fallingKnife6, plank1, plank2, plank3}) {
        timed([object] { drawIfVisible(object); });
    }
    timed([] {
        if (!sunLineBlocked()) {
            glDisable(GL_DEPTH_TEST);
            for (LoadModel* flare : {flareStar, flareRing, flareSun, flareStar2}) {
                drawIfVisibleBlended(flare);
            }
            glEnable(GL_DEPTH_TEST);
        }
    });
}

FrameParts playFrames(int count, RoundTally& tally, std::vector<double>* drawCosts) {
    FrameParts parts;
    startFreshRound();
    double previousFrame = glfwGetTime();
    bool ours = false;
    for (int frame = 0; static_cast<int>(parts.total.size()) < count && frame < 4 * count + 1000;
         ++frame) {
        // The loop's own tests, before the playing step.
        if (playing && player->modelMatrix[3][2] <= goalZ) {
            goalReached = true;
        }
        if (playing && roundSecondsSoFar() >= static_cast<double>(roundSeconds)) {
            roundLost = true;
        }
        if (!roundRunning()) {
            // The end and title pictures go through the real loop, with a fresh frame clock
            // so its first deltaTime does not span our frames.
            if (ours) {
                countRoundEnd(tally);
                restartFrameClock();
            }
            ours = false;
            holdStartKeys();
            runFrame(window);
            previousFrame = glfwGetTime();
            continue;
        }
        ours = true;
        applyScript(winningRun, roundSecondsSoFar());
        const double now = glfwGetTime();
        deltaTime = static_cast<float>(now - previousFrame);
        previousFrame = now;

        const double t0 = steadyMs();
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glfwPollEvents();
        glFinish();
        const double t1 = steadyMs();
        controller->handleInput();
        updateGame();
        glFinish();
        const double t2 = steadyMs();
        glBindFramebuffer(GL_FRAMEBUFFER, sceneFramebuffer);
        glViewport(0, 0, renderTargetWidth, renderTargetHeight);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        if (drawCosts != nullptr) {
            timedRenderScene(*drawCosts);
        } else {
            renderScene();
        }
        glFinish();
        const double t3 = steadyMs();
        renderMotionBlur(projectionMatrix, viewMatrix);
        glFinish();
        const double t4 = steadyMs();
        glfwSwapBuffers(window);
        if (glGetError() != GL_NO_ERROR) {
            ++parts.glErrorFrames;
        }
        glFinish();
        const double t5 = steadyMs();

        parts.clearAndEvents.push_back(t1 - t0);
        parts.inputUpdate.push_back(t2 - t1);
        parts.scene.push_back(t3 - t2);
        parts.blur.push_back(t4 - t3);
        parts.swap.push_back(t5 - t4);
        parts.total.push_back(t5 - t0);
    }
    return parts;
}

} // namespace

FrameParts playSplitFrames(int count, RoundTally& tally) {
    return playFrames(count, tally, nullptr);
}

std::vector<DrawCost> profileSceneDraws(int count) {
    std::vector<double> costs(drawCount, 0.0);
    RoundTally tally;
    const FrameParts parts = playFrames(count, tally, &costs);
    const double frames = static_cast<double>(std::max<size_t>(parts.total.size(), 1));
    std::vector<DrawCost> result;
    for (size_t i = 0; i < drawCount; ++i) {
        result.push_back({drawNames[i], costs[i] / frames});
    }
    return result;
}

RestartMemory measureRestarts(int restarts) {
    RestartMemory memory;
    memory.restarts = restarts;
    // Each restart is what F1 on an end picture does, followed by the title frame whose
    // F1 starts the next round and draws into the new render target.
    auto restartAndPlayOneFrame = [] {
        restartLevel();
        restartFrameClock();
        playing = false;
        goalReached = false;
        holdStartKeys();
        runFrame(window);
        glFinish();
    };
    restartAndPlayOneFrame();
    memory.rssAfterFirstKb = statusKb("VmRSS");
    const double start = steadyMs();
    for (int i = 1; i < restarts; ++i) {
        restartAndPlayOneFrame();
    }
    memory.msPerRestart = (steadyMs() - start) / std::max(restarts - 1, 1);
    memory.rssAfterLastKb = statusKb("VmRSS");
    return memory;
}

double timeShaderBuilds() {
    const double start = steadyMs();
    ShaderProgram* programs[8] = {
        loadShaderProgram("Shader\\vbo_vao.vert", "Shader\\vbo_vao.frag"),
        loadShaderProgram("Shader\\textur.vert", "Shader\\textur.frag"),
        loadShaderProgram("Shader\\normals.vert", "Shader\\normals.frag"),
        loadShaderProgram("Shader\\normals_spot.vert", "Shader\\normals_spot.frag"),
        loadShaderProgram("Shader\\normals_spot.vert", "Shader\\normals_spot_transp.frag"),
        loadGeometryShaderProgram("Shader\\geometry.vert", "Shader\\geometry.geom"),
        loadShaderProgram("Shader\\particel.vert", "Shader\\particel.frag"),
        loadShaderProgram("Shader\\basic.vert", "Shader\\blur.frag"),
    };
    glFinish();
    const double took = steadyMs() - start;
    for (ShaderProgram* program : programs) {
        destroyShaderProgram(program);
    }
    return took;
}

namespace {

double timeModelImports() {
    struct Mesh {
        std::vector<unsigned int> indices;
        std::vector<float> positions;
        std::vector<float> uvs;
        std::vector<float> normals;
    };
    std::vector<Mesh> meshes(sceneObjectCount);
    const double start = steadyMs();
    for (int i = 0; i < sceneObjectCount; ++i) {
        Mesh& mesh = meshes[static_cast<size_t>(i)];
        ModelImporter importer(modelPaths[i], mesh.indices, mesh.positions, mesh.uvs, mesh.normals);
    }
    return steadyMs() - start;
}

double timeTextureLoads() {
    GLuint names[pictureCount] = {};
    const double start = steadyMs();
    for (int i = 0; i < pictureCount; ++i) {
        names[i] = loadTexture(picturePaths[i]);
    }
    glFinish();
    const double took = steadyMs() - start;
    glDeleteTextures(pictureCount, names);
    return took;
}

double timeDecodes(bool convert) {
    const double start = steadyMs();
    for (const char* path : picturePaths) {
        FIBITMAP* decoded = FreeImage_Load(FIF_PNG, toNativePath(path).c_str(), 0);
        if (decoded == nullptr) {
            continue;
        }
        if (convert) {
            FIBITMAP* converted = FreeImage_ConvertTo32Bits(decoded);
            if (converted != nullptr) {
                FreeImage_Unload(converted);
            }
        }
        FreeImage_Unload(decoded);
    }
    return steadyMs() - start;
}

double timeLevelSetUp() {
    // Take the level back off first, as a restart does, so it is laid out from scratch.
    takeLevelDown();
    glFinish();
    const double start = steadyMs();
    resetLevel();
    glFinish();
    return steadyMs() - start;
}

double timeShaderCompiles() {
    GLuint shaders[shaderFileCount] = {};
    const double start = steadyMs();
    for (int i = 0; i < shaderFileCount; ++i) {
        shaders[i] = compileShaderFile(shaderFiles[i].path, shaderFiles[i].stage);
    }
    glFinish();
    const double took = steadyMs() - start;
    for (GLuint shader : shaders) {
        glDeleteShader(shader);
    }
    return took;
}

} // namespace

FreshParts measureFreshParts(int repetitions) {
    std::vector<double> shaders, models, textures, decodes, levels, floorDecodes, compiles;
    for (int i = 0; i < repetitions; ++i) {
        shaders.push_back(timeShaderBuilds());
        models.push_back(timeModelImports());
        textures.push_back(timeTextureLoads());
        decodes.push_back(timeDecodes(true));
        levels.push_back(timeLevelSetUp());
        floorDecodes.push_back(timeDecodes(false));
        compiles.push_back(timeShaderCompiles());
    }
    FreshParts parts;
    parts.shaderBuildsMs = median(shaders);
    parts.modelImportsMs = median(models);
    parts.textureLoadsMs = median(textures);
    parts.textureDecodeMs = median(decodes);
    parts.levelSetUpMs = median(levels);
    parts.floorDecodeMs = median(floorDecodes);
    parts.floorCompileMs = median(compiles);
    return parts;
}

AssetState inspectAssets() {
    AssetState state;
    const std::set<std::string> models(std::begin(modelPaths), std::end(modelPaths));
    state.modelFiles = static_cast<int>(models.size());
    for (const std::string& path : models) {
        const long bytes = fileBytes(path.c_str());
        if (bytes > 0) {
            ++state.modelFilesPresent;
            state.bytes += bytes;
        }
    }
    state.pictures = pictureCount;
    for (const char* path : picturePaths) {
        const long bytes = fileBytes(path);
        if (bytes > 0) {
            ++state.picturesPresent;
            state.bytes += bytes;
        }
    }
    return state;
}

RelinkFigures measureRelink(int updates) {
    RelinkFigures figures;
    figures.updates = updates;
    ParticleSystem& particles = *particleSystem;
    auto step = [&particles] {
        // The game's own arguments: the frame time, the emitter, a random drift, white.
        const float u1 = static_cast<float>(std::rand() / static_cast<double>(RAND_MAX));
        const float u2 = static_cast<float>(std::rand() / static_cast<double>(RAND_MAX));
        const double start = steadyMs();
        particles.updateParticles(1.0f / 60.0f, particleEmitterPosition, glm::vec3(u2, u1, -0.5f),
                                  glm::vec4(1.0f, 1.0f, 1.0f, 1.0f));
        glFinish();
        return steadyMs() - start;
    };
    // Three seconds of steam first, so both ways update a full cloud.
    particles.relinkEveryUpdate = false;
    for (int i = 0; i < 180; ++i) {
        step();
    }
    std::vector<double> once;
    for (int i = 0; i < updates; ++i) {
        once.push_back(step());
    }
    particles.relinkEveryUpdate = true;
    std::vector<double> relinked;
    for (int i = 0; i < updates; ++i) {
        relinked.push_back(step());
    }
    particles.relinkEveryUpdate = false;
    figures.linkedOnceMs = median(once);
    figures.relinkedMs = median(relinked);
    figures.particles = particles.particleCount;
    return figures;
}

} // namespace TolvaBench
