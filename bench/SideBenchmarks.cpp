// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/SideBenchmarks.h"

#include "app/GameLoop.h"
#include "app/Level.h"
#include "app/WindowSettings.h"
#include "bench/BenchGame.h"
#include "bench/BenchSupport.h"
#include "render/FrustumCulling.h"
#include "render/ParticleSystem.h"
#include "render/RenderTarget.h"
#include "render/SunVisibility.h"
#include "scene/LoadModel.h"
#include "scene/SceneCatalogue.h"
#include "sim/Camera.h"
#include "sim/Controller.h"
#include "sim/GameUpdate.h"
#include "support/BareScene.h"
#include "support/KeyScript.h"
#include "support/WinningRun.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <malloc.h>

namespace TolvaBench {

using namespace Pellwin;

namespace {

constexpr float frameSeconds = 1.0f / 60.0f;

void startBareRound() {
    layOutLevel();
    playing = true;
    goalReached = false;
}

// What the scene pass tests before it draws; the steam goes with the pot's doubled sphere.
int countVisible() {
    const glm::mat4 projection = perspectiveDegrees(90.0f, windowAspectRatio(), 0.1f, 1000.0f);
    int visible = 0;
    for (int i = 0; i < sceneObjectCount; ++i) {
        const LoadModel* object = *sceneObjectSlot(i);
        visible += sphereInFrustum(object->center, projection, camera->view, object->modelMatrix,
                                   object->radius);
    }
    return visible + sphereInFrustum(pot->center, projection, camera->view, pot->modelMatrix,
                                     2.0 * pot->radius);
}

// The scripted game at 60 frames a second in a world of mesh-less objects: input, the
// update, the sun line and every culling test, restarting whenever a round ends.
void updateWithoutGl(benchmark::State& state) {
    // Runs before the bench opens the game: the bare world takes the scene's globals.
    TolvaTest::useScriptedKeys();
    TolvaTest::buildBareScene();
    windowWidth = renderTargetWidth;
    windowHeight = renderTargetHeight;
    startBareRound();
    double roundTime = 0.0;
    int visible = 0;
    for (auto _ : state) {
        if (goalReached || roundLost || hazardHit) {
            takeLevelDown();
            startBareRound();
            roundTime = 0.0;
        }
        TolvaTest::applyScript(TolvaTest::winningRun, roundTime);
        deltaTime = frameSeconds;
        if (player->modelMatrix[3][2] <= goalZ) {
            goalReached = true;
            continue;
        }
        updateGame();
        visible += countVisible() + (sunLineBlocked() ? 1 : 0);
        roundTime += frameSeconds;
    }
    benchmark::DoNotOptimize(visible);
    TolvaTest::destroyBareScene();
}

void particleUpdates(benchmark::State& state, bool relink) {
    gameWindow();
    ParticleSystem& particles = *particleSystem;
    auto update = [&particles] {
        const float u1 = static_cast<float>(std::rand() / static_cast<double>(RAND_MAX));
        const float u2 = static_cast<float>(std::rand() / static_cast<double>(RAND_MAX));
        particles.updateParticles(frameSeconds, particleEmitterPosition, glm::vec3(u2, u1, -0.5f),
                                  glm::vec4(1.0f, 1.0f, 1.0f, 1.0f));
        glFinish();
    };
    // Three seconds of steam first, so both ways update a full cloud.
    particles.relinkEveryUpdate = false;
    for (int i = 0; i < 180; ++i) {
        update();
    }
    particles.relinkEveryUpdate = relink;
    for (auto _ : state) {
        const double start = steadyMs();
        update();
        state.SetIterationTime((steadyMs() - start) / 1000.0);
    }
    particles.relinkEveryUpdate = false;
    state.counters["particles"] = particles.particleCount;
}

// Each restart is what F1 on an end picture does, and the title frame whose F1 starts
// the next round and draws into the new render target.
void restartMemory(benchmark::State& state) {
    GLFWwindow* game = gameWindow();
    auto restartAndPlayOneFrame = [game] {
        startFreshRound();
        TolvaTest::applyScript(TolvaTest::winningRun, 0.0);
        TolvaTest::holdKey(GLFW_KEY_F1);
        runFrame(game);
        glFinish();
    };
    long afterFirst = 0;
    long afterLast = 0;
    // The allocator's side: bytes it took from the system by brk and by mmap, and bytes
    // it holds free, so growth shows as ours (in use) or the allocator's (held free).
    struct mallinfo2 first {};
    long anonFirst = 0;
    long fileFirst = 0;
    for (auto _ : state) {
        restartAndPlayOneFrame();
        afterFirst = statusKb("VmRSS");
        anonFirst = statusKb("RssAnon");
        fileFirst = statusKb("RssFile") + statusKb("RssShmem");
        first = mallinfo2();
        const double start = steadyMs();
        for (int i = 1; i < restartCount; ++i) {
            restartAndPlayOneFrame();
        }
        state.SetIterationTime((steadyMs() - start) / 1000.0 / (restartCount - 1));
        afterLast = statusKb("VmRSS");
    }
    state.counters["rss_after_1_kb"] = static_cast<double>(afterFirst);
    state.counters["rss_after_100_kb"] = static_cast<double>(afterLast);
    state.counters["growth_kb"] = static_cast<double>(afterLast - afterFirst);
    state.counters["peak_kb"] = static_cast<double>(statusKb("VmHWM"));
    // Of the growth: anonymous memory, and pages of files and shared memory (driver code
    // run for the first time, the window's image).
    state.counters["anon_growth_kb"] = static_cast<double>(statusKb("RssAnon") - anonFirst);
    state.counters["file_growth_kb"] =
        static_cast<double>(statusKb("RssFile") + statusKb("RssShmem") - fileFirst);
    const struct mallinfo2 last = mallinfo2();
    state.counters["heap_in_use_growth_kb"] =
        (static_cast<double>(last.uordblks) - static_cast<double>(first.uordblks)) / 1024.0;
    state.counters["heap_held_free_growth_kb"] =
        (static_cast<double>(last.fordblks) - static_cast<double>(first.fordblks)) / 1024.0;
    state.counters["heap_mmapped_growth_kb"] =
        (static_cast<double>(last.hblkhd) - static_cast<double>(first.hblkhd)) / 1024.0;
}

} // namespace

void registerCpuBenchmarks() {
    benchmark::RegisterBenchmark("cpu/input-update-culling", updateWithoutGl)
        ->Unit(benchmark::kMicrosecond)
        ->MinTime(0.2)
        ->Repetitions(5)
        ->ReportAggregatesOnly(true);
}

void registerParticleBenchmarks() {
    for (const auto& [name, relink] :
         {std::pair<const char*, bool>{"particles/update/linked-once", false},
          std::pair<const char*, bool>{"particles/update/relinked", true}}) {
        benchmark::RegisterBenchmark(name, particleUpdates, relink)
            ->Iterations(60)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
    }
}

void registerMemoryBenchmark() {
    benchmark::RegisterBenchmark("memory/restarts", restartMemory)
        ->Iterations(1)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
}

} // namespace TolvaBench
