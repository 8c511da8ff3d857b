// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/StartUpBenchmarks.h"

#include "app/AssetPath.h"
#include "app/GameLoop.h"
#include "app/Level.h"
#include "app/StartUp.h"
#include "bench/BenchGame.h"
#include "bench/BenchSupport.h"
#include "render/ShaderProgram.h"
#include "scene/AssetPrefetch.h"
#include "scene/ModelImporter.h"
#include "scene/SceneCatalogue.h"
#include "scene/TextureCache.h"

#include <FreeImage.h>
#include <GL/glew.h>
#include <benchmark/benchmark.h>
#include <iostream>

namespace TolvaBench {

using namespace Pellwin;

namespace {

constexpr int processRepetitions = 5;
constexpr int partRepetitions = 5;

// The catalogue's model files, one per object, in creation order.
const char* const modelPaths[] = {
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

// Every picture of the world once, in the order the game first loads them.
const std::vector<std::string>& picturePaths() {
    static const std::vector<std::string> paths = catalogueAssets().pictures;
    return paths;
}

const std::pair<const char*, GLenum> shaderFiles[] = {
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

void timedProcess(benchmark::State& state, bool bareWindow) {
    // Runs before the bench opens the game, so the child has the machine to itself.
    for (auto _ : state) {
        const double ms = timeProgramUntilReady(
            {bareWindow ? besideSelf("tolva-bench-window") : besideSelf("tolva-bench"),
             "--start-up-child"});
        if (ms < 0.0) {
            state.SkipWithError("the child process failed");
            break;
        }
        state.SetIterationTime(ms / 1000.0);
    }
}

// A part of the start-up done again, finished on the GPU. Parts without GL run before the
// game is opened, in a process as fresh as the game's at start-up.
template <typename Step> void timedPart(benchmark::State& state, Step step, bool needsGl) {
    if (needsGl) {
        gameWindow();
    }
    for (auto _ : state) {
        const double start = steadyMs();
        step();
        if (needsGl) {
            glFinish();
        }
        state.SetIterationTime((steadyMs() - start) / 1000.0);
    }
}

// The world's pictures and the lettering.
void pngDecodes() {
    std::vector<std::string> paths = picturePaths();
    paths.push_back("Resourcen\\Schrift.png");
    for (const std::string& path : paths) {
        if (FIBITMAP* decoded = FreeImage_Load(FIF_PNG, toNativePath(path).c_str(), 0)) {
            FreeImage_Unload(decoded);
        }
    }
}

void shaderCompiles() {
    for (const auto& [path, stage] : shaderFiles) {
        glDeleteShader(compileShaderFile(path, stage));
    }
}

void shaderBuilds() {
    const std::pair<const char*, const char*> programs[] = {
        {"Shader\\vbo_vao.vert", "Shader\\vbo_vao.frag"},
        {"Shader\\textur.vert", "Shader\\textur.frag"},
        {"Shader\\normals.vert", "Shader\\normals.frag"},
        {"Shader\\normals_spot.vert", "Shader\\normals_spot.frag"},
        {"Shader\\normals_spot.vert", "Shader\\normals_spot_transp.frag"},
        {"Shader\\particel.vert", "Shader\\particel.frag"},
        {"Shader\\basic.vert", "Shader\\blur.frag"},
    };
    for (const auto& [vertex, fragment] : programs) {
        destroyShaderProgram(loadShaderProgram(vertex, fragment));
    }
    destroyShaderProgram(
        loadGeometryShaderProgram("Shader\\geometry.vert", "Shader\\geometry.geom"));
}

// As scene construction does them: each file read once, each object its own copy.
void modelImports() {
    MeshSharing sharing;
    for (const char* path : modelPaths) {
        std::vector<unsigned int> indices;
        std::vector<float> positions, uvs, normals;
        ModelImporter importer(path, indices, positions, uvs, normals);
    }
}

void textureLoads() {
    std::vector<GLuint> names;
    for (const std::string& path : picturePaths()) {
        names.push_back(loadTexture(path));
    }
    glFinish();
    glDeleteTextures(static_cast<GLsizei>(names.size()), names.data());
}

void levelSetUp() {
    takeLevelDown();
    resetLevel();
}

benchmark::internal::Benchmark* registerPart(const char* name, void (*step)(), bool needsGl) {
    return benchmark::RegisterBenchmark(
               name, [step, needsGl](benchmark::State& state) { timedPart(state, step, needsGl); })
        ->Iterations(1)
        ->Repetitions(partRepetitions)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->ReportAggregatesOnly(true);
}

} // namespace

void registerStartUpBenchmarks() {
    for (const auto& [name, bareWindow] :
         {std::pair<const char*, bool>{"start-up/process", false},
          std::pair<const char*, bool>{"start-up/floor/window-process", true}}) {
        benchmark::RegisterBenchmark(name, timedProcess, bareWindow)
            ->Iterations(1)
            ->Repetitions(processRepetitions)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond)
            ->ReportAggregatesOnly(true);
    }
    registerPart("start-up/floor/png-decodes", pngDecodes, false);
    registerPart("start-up/part/model-imports", modelImports, false);
    registerPart("start-up/floor/shader-compiles", shaderCompiles, true);
    registerPart("start-up/part/shader-builds", shaderBuilds, true);
    registerPart("start-up/part/texture-loads", textureLoads, true);
    registerPart("start-up/part/level-set-up", levelSetUp, true);
}

int runStartUpChild() {
    std::cout << "Hello Tolva" << std::endl;
    static char program[] = "tolva";
    static char width[] = "1024";
    static char height[] = "768";
    char* argv[] = {program, width, height, nullptr};
    GLFWwindow* window = openGameWindow(3, argv);
    setUpGame(window);
    runFrame(window);
    glFinish();
    reportReady();
    shutDownGame();
    return 0;
}

} // namespace TolvaBench
