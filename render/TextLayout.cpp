// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/TextLayout.h"

#include "render/GlyphLayout.h"

#include <cstring>

namespace Pellwin {

namespace {

namespace lt = lettering;

constexpr double pictureWidthDots = lt::cellColumns * lt::cellWidthDots;
constexpr double pictureHeightDots = lt::cellRows * lt::cellHeightDots;
// Each quad reaches this far past the ink, so the outline has room.
constexpr double marginDots = lt::spreadDots;

int cellOf(char c) {
    if (c == '\0') {
        return -1;
    }
    const char* at = std::strchr(lt::characters, c);
    return at != nullptr ? static_cast<int>(at - lt::characters) : -1;
}

float u(double dots) {
    return static_cast<float>(dots / pictureWidthDots);
}

// Picture rows count down from the top; v counts up from the bottom.
float v(double dotsFromTop) {
    return static_cast<float>(1.0 - dotsFromTop / pictureHeightDots);
}

double cellLeft(int cell) {
    return (cell % lt::cellColumns) * lt::cellWidthDots;
}

double cellTop(int cell) {
    return (cell / lt::cellColumns) * lt::cellHeightDots;
}

} // namespace

float textWidth(const std::string& text, float capHeight) {
    double dots = 0.0;
    for (char c : text) {
        const int cell = cellOf(c);
        dots += cell < 0 ? lt::spaceDots : lt::widthInDots[cell] + lt::gapDots;
    }
    dots -= text.empty() ? 0.0 : lt::gapDots;
    return static_cast<float>(dots * capHeight / lt::capHeightDots);
}

std::vector<OverlayQuad> layOutText(const std::string& text, float x, float baseline,
                                    float capHeight) {
    const double dot = capHeight / lt::capHeightDots;
    std::vector<OverlayQuad> quads;
    double pen = x;
    for (char c : text) {
        const int cell = cellOf(c);
        if (cell < 0) {
            pen += lt::spaceDots * dot;
            continue;
        }
        const double width = lt::widthInDots[cell];
        const double glyphLeft = cellLeft(cell) + lt::glyphLeftDots;
        const double glyphBaseline = cellTop(cell) + lt::baselineFromTopDots;
        const double above = lt::capHeightDots + marginDots;
        const double below = 2.0 + marginDots; // two rows hang below the baseline
        quads.push_back({static_cast<float>(pen - marginDots * dot),
                         static_cast<float>(baseline - below * dot),
                         static_cast<float>(pen + (width + marginDots) * dot),
                         static_cast<float>(baseline + above * dot), u(glyphLeft - marginDots),
                         v(glyphBaseline + below), u(glyphLeft + width + marginDots),
                         v(glyphBaseline - above)});
        pen += (width + lt::gapDots) * dot;
    }
    return quads;
}

std::vector<OverlayQuad> layOutPlate(float left, float bottom, float right, float top) {
    const float height = top - bottom;
    const float radius = height / 2.0f;
    const float margin = static_cast<float>(marginDots * height / (2.0 * lt::plateRadiusDots));
    const double centreU = cellLeft(lt::plateCell) + lt::cellWidthDots / 2.0;
    const double centreV = cellTop(lt::plateCell) + lt::cellHeightDots / 2.0;
    const double reach = lt::plateRadiusDots + marginDots;
    const float vBottom = v(centreV + reach);
    const float vTop = v(centreV - reach);
    const float middleLeft = left + radius;
    const float middleRight = right - radius > middleLeft ? right - radius : middleLeft;
    std::vector<OverlayQuad> quads;
    quads.push_back({left - margin, bottom - margin, middleLeft, top + margin, u(centreU - reach),
                     vBottom, u(centreU), vTop});
    if (middleRight > middleLeft) {
        quads.push_back({middleLeft, bottom - margin, middleRight, top + margin, u(centreU),
                         vBottom, u(centreU), vTop});
    }
    quads.push_back({middleRight, bottom - margin, middleRight + radius + margin, top + margin,
                     u(centreU), vBottom, u(centreU + reach), vTop});
    return quads;
}

} // namespace Pellwin
