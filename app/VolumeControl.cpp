// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/VolumeControl.h"

#include "app/KeyInput.h"
#include "app/PlayerSettings.h"
#include "app/Scoreboard.h"
#include "audio/AudioDevice.h"

#include <GLFW/glfw3.h>
#include <limits>

namespace Pellwin {

namespace {

constexpr double secondsShown = 1.0;

enum VolumeKey {
    muteKey,
    quieterKey,
    quieterPadKey,
    quieterTyped,
    louderKey,
    louderPadKey,
    louderTyped,
    volumeKeyCount
};
int keyCodes[volumeKeyCount] = {GLFW_KEY_M,     GLFW_KEY_MINUS, GLFW_KEY_KP_SUBTRACT,
                                GLFW_KEY_MINUS, GLFW_KEY_EQUAL, GLFW_KEY_KP_ADD,
                                GLFW_KEY_EQUAL};
bool keyDown[volumeKeyCount] = {};
bool layoutRead = false;
double shownUntil = -1.0;
bool shownNow = false;

// GLFW names keys by their place on a US keyboard; a German one types - and + elsewhere.
int keyTyping(char wanted, int fallback) {
    for (int key = GLFW_KEY_APOSTROPHE; key <= GLFW_KEY_WORLD_2; ++key) {
        const char* name = glfwGetKeyName(key, 0);
        if (name != nullptr && name[0] == wanted && name[1] == '\0') {
            return key;
        }
    }
    return fallback;
}

void readKeyboardLayout() {
    if (!layoutRead) {
        keyCodes[quieterTyped] = keyTyping('-', GLFW_KEY_MINUS);
        keyCodes[louderTyped] = keyTyping('+', GLFW_KEY_EQUAL);
        glfwGetError(nullptr); // keys without a place on this keyboard have no name
        layoutRead = true;
    }
}

} // namespace

void takeVolumeKeys(GLFWwindow* window, double now) {
    readKeyboardLayout();
    bool pressed[volumeKeyCount] = {};
    for (int k = 0; k < volumeKeyCount; ++k) {
        pressed[k] = keyPressedAnew(window, keyCodes[k], keyDown[k]);
    }
    const bool louder = pressed[louderKey] || pressed[louderPadKey] || pressed[louderTyped];
    const bool quieter = pressed[quieterKey] || pressed[quieterPadKey] || pressed[quieterTyped];
    Settings changed = playerSettings();
    if (pressed[muteKey]) {
        changed.muted = !changed.muted;
    } else if (louder || quieter) {
        changed.volume = volumeAfterStep(changed.volume, (louder ? 1 : 0) - (quieter ? 1 : 0));
        changed.muted = false;
    } else {
        return;
    }
    changePlayerSettings(changed);
    applyVolumeSettings();
    shownUntil = now + secondsShown;
}

void drawVolumeLevel(double now) {
    // A clock set back (only the tests' clock is) leaves nothing on screen for long.
    shownNow = now < shownUntil && now >= shownUntil - secondsShown;
    if (shownNow) {
        const Settings& settings = playerSettings();
        drawNotice({{settings.muted ? "Ton aus" : volumeText(settings.volume), 0.045f}}, 0.2f);
    }
}

double volumeLevelLeavesAt() {
    return shownNow ? shownUntil : std::numeric_limits<double>::infinity();
}

bool volumeKeyHeld(GLFWwindow* window) {
    for (const int key : keyCodes) {
        if (isKeyPressed(window, key)) {
            return true;
        }
    }
    return false;
}

void applyVolumeSettings() {
    setAudioLevel(playerSettings().volume, playerSettings().muted);
}

} // namespace Pellwin
