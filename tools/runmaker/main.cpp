// SPDX-License-Identifier: GPL-3.0-or-later
// Plays the shipped route through the game's own update in the bare level at 60 frames a
// second and writes the won game as the shipped run: tolva-runmaker Resourcen/Musterlauf.tlvr
#include "app/LevelFingerprint.h"
#include "runmaker/BareGame.h"
#include "runmaker/ShippedRoute.h"
#include "support/BareScene.h"

#include <cstdio>
#include <iostream>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: tolva-runmaker <run file>" << std::endl;
        return 2;
    }
    TolvaTest::layOutBareLevel();
    Pellwin::takeLevelFingerprint();
    const TolvaTest::BareGame game =
        TolvaTest::playBareGame(TolvaTest::shippedRoute, [](int) { return 1.0f / 60.0f; });
    std::string problem;
    if (!game.won) {
        std::cerr << "the route does not reach the goal" << std::endl;
        return 1;
    }
    if (!Pellwin::writeRun(argv[1], game.run, problem)) {
        std::cerr << problem << std::endl;
        return 1;
    }
    std::printf("%s: %d frames, %.2f s\n", argv[1], int(game.run.frames.size()),
                game.hundredths / 100.0);
    TolvaTest::destroyBareScene();
    return 0;
}
