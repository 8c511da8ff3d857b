// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/LevelFingerprint.h"

#include "scene/LoadModel.h"
#include "scene/SceneCatalogue.h"
#include "sim/WorldRules.h"

#include <cstring>

namespace Pellwin {

namespace {

std::uint64_t fingerprint = 0;

// FNV-1a over the values' bytes.
struct Hash {
    std::uint64_t value = 0xcbf29ce484222325ULL;
    template <typename T> void add(const T& thing) {
        unsigned char bytes[sizeof(T)];
        std::memcpy(bytes, &thing, sizeof(T));
        for (const unsigned char byte : bytes) {
            value = (value ^ byte) * 0x100000001b3ULL;
        }
    }
};

} // namespace

std::uint64_t measureLevelFingerprint() {
    Hash hash;
    for (const float rule : {roundSeconds,
                             goalZ,
                             trackEdgeX,
                             startEdgeZ,
                             trackHeight,
                             worktopEndZ,
                             slabNearZ,
                             slabFarZ,
                             raisedTrackHeight,
                             rollSpeed,
                             ballBaseSpeed,
                             forwardFactor,
                             fastForwardFactor,
                             backFactor,
                             sidewaysSpeed,
                             sidewaysDrift,
                             jumpHeight,
                             jumpSeconds,
                             steeringDegreesPerSecond,
                             knifeSideX,
                             knifeStartHeight,
                             knifeFallSpeed,
                             knifeResetHeight,
                             flyingKnifeSpeed}) {
        hash.add(rule);
    }
    hash.add(raisedLevelHeight);
    hash.add(longestStepSeconds);
    hash.add(steeringFrameLimit);
    hash.add(mostSteps);
    hash.add(knifeStarts);
    const auto addObject = [&hash](const LoadModel* object) {
        if (object != nullptr) {
            hash.add(object->modelMatrix);
            hash.add(object->boxSize);
            hash.add(object->scaleFactor);
        }
    };
    for (const LoadModel* object : {player, marbleSlab, plank1, plank2, flyingKnife}) {
        addObject(object);
    }
    for (LoadModel** const knife : fallingKnives) {
        addObject(*knife);
    }
    addObject(pot);
    return hash.value;
}

void takeLevelFingerprint() {
    fingerprint = measureLevelFingerprint();
}

std::uint64_t levelFingerprint() {
    return fingerprint;
}

} // namespace Pellwin
