// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Hotkeys.h"

#include "app/GameLoop.h"
#include "app/KeyInput.h"
#include "scene/TextureCache.h"

#include <GLFW/glfw3.h>
#include <iostream>

namespace Pellwin {

bool printFrameTime = false;
bool printObjectCount = false;
bool cullingEnabled = false;
bool transparencyEnabled = true;
bool filterNearest = false;
bool filterLinear = true;
bool filterMipmapLinear = false;

namespace {

constexpr double debounceSeconds = 0.3;
constexpr GLuint listEndMarker = 0xFFFFFFFFu;

enum HotkeySlot { slotF2, slotF4, slotF5, slotF7, slotF8, slotF9, hotkeyCount };
double keyReadyTime[hotkeyCount] = {0.0, 0.0, 0.0, 0.0, 0.0, 0.0};

bool hotkeyFires(GLFWwindow* window, int key, HotkeySlot slot, double now) {
    if (!isKeyPressed(window, key) || !(now > keyReadyTime[slot])) {
        return false;
    }
    keyReadyTime[slot] = now + debounceSeconds;
    return true;
}

// Copies the cached names into the list; one slot always stays free for the end marker.
int copyTextureNames(GLuint (&names)[textureListSlots]) {
    for (GLuint& name : names) {
        name = listEndMarker;
    }
    int count = 0;
    for (const auto& entry : textureCache) {
        if (count >= textureListSlots - 1) {
            break;
        }
        names[count++] = entry.second;
    }
    return count;
}

const char* const qualityPrefix = "Texturqualit\xE4t: ";

void toggleTextureFilter() {
    if (!filterNearest) {
        applyTextureFilter(GL_NEAREST, true);
        std::cout << qualityPrefix << "Nearest" << std::endl;
        filterNearest = true;
        filterLinear = false;
    } else {
        applyTextureFilter(GL_LINEAR, true);
        std::cout << qualityPrefix << "Linear" << std::endl;
        filterNearest = false;
        filterLinear = true;
    }
}

void cycleTextureFilter() {
    if (filterMipmapLinear) {
        applyTextureFilter(GL_LINEAR, false);
        std::cout << qualityPrefix << "Linear" << std::endl;
        filterLinear = true;
        filterMipmapLinear = false;
    } else if (filterLinear) {
        applyTextureFilter(GL_NEAREST_MIPMAP_NEAREST, false);
        std::cout << qualityPrefix << "mm Nearest" << std::endl;
        filterLinear = false;
    } else {
        applyTextureFilter(GL_LINEAR_MIPMAP_LINEAR, false);
        std::cout << qualityPrefix << "mm Linear" << std::endl;
        filterMipmapLinear = true;
        filterLinear = false;
    }
    filterNearest = false;
}

} // namespace

void resetRenderSettings() {
    printFrameTime = false;
    printObjectCount = false;
    cullingEnabled = false;
    transparencyEnabled = true;
    filterNearest = false;
    filterLinear = true;
    filterMipmapLinear = false;
    for (double& ready : keyReadyTime) {
        ready = 0.0;
    }
}

void applyTextureFilter(GLenum filter, bool printProgress) {
    // The list is copied afresh before each texture and again for its filter, and each
    // copy prints its length without a line end: that count, twice per texture and once
    // more at the end marker, is the pass's progress on the console (three textures and F5
    // print 3333333 before the message).
    GLuint names[textureListSlots];
    for (int i = 0;; ++i) {
        std::cout << copyTextureNames(names);
        if (names[i] == listEndMarker) {
            break;
        }
        std::cout << copyTextureNames(names);
        glBindTexture(GL_TEXTURE_2D, names[i]);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, static_cast<GLint>(filter));
        if (filter == GL_NEAREST || filter == GL_LINEAR) {
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, static_cast<GLint>(filter));
        }
        glGenerateMipmap(GL_TEXTURE_2D);
        if (printProgress) {
            std::cout << i + 1 << std::endl;
        }
    }
}

void handleHotkeys(GLFWwindow* window, double now) {
    if (hotkeyFires(window, GLFW_KEY_F2, slotF2, now)) {
        printFrameTime = !printFrameTime;
    }
    if (printFrameTime) {
        std::cout << "frametime: " << deltaTime * 1000 << "ms" << std::endl;
    }
    if (hotkeyFires(window, GLFW_KEY_F4, slotF4, now)) {
        toggleTextureFilter();
    }
    if (hotkeyFires(window, GLFW_KEY_F5, slotF5, now)) {
        cycleTextureFilter();
    }
    if (hotkeyFires(window, GLFW_KEY_F7, slotF7, now)) {
        printObjectCount = !printObjectCount;
    }
    if (hotkeyFires(window, GLFW_KEY_F8, slotF8, now)) {
        cullingEnabled = !cullingEnabled;
        std::cout << (cullingEnabled ? "ViewFrustumCulling: ON" : "ViewFrustumCulling: OFF")
                  << std::endl;
    }
    if (hotkeyFires(window, GLFW_KEY_F9, slotF9, now)) {
        transparencyEnabled = !transparencyEnabled;
        std::cout << (transparencyEnabled ? "Transparent" : "Undurchsichtig") << std::endl;
    }
}

} // namespace Pellwin
