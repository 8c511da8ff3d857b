// SPDX-License-Identifier: GPL-3.0-or-later
// The level's layout and the restart that undoes it, without GL: every object against the
// level's own table, first and after thousands of restarts that follow real play.
#include "app/Level.h"
#include "app/GameLoop.h"
#include "scene/LoadModel.h"
#include "scene/SceneCatalogue.h"
#include "sim/Controller.h"
#include "sim/GameUpdate.h"
#include "support/BareLevel.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace Pellwin;

namespace {

struct Row {
    LoadModel** object;
    const char* name;
    glm::vec3 position, scale;
    glm::vec3 box = glm::vec3(-1.0f); // -1: the level does not set it
    float turn = 0.0f;                // degrees about +y
};

const glm::vec3 sunAt(-2, 11, -102), start(0, 5, -9);
const glm::vec3 knifeScale(5.5f), knifeBox(2.8f, 0.35f, 0.1f), flareBox(0.5f);

glm::vec3 flareAt(float along) {
    return start + along * (sunAt - start);
}

const Row table[] = {
    {&gameOverScreen, "gameOverScreen", {1, -2, 0}, {5, 5, 0}},
    {&youWonScreen, "youWonScreen", {1, -2, 0}, {5, 5, 0}},
    {&titleScreen, "titleScreen", {1, -2, 0}, {5, 5, 0}},
    {&player, "player", start, {1, 1, 1}, {1, 1, 1}},
    {&rightWall, "rightWall", {15, 0, 0}, {0, 20, 100}},
    {&leftWall, "leftWall", {-15, 0, 0}, {0, 20, 100}},
    {&backWall, "backWall", {0, 0, -100}, {30, 20, 0}},
    {&frontWall, "frontWall", {0, 0, 0}, {30, 20, 0}},
    {&Pellwin::floor, "floor", {0, 0, 0}, {30, 0, 100}},
    {&sun, "sun", sunAt, {5, 5, 0}},
    {&sky, "sky", {0, 0, -104}, {30, 20, 0}},
    {&marbleSlab, "marbleSlab", {0, 5, -30}, {20, 0.5f, 20}, {1, 1, 1}},
    {&stoneDisc, "stoneDisc", {0, 5.01f, -60}, {10, 0, 10}},
    {&vegetableBoard, "vegetableBoard", {-15, 5, -20}, {1, 9, 16}},
    {&lightmapModel, "lightmapModel", {-14.99f, 5.01f, -55}, {1, 1, 1}},
    {&pedestal, "pedestal", {-13.49f, 0, -53.5f}, {3, 5, 3}},
    {&plank1, "plank1", {-1, 5, -15}, {4.5f, 2, 0.5f}, {1, 0.5f, 8.5f}},
    {&plank2, "plank2", {1, 5, -70}, {4.5f, 2, 0.5f}, {1, 0.5f, 8.5f}},
    {&plank3, "plank3", {0, -5, 0}, {0, 0, 0}},
    {&flareStar, "flareStar", flareAt(0.075f), {0.5f, 0.5f, 0}, flareBox},
    {&flareRing, "flareRing", flareAt(0.185f), {0.65f, 0.65f, 0}, flareBox},
    {&flareSun, "flareSun", flareAt(0.45f), {1.3f, 1.3f, 0}, flareBox},
    {&flareStar2, "flareStar2", flareAt(0.475f), {2, 2, 0}, flareBox},
    {&earth, "earth", {0, 8.5f, -40}, {1, 1, 1}},
    {&moon, "moon", {0, 8.5f, -40}, {0.3f, 0.3f, 0.3f}},
    {&pot, "pot", {-5, 5, -70}, {2, 1, 1}, {1, 1.5f, 1}},
    {&flyingKnife, "flyingKnife", {20, 5, -12}, {1, 1, 1}, {1, 1, 0.1f}, 90},
    {&fallingKnife1, "fallingKnife1", {-10, 30, -20}, knifeScale, knifeBox, -90},
    {&fallingKnife2, "fallingKnife2", {10, 30, -25}, knifeScale, knifeBox, 90},
    {&fallingKnife3, "fallingKnife3", {-10, 30, -40}, knifeScale, knifeBox, -90},
    {&fallingKnife4, "fallingKnife4", {10, 30, -45}, knifeScale, knifeBox, 90},
    {&fallingKnife5, "fallingKnife5", {-10, 30, -60}, knifeScale, knifeBox, -90},
    {&fallingKnife6, "fallingKnife6", {10, 30, -65}, knifeScale, knifeBox, 90},
    {&counter, "counter", {0, 0, -5}, {20, 5, 95}},
};

bool near(glm::vec3 a, glm::vec3 b) {
    return glm::length(a - b) < 1e-4f;
}

// Every object as the table has it; earth and moon may have turned.
void expectAsTheTableSays(int restart) {
    for (const Row& row : table) {
        const LoadModel& o = **row.object;
        const glm::mat4& m = o.modelMatrix;
        const float a = radiansFromDegrees(row.turn);
        const glm::vec3 xAxis = row.scale.x * glm::vec3(std::cos(a), 0, -std::sin(a));
        const bool turns = *row.object == earth || *row.object == moon;
        EXPECT_TRUE(near(translationOf(m), row.position)) << row.name << ", restart " << restart;
        EXPECT_TRUE(near(o.scaleFactor, row.scale)) << row.name << ", restart " << restart;
        EXPECT_TRUE(turns || near(glm::vec3(m[0]), xAxis)) << row.name << ", restart " << restart;
        EXPECT_TRUE(row.box.x < 0 || near(o.boxSize, row.box)) << row.name;
        if (::testing::Test::HasFailure()) {
            return;
        }
    }
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(hazardSlots[i], *table[27 + i].object) << "hazard slot " << i + 1;
    }
}

// A stretch of play that moves, turns and grows what a game moves, turns and grows.
void play(int round) {
    player->translate(0.3f * float(round % 3) - 0.3f, 0.0f, -2.0f);
    player->rotate(0.0f, 1.0f, 0.0f, 7.0f + float(round % 20));
    controller->rightSteps = 12;
    controller->leftSteps = -12;
    for (int frame = 0; frame < 4; ++frame) {
        player->translate(0.0f, 0.0f, -3.0f); // towards the sun: the flares grow
        updateGame();
    }
    raisedLevel = roundLost = hazardHit = true;
}

using LevelTest = TolvaTest::BareLevel;

} // namespace

TEST_F(LevelTest, ThousandsOfRestartsAfterPlayLayEverythingOutAsTheTableSays) {
    expectAsTheTableSays(0);
    for (int restart = 1; restart <= 3000 && !HasFailure(); ++restart) {
        play(restart);
        takeLevelDown();
        EXPECT_EQ(controller->rightSteps, 0);
        EXPECT_EQ(controller->leftSteps, 0);
        layOutLevel();
        EXPECT_FALSE(raisedLevel || roundLost || hazardHit) << "restart " << restart;
        expectAsTheTableSays(restart);
    }
}
