// Level layout and the restart that undoes it, on mesh-less objects. The restart is run
// without its render target, which is the only part of it that needs GL.
#include "app/Level.h"
#include "app/GameLoop.h"
#include "scene/LoadModel.h"
#include "scene/SceneCatalogue.h"
#include "sim/Controller.h"
#include "sim/GameUpdate.h"
#include "support/BareScene.h"

#include <cmath>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace Pellwin;

namespace {

struct Placement {
    glm::mat4 modelMatrix;
    glm::vec3 scaleFactor;
    glm::vec3 boxSize;
};

std::vector<Placement> snapshot() {
    std::vector<Placement> all;
    for (int i = 0; i < sceneObjectCount; ++i) {
        const LoadModel* object = *sceneObjectSlot(i);
        all.push_back({object->modelMatrix, object->scaleFactor, object->boxSize});
    }
    return all;
}

const char* nameOf(const LoadModel* object) {
    struct Named {
        LoadModel** global;
        const char* name;
    };
    const Named all[] = {
        {&titleScreen, "titleScreen"},
        {&gameOverScreen, "gameOverScreen"},
        {&youWonScreen, "youWonScreen"},
        {&rightWall, "rightWall"},
        {&leftWall, "leftWall"},
        {&backWall, "backWall"},
        {&frontWall, "frontWall"},
        {&Pellwin::floor, "floor"},
        {&sun, "sun"},
        {&sky, "sky"},
        {&marbleSlab, "marbleSlab"},
        {&stoneDisc, "stoneDisc"},
        {&vegetableBoard, "vegetableBoard"},
        {&lightmapModel, "lightmapModel"},
        {&pedestal, "pedestal"},
        {&plank1, "plank1"},
        {&plank2, "plank2"},
        {&plank3, "plank3"},
        {&flareStar, "flareStar"},
        {&flareRing, "flareRing"},
        {&flareSun, "flareSun"},
        {&flareStar2, "flareStar2"},
        {&earth, "earth"},
        {&moon, "moon"},
        {&pot, "pot"},
        {&flyingKnife, "flyingKnife"},
        {&fallingKnife1, "fallingKnife1"},
        {&fallingKnife2, "fallingKnife2"},
        {&fallingKnife3, "fallingKnife3"},
        {&fallingKnife4, "fallingKnife4"},
        {&fallingKnife5, "fallingKnife5"},
        {&fallingKnife6, "fallingKnife6"},
        {&counter, "counter"},
        {&player, "player"},
    };
    for (const Named& n : all) {
        if (*n.global == object) {
            return n.name;
        }
    }
    return "?";
}

bool isEarthOrMoon(int slot) {
    const LoadModel* object = *sceneObjectSlot(slot);
    return object == earth || object == moon;
}

// Everything of every object as at the first placement; earth and moon keep their turn, so
// for them only position, scale and box are compared.
void expectSamePlacement(const std::vector<Placement>& first, const char* when) {
    const double tolerance = 1e-4;
    for (int i = 0; i < sceneObjectCount; ++i) {
        const LoadModel* object = *sceneObjectSlot(i);
        const bool turned = isEarthOrMoon(i);
        for (int c = 0; c < 4; ++c) {
            for (int r = 0; r < 4; ++r) {
                if (turned && c < 3) {
                    continue;
                }
                EXPECT_NEAR(object->modelMatrix[c][r], first[i].modelMatrix[c][r], tolerance)
                    << when << ": " << nameOf(object) << ", matrix [" << c << "][" << r << "]";
            }
        }
        for (int k = 0; k < 3; ++k) {
            EXPECT_NEAR(object->scaleFactor[k], first[i].scaleFactor[k], tolerance)
                << when << ": " << nameOf(object) << ", scaleFactor[" << k << "]";
            EXPECT_NEAR(object->boxSize[k], first[i].boxSize[k], tolerance)
                << when << ": " << nameOf(object) << ", boxSize[" << k << "]";
        }
    }
}

class LevelTest : public ::testing::Test {
protected:
    void SetUp() override {
        TolvaTest::buildBareScene();
        deltaTime = 1.0f / 60.0f;
    }

    void TearDown() override { TolvaTest::destroyBareScene(); }

    // The F1 restart as the main loop runs it, minus the new render target.
    static void restartWithoutGl() {
        takeLevelDown();
        roundLost = false;
        hazardHit = false;
        raisedLevel = false;
        placeLevelObjects();
    }

    // A stretch of play that moves, turns and scales what a game moves, turns and scales.
    static void play(int round) {
        player->translate(0.3f * static_cast<float>(round % 3) - 0.3f, 0.0f, -2.0f);
        player->rotate(0.0f, 1.0f, 0.0f, 7.0f + static_cast<float>(round));
        for (LoadModel* knife : {fallingKnife1, fallingKnife2, fallingKnife3, fallingKnife4,
                                 fallingKnife5, fallingKnife6}) {
            knife->translateByTime(0.5f + 0.1f * static_cast<float>(round), 0.0f, -1.2f, 0.0f);
        }
        controller->rightSteps = 12;
        controller->leftSteps = -12;
        for (int f = 0; f < 6; ++f) {
            // Big steps towards the sun, so the flares grow in every frame.
            player->translate(0.0f, 0.0f, -3.0f);
            updateGame();
        }
    }
};

TEST_F(LevelTest, StartPlacement) {
    placeLevelObjects();

    const glm::vec3 ball = translationOf(player->modelMatrix);
    EXPECT_FLOAT_EQ(ball.x, 0.0f);
    EXPECT_FLOAT_EQ(ball.y, 5.0f);
    EXPECT_FLOAT_EQ(ball.z, -9.0f);
    for (int c = 0; c < 3; ++c) {
        for (int r = 0; r < 3; ++r) {
            EXPECT_FLOAT_EQ(player->modelMatrix[c][r], c == r ? 1.0f : 0.0f);
        }
    }

    // The flares are put at the ball and then, by the set-up's own flare placement, spread
    // along the line to the sun at (-2, 11, -102).
    const glm::vec3 toSun = glm::vec3(-2.0f, 11.0f, -102.0f) - ball;
    const LoadModel* flares[4] = {flareStar, flareRing, flareSun, flareStar2};
    const float along[4] = {0.075f, 0.185f, 0.45f, 0.475f};
    for (int i = 0; i < 4; ++i) {
        const glm::vec3 at = translationOf(flares[i]->modelMatrix);
        const glm::vec3 expected = ball + along[i] * toSun;
        EXPECT_NEAR(at.x, expected.x, 1e-3) << "flare " << i;
        EXPECT_NEAR(at.y, expected.y, 1e-3) << "flare " << i;
        EXPECT_NEAR(at.z, expected.z, 1e-3) << "flare " << i;
    }

    // fallingKnife1: scaled 5.5, turned -90 degrees about +y (its x axis points along +z).
    const glm::mat4& knife = fallingKnife1->modelMatrix;
    EXPECT_FLOAT_EQ(knife[3][0], -10.0f);
    EXPECT_FLOAT_EQ(knife[3][1], 30.0f);
    EXPECT_FLOAT_EQ(knife[3][2], -20.0f);
    EXPECT_NEAR(knife[0][0], 0.0f, 1e-5);
    EXPECT_NEAR(knife[0][2], 5.5f, 1e-5);
    EXPECT_NEAR(knife[2][0], -5.5f, 1e-5);
    EXPECT_NEAR(knife[1][1], 5.5f, 1e-5);

    // flyingKnife: turned +90 degrees (its x axis points along -z, its -z along -x).
    const glm::mat4& flying = flyingKnife->modelMatrix;
    EXPECT_FLOAT_EQ(flying[3][0], 20.0f);
    EXPECT_FLOAT_EQ(flying[3][1], 5.0f);
    EXPECT_FLOAT_EQ(flying[3][2], -12.0f);
    EXPECT_NEAR(flying[0][2], -1.0f, 1e-5);
    EXPECT_NEAR(flying[2][0], 1.0f, 1e-5);
    EXPECT_NEAR(flying[1][1], 1.0f, 1e-5);

    EXPECT_TRUE(knivesFalling);
    EXPECT_EQ(controller->barriers[0], marbleSlab);
    EXPECT_EQ(controller->barriers[1], plank1);
    EXPECT_EQ(controller->barriers[2], plank2);
}

TEST_F(LevelTest, HazardSlotsHoldTheKnivesInOrder) {
    placeLevelObjects();
    for (int round = 0; round < 2; ++round) {
        EXPECT_EQ(hazardSlots[0], fallingKnife1);
        EXPECT_EQ(hazardSlots[1], fallingKnife2);
        EXPECT_EQ(hazardSlots[2], fallingKnife3);
        EXPECT_EQ(hazardSlots[3], fallingKnife4);
        EXPECT_EQ(hazardSlots[4], fallingKnife5);
        EXPECT_EQ(hazardSlots[5], fallingKnife6);
        restartWithoutGl();
    }
}

TEST_F(LevelTest, TenRestartsLeaveEveryObjectAsPlaced) {
    placeLevelObjects();
    const std::vector<Placement> first = snapshot();
    for (int round = 1; round <= 10; ++round) {
        restartWithoutGl();
    }
    expectSamePlacement(first, "after ten restarts");
    // Without play, earth and moon have not turned either.
    for (int i = 0; i < sceneObjectCount; ++i) {
        if (isEarthOrMoon(i)) {
            for (int c = 0; c < 3; ++c) {
                for (int r = 0; r < 3; ++r) {
                    EXPECT_NEAR((*sceneObjectSlot(i))->modelMatrix[c][r],
                                first[i].modelMatrix[c][r], 1e-4);
                }
            }
        }
    }
}

TEST_F(LevelTest, RestartsAfterPlayLeaveEveryObjectAsPlaced) {
    placeLevelObjects();
    const std::vector<Placement> first = snapshot();
    for (int round = 1; round <= 10; ++round) {
        play(round);
        restartWithoutGl();
        expectSamePlacement(first, ("restart " + std::to_string(round)).c_str());
        EXPECT_FALSE(roundLost);
        EXPECT_FALSE(hazardHit);
        EXPECT_FALSE(raisedLevel);
        EXPECT_TRUE(knivesFalling);
    }
    // The game did turn the earth, and the turn carried over.
    EXPECT_GT(std::fabs(earth->modelMatrix[0][2]), 0.1f);
}

TEST_F(LevelTest, RestartAfterRollingBackKeepsTheFlareSizes) {
    placeLevelObjects();
    const std::vector<Placement> first = snapshot();
    // A game lost by rolling back past z = -5: the last flare placement saw the ball
    // farther from the sun than the start.
    player->setPosition(0.0f, 5.0f, -4.9f);
    updateGame();
    ASSERT_TRUE(roundLost);
    restartWithoutGl();
    expectSamePlacement(first, "after a game lost at the start line");
}

TEST_F(LevelTest, RestartGivesBackTheFullSteeringBudget) {
    placeLevelObjects();
    controller->rightSteps = 30;
    controller->leftSteps = -30;
    restartWithoutGl();
    EXPECT_EQ(controller->rightSteps, 0);
    EXPECT_EQ(controller->leftSteps, 0);
}

} // namespace

TEST_F(LevelTest, AThousandRestartsLeaveTheKnivesExactlyInPlace) {
    placeLevelObjects();
    std::vector<glm::mat4> first;
    for (LoadModel* knife : {flyingKnife, fallingKnife1, fallingKnife2, fallingKnife3,
                             fallingKnife4, fallingKnife5, fallingKnife6}) {
        first.push_back(knife->modelMatrix);
    }
    for (int i = 0; i < 1000; ++i) {
        play(i % 5);
        restartWithoutGl();
    }
    size_t index = 0;
    for (LoadModel* knife : {flyingKnife, fallingKnife1, fallingKnife2, fallingKnife3,
                             fallingKnife4, fallingKnife5, fallingKnife6}) {
        for (int c = 0; c < 4; ++c) {
            for (int r = 0; r < 4; ++r) {
                EXPECT_EQ(knife->modelMatrix[c][r], first[index][c][r])
                    << "knife " << index << " element " << c << "," << r;
            }
        }
        EXPECT_EQ(knife->scaleFactor, glm::vec3(index == 0 ? 1.0f : 5.5f));
        ++index;
    }
}

TEST_F(LevelTest, AKnifeUndoneFromTheWrongSideIsNotForcedBack) {
    placeLevelObjects();
    unplaceKnife(fallingKnife1, -1.0f); // placed with -1: the right undo is +1
    EXPECT_NEAR(fallingKnife1->modelMatrix[0][0], -1.0f, 1e-5f) << "turned round, not reset";
}
