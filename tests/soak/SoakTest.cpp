// A long evening of play in one process: a hundred short games, each ended a different
// way and restarted with F1. The level must come back exactly as it was after start-up,
// the steam must stay within its buffers, and no GL object or error may pile up.
#include "app/GameLoop.h"
#include "render/ParticleSystem.h"
#include "scene/LoadModel.h"
#include "scene/SceneCatalogue.h"
#include "support/GlTestWindow.h"
#include "support/KeyScript.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

using namespace Pellwin;
using namespace TolvaTest;

namespace {

constexpr int rounds = 100;
constexpr int framesPerRound = 60;
constexpr float tolerance = 1e-4f;

struct ObjectState {
    glm::mat4 modelMatrix;
    glm::vec3 scaleFactor;
    glm::vec3 boxSize;
};

std::vector<ObjectState> snapshotObjects() {
    std::vector<ObjectState> states;
    for (int i = 0; i < sceneObjectCount; ++i) {
        const LoadModel* object = *sceneObjectSlot(i);
        states.push_back({object->modelMatrix, object->scaleFactor, object->boxSize});
    }
    return states;
}

float largestDifference(const glm::vec3& a, const glm::vec3& b) {
    return std::max({std::abs(a.x - b.x), std::abs(a.y - b.y), std::abs(a.z - b.z)});
}

float largestDifference(const glm::mat4& a, const glm::mat4& b) {
    float largest = 0.0f;
    for (int column = 0; column < 4; ++column) {
        for (int row = 0; row < 4; ++row) {
            largest = std::max(largest, std::abs(a[column][row] - b[column][row]));
        }
    }
    return largest;
}

// The earth and the moon keep the turn they made about +y: their place, their y axis and
// the lengths of their x and z axes come back, the direction of x and z need not.
float largestDifferenceUpToTurn(const glm::mat4& a, const glm::mat4& b) {
    const float place = largestDifference(glm::vec3(a[3]), glm::vec3(b[3]));
    const float up = largestDifference(glm::vec3(a[1]), glm::vec3(b[1]));
    const float xLength = std::abs(glm::length(glm::vec3(a[0])) - glm::length(glm::vec3(b[0])));
    const float zLength = std::abs(glm::length(glm::vec3(a[2])) - glm::length(glm::vec3(b[2])));
    const float bottomRow = std::max({std::abs(a[0][3] - b[0][3]), std::abs(a[1][3] - b[1][3]),
                                      std::abs(a[2][3] - b[2][3]), std::abs(a[3][3] - b[3][3])});
    return std::max({place, up, xLength, zLength, bottomRow});
}

// Describes every object that no longer matches its state after start-up; empty if all do.
std::string driftReport(const std::vector<ObjectState>& reference) {
    std::ostringstream report;
    for (int i = 0; i < sceneObjectCount; ++i) {
        const LoadModel* object = *sceneObjectSlot(i);
        const bool turns = object == earth || object == moon;
        const float matrix =
            turns ? largestDifferenceUpToTurn(object->modelMatrix, reference[i].modelMatrix)
                  : largestDifference(object->modelMatrix, reference[i].modelMatrix);
        const float scale = largestDifference(object->scaleFactor, reference[i].scaleFactor);
        const float box = largestDifference(object->boxSize, reference[i].boxSize);
        if (!(matrix <= tolerance && scale <= tolerance && box <= tolerance)) {
            report << " object " << i << ": matrix off by " << matrix << ", scaleFactor by "
                   << scale << ", boxSize by " << box << ";";
        }
    }
    return report.str();
}

struct LiveGlNames {
    int textures = 0;
    int buffers = 0;
    int framebuffers = 0;
    int vertexArrays = 0;
};

// Counts live GL names by probing the range the driver hands out.
LiveGlNames countLiveGlNames() {
    LiveGlNames live;
    for (GLuint name = 1; name < 4096; ++name) {
        live.textures += glIsTexture(name) ? 1 : 0;
        live.buffers += glIsBuffer(name) ? 1 : 0;
        live.framebuffers += glIsFramebuffer(name) ? 1 : 0;
        live.vertexArrays += glIsVertexArray(name) ? 1 : 0;
    }
    return live;
}

// A fixed walk over the controls, different in every round and the same in every run.
void holdPlayKeys(int round, int frame) {
    static const int controls[] = {GLFW_KEY_W,     GLFW_KEY_S,    GLFW_KEY_A,
                                   GLFW_KEY_D,     GLFW_KEY_R,    GLFW_KEY_SPACE,
                                   GLFW_KEY_RIGHT, GLFW_KEY_LEFT, GLFW_KEY_W};
    constexpr int controlCount = sizeof(controls) / sizeof(controls[0]);
    releaseAllKeys();
    const unsigned phase = static_cast<unsigned>(round * 7919 + (frame / 8) * 104729);
    holdKey(controls[phase % controlCount]);
    if (phase % 3 == 0) {
        holdKey(controls[(phase / 3) % controlCount]);
    }
    // Now and then a render setting changes mid-game: filters, culling, transparency.
    if (round % 10 == 5) {
        static const int hotkeys[] = {GLFW_KEY_F4, GLFW_KEY_F5, GLFW_KEY_F8, GLFW_KEY_F9};
        if (frame % 12 == 0) {
            holdKey(hotkeys[(frame / 12) % 4]);
        }
    }
}

// Every frame of the evening goes through here, so the steam is watched in each one.
struct Evening {
    int frames = 0;
    int firstParticleOverflow = -1;

    void frame(double step = 1.0 / 60.0) {
        stepFrame(step);
        ++frames;
        const int count = particleSystem->particleCount;
        if (firstParticleOverflow < 0 && (count < 0 || count > particleCapacity)) {
            firstParticleOverflow = frames;
        }
    }
};

// The five ways a round ends: time runs out, the goal is reached, a hazard is touched, or
// the ball leaves the track over the side or back past the start.
void endRound(Evening& evening, int round) {
    switch (round % 5) {
    case 0:
        evening.frame(roundSeconds + 0.5);
        EXPECT_FALSE(playing) << "round " << round << " should have timed out";
        return;
    case 1:
        player->setPosition(0.0f, 5.0f, goalZ - 0.5f);
        break;
    case 2:
        hazardHit = true;
        break;
    case 3:
        player->setPosition(14.0f, 5.0f, -20.0f);
        break;
    default:
        player->setPosition(0.0f, 5.0f, -4.0f);
        break;
    }
    evening.frame();
    EXPECT_FALSE(playing) << "round " << round << " should have ended";
}

} // namespace

TEST(Soak, AHundredGamesLeaveTheLevelTheParticlesAndTheGlObjectsAsTheyWere) {
    // Nothing has run since start-up built the scene and placed the level the first time.
    const std::vector<ObjectState> reference = snapshotObjects();
    ASSERT_EQ(drainGlErrors(), 0);
    useScriptedKeys();

    ConsoleCapture console;
    Evening evening;
    int firstPendingError = -1;
    std::string firstDrift;
    // GL counts a name as an object only once it has been bound, and some are first bound
    // in play; the count after the first restart is the one that must hold from then on.
    LiveGlNames firstRestart;
    LiveGlNames largest;

    for (int round = 0; round < rounds; ++round) {
        releaseAllKeys();
        holdKey(GLFW_KEY_F1);
        evening.frame();
        ASSERT_TRUE(playing) << "F1 on the title starts round " << round;
        for (int frame = 1; frame < framesPerRound - 2 && playing; ++frame) {
            holdPlayKeys(round, frame);
            evening.frame();
        }
        releaseAllKeys();
        if (playing) {
            endRound(evening, round);
        }
        holdKey(GLFW_KEY_F1);
        evening.frame();
        releaseAllKeys();
        ASSERT_FALSE(playing || goalReached || roundLost || hazardHit)
            << "F1 on the end picture of round " << round << " brings back the title";

        const std::string drift = driftReport(reference);
        if (firstDrift.empty() && !drift.empty()) {
            firstDrift = "after restart " + std::to_string(round + 1) + ":" + drift;
        }
        if (firstPendingError < 0 && drainGlErrors() != 0) {
            firstPendingError = round + 1;
        }
        const LiveGlNames live = countLiveGlNames();
        if (round == 0) {
            firstRestart = live;
        }
        largest.textures = std::max(largest.textures, live.textures);
        largest.buffers = std::max(largest.buffers, live.buffers);
        largest.framebuffers = std::max(largest.framebuffers, live.framebuffers);
        largest.vertexArrays = std::max(largest.vertexArrays, live.vertexArrays);
    }

    // A round that ended early on its own is made up for on the title.
    while (evening.frames < rounds * framesPerRound) {
        evening.frame();
    }
    EXPECT_TRUE(firstDrift.empty()) << firstDrift;
    EXPECT_EQ(evening.firstParticleOverflow, -1) << "particle count left 0.." << particleCapacity
                                                 << " in frame " << evening.firstParticleOverflow;
    EXPECT_EQ(firstPendingError, -1)
        << "a GL error was pending after restart " << firstPendingError;
    EXPECT_EQ(console.text().find("ERROR: GL Error detected"), std::string::npos);
    EXPECT_LE(largest.textures, firstRestart.textures);
    EXPECT_LE(largest.buffers, firstRestart.buffers);
    EXPECT_LE(largest.framebuffers, firstRestart.framebuffers);
    EXPECT_LE(largest.vertexArrays, firstRestart.vertexArrays);
}
