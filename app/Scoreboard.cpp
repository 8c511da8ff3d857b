// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Scoreboard.h"

#include "app/Medals.h"
#include "app/TimeText.h"
#include "app/WinRecord.h"
#include "app/WindowSettings.h"
#include "render/Overlay.h"

#include <algorithm>
#include <string>

namespace Pellwin {

namespace {

const glm::vec4 white(1.0f, 1.0f, 1.0f, 1.0f);
const glm::vec4 alarmRed(1.0f, 0.2f, 0.14f, 1.0f);
const glm::vec4 gold(1.0f, 0.84f, 0.3f, 1.0f);
const glm::vec4 paleLabel(0.8f, 0.9f, 0.95f, 1.0f);
const glm::vec4 darkRim(0.03f, 0.03f, 0.06f, 0.9f);
const glm::vec4 plateShade(0.0f, 0.0f, 0.0f, 0.5f);
const glm::vec4 noRim(0.0f, 0.0f, 0.0f, 0.0f);

// Capitals of the clock, as a share of the window's height.
constexpr float clockCapShare = 0.055f;

// The won picture's plane spans 2 x 5 x tan(30 degrees) units from the window's bottom to
// its top, whatever the window's width.
constexpr float pictureUnitsPerHeight = 5.7735f;

void queueCentred(const std::string& text, float centreX, float baseline, float cap,
                  const glm::vec4& fill) {
    queueOverlay(layOutText(text, centreX - textWidth(text, cap) / 2.0f, baseline, cap), fill,
                 darkRim);
}

} // namespace

void drawTimeLeft(float secondsLeft) {
    const glm::vec2 size(framebufferSize());
    const float cap = clockCapShare * size.y;
    const ClockFace face = clockFace(secondsLeft);
    // As wide as the widest face, so the plate keeps still while the digits change.
    const float plateWidth = textWidth("00,0", cap) + cap * 1.6f;
    const float plateTop = size.y - cap * 0.45f;
    const float plateBottom = plateTop - cap * 1.9f;
    const float centreX = size.x / 2.0f;
    queueOverlay(layOutPlate(centreX - plateWidth / 2.0f, plateBottom, centreX + plateWidth / 2.0f,
                             plateTop),
                 plateShade, noRim);
    queueCentred(face.text, centreX, plateBottom + cap * 0.45f, cap,
                 face.finalSeconds ? alarmRed : white);
    drawOverlay();
}

void drawWinTimes(const WinTimes& times) {
    const glm::vec2 size(framebufferSize());
    const float unit = size.y / pictureUnitsPerHeight;
    const auto at = [&](float x, float y) { return size / 2.0f + glm::vec2(x, y) * unit; };
    const struct {
        float x;
        const char* label;
        int hundredths;
    } columns[2] = {{-2.3f, "Zeit", times.hundredths}, {2.3f, "Bestzeit", times.bestHundredths}};
    for (const auto& column : columns) {
        const std::string value = wonTimeText(column.hundredths);
        const float width = std::max(textWidth(value, 0.3f), textWidth(column.label, 0.2f)) + 0.5f;
        const glm::vec2 low = at(column.x - width / 2.0f, -0.72f);
        const glm::vec2 high = at(column.x + width / 2.0f, 0.4f);
        queueOverlay(layOutPlate(low.x, low.y, high.x, high.y), plateShade, noRim);
        queueCentred(column.label, at(column.x, 0.0f).x, at(0.0f, 0.05f).y, 0.2f * unit, paleLabel);
        queueCentred(value, at(column.x, 0.0f).x, at(0.0f, -0.5f).y, 0.3f * unit, white);
    }
    if (times.newRecord) {
        queueCentred("Neuer Rekord!", size.x / 2.0f, at(0.0f, -1.3f).y, 0.25f * unit, gold);
    }
    drawOverlay();
}

namespace {

glm::vec4 medalColour(Medal medal) {
    switch (medal) {
    case Medal::gold:
        return {1.0f, 0.8f, 0.2f, 1.0f};
    case Medal::silver:
        return {0.78f, 0.8f, 0.84f, 1.0f};
    case Medal::bronze:
        return {0.8f, 0.5f, 0.25f, 1.0f};
    case Medal::none:
        break;
    }
    return noRim;
}

// A disc of `radius` round (x, y) with the medal's word to its right; returns the right end.
float queueMedal(Medal medal, float x, float y, float radius, float cap) {
    queueOverlay(layOutPlate(x - radius, y - radius, x + radius, y + radius), medalColour(medal),
                 darkRim);
    const std::string word = medalWord(medal);
    const float left = x + radius * 1.5f;
    queueOverlay(layOutText(word, left, y - cap / 2.0f, cap), medalColour(medal), darkRim);
    return left + textWidth(word, cap);
}

} // namespace

void drawWonMedal(Medal medal, bool beatShippedRun) {
    const glm::vec2 size(framebufferSize());
    const float unit = size.y / pictureUnitsPerHeight;
    const auto at = [&](float x, float y) { return size / 2.0f + glm::vec2(x, y) * unit; };
    // Under the time it was earned with; the line for the shipped run under the best time.
    if (medal != Medal::none) {
        const float cap = 0.22f * unit;
        const float width = textWidth(medalWord(medal), cap) + 2.5f * cap;
        const glm::vec2 middle = at(-2.3f, -1.1f);
        queueOverlay(layOutPlate(middle.x - width / 2.0f - cap, middle.y - cap * 1.2f,
                                 middle.x + width / 2.0f + cap, middle.y + cap * 1.2f),
                     plateShade, noRim);
        queueMedal(medal, middle.x - width / 2.0f + cap * 0.8f, middle.y, cap * 0.8f, cap);
    }
    if (beatShippedRun) {
        queueCentred("Musterlauf geschlagen!", at(2.3f, 0.0f).x, at(0.0f, -1.1f).y, 0.17f * unit,
                     medalColour(Medal::gold));
    }
    drawOverlay();
}

void drawTitleBest(int hundredths, Medal medal) {
    const glm::vec2 size(framebufferSize());
    const float cap = 0.03f * size.y;
    const std::string text = "Bestzeit " + wonTimeText(hundredths);
    const float medalWidth =
        medal == Medal::none ? 0.0f : textWidth(medalWord(medal), cap) + cap * 3.0f;
    const float width = textWidth(text, cap) + medalWidth;
    const float right = size.x - cap;
    const float left = right - width - cap * 2.0f;
    const float bottom = size.y - cap * 3.0f;
    queueOverlay(layOutPlate(left, bottom, right, bottom + cap * 2.2f), plateShade, noRim);
    queueOverlay(layOutText(text, left + cap, bottom + cap * 0.6f, cap), white, darkRim);
    if (medal != Medal::none) {
        queueMedal(medal, left + cap + textWidth(text, cap) + cap * 1.5f, bottom + cap * 1.1f,
                   cap * 0.7f, cap);
    }
    drawOverlay();
}

void drawReplayNotice() {
    const glm::vec2 size(framebufferSize());
    const float cap = 0.035f * size.y;
    const float width = textWidth("Wiederholung", cap);
    queueOverlay(
        layOutPlate(cap * 0.5f, size.y - cap * 2.7f, cap * 2.5f + width, size.y - cap * 0.5f),
        plateShade, noRim);
    queueOverlay(layOutText("Wiederholung", cap * 1.5f, size.y - cap * 2.0f, cap), paleLabel,
                 darkRim);
    drawOverlay();
}

void drawNotice(const std::vector<NoticeLine>& lines, float middleShare) {
    const glm::vec2 size(framebufferSize());
    // A line takes twice its capitals: the letters, what hangs below, and a gap.
    float height = 0.0f;
    float width = 0.0f;
    for (const NoticeLine& line : lines) {
        height += 2.0f * line.capShare * size.y;
        width = std::max(width, textWidth(line.text, line.capShare * size.y));
    }
    const float margin = lines.empty() ? 0.0f : lines.front().capShare * size.y;
    const float centreX = size.x / 2.0f;
    float top = middleShare * size.y + height / 2.0f;
    queueOverlay(layOutPlate(centreX - width / 2.0f - margin, top - height - margin * 0.3f,
                             centreX + width / 2.0f + margin, top + margin * 0.3f),
                 plateShade, noRim);
    for (const NoticeLine& line : lines) {
        const float cap = line.capShare * size.y;
        top -= 2.0f * cap;
        queueCentred(line.text, centreX, top + 0.75f * cap, cap, white);
    }
    drawOverlay();
}

} // namespace Pellwin
