// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens.h"

#include <cmath>
#include <string>
#include <vector>

#include "font.h"
#include "materials.h"
#include "noise.h"
#include "shapes.h"

namespace assetgen {

namespace {

constexpr double kHalfW = 5.25, kHalfH = 2.95;
constexpr int kTexW = 1024, kTexH = 512;
// Size of one texel on the plane, the width of an anti-aliased edge.
constexpr double kPx = 2.0 * kHalfH / kTexH;

Rgba clampColor(Rgba c) {
    return {clamp01(c.r), clamp01(c.g), clamp01(c.b), clamp01(c.a)};
}

// Paints in plane coordinates (origin at the window's centre).
void paintPlane(Image& img, const std::function<Rgba(Vec2)>& fn) {
    paint(img, 2 * kHalfW, 2 * kHalfH, 3, [&](Vec2 f) {
        return clampColor(fn(f - Vec2{kHalfW, kHalfH}));
    });
}

struct TextLook {
    Rgba top, bottom; // fill gradient over the cap height
    Rgba outline;
    double outlineWidth; // 0 for none
    double shadow;       // drop shadow strength, 0 for none
};

// A text with fill, outline and a soft drop shadow over c.
Rgba drawText(Rgba c, const TextShape& t, Vec2 p, const TextLook& look) {
    double reach = look.outlineWidth + 0.12;
    if (look.shadow > 0) {
        double ds = t.distance(p - Vec2{0.03, -0.05} * (t.capHeight() / 0.4 + 0.3), reach);
        double s = smoothstep(0.08 + look.outlineWidth, -0.02, ds) * look.shadow;
        c = mixColor(c, rgb(0, 0, 0), s);
    }
    double d = t.distance(p, reach);
    if (look.outlineWidth > 0) {
        c = mixColor(c, look.outline, coverage(d - look.outlineWidth, kPx));
    }
    double f = clamp01((p.y - t.min().y - 2.0 * t.capHeight() / 7.0) / t.capHeight());
    Rgba fill = mixColor(look.bottom, look.top, f);
    return mixColor(c, fill, coverage(d, kPx));
}

TextShape centred(const std::string& s, double y, double cap, double weight = 0.5, double x = 0.0) {
    return TextShape(s, {x - TextShape::measure(s, cap) / 2, y}, cap, weight);
}

// A keyboard key with its label.
struct KeyCap {
    Vec2 centre, half;
    TextShape label;
};

KeyCap makeKey(const std::string& label, Vec2 leftMid, double cap) {
    double w = TextShape::measure(label, cap);
    Vec2 half{std::max(w / 2 + cap * 0.7, cap * 1.05), cap * 1.0};
    Vec2 centre{leftMid.x + half.x, leftMid.y};
    return {centre, half, TextShape(label, {centre.x - w / 2, centre.y - cap / 2}, cap, 0.55)};
}

Rgba drawKey(Rgba c, const KeyCap& k, Vec2 p) {
    double round = k.half.y * 0.35;
    double shadow = sdBox(p - Vec2{0.015, -0.03}, k.centre, k.half, round);
    c = mixColor(c, rgb(0, 0, 0), 0.5 * smoothstep(0.05, -0.02, shadow));
    double d = sdBox(p, k.centre, k.half, round);
    if (d > kPx) {
        return c;
    }
    double t = clamp01((p.y - (k.centre.y - k.half.y)) / (2 * k.half.y));
    Rgba face = mixColor(rgb(0.72, 0.74, 0.78), rgb(0.97, 0.97, 0.98), t);
    // The top surface is inset from the key's rim.
    double inner = sdBox(p, k.centre + Vec2{0, k.half.y * 0.12},
                         k.half - Vec2{0.03, k.half.y * 0.2}, round * 0.8);
    face = mixColor(scaleColor(face, 0.8), face, coverage(inner, kPx));
    face = mixColor(face, rgb(0.25, 0.27, 0.32), coverage(-d - 0.012, kPx));
    c = mixColor(c, face, coverage(d, kPx));
    double dl = k.label.distance(p, 0.05);
    return mixColor(c, rgb(0.12, 0.14, 0.2), coverage(dl, kPx));
}

// The ball, painted as a lit sphere with its own citrus skin.
Rgba drawBall(Rgba c, Vec2 p, Vec2 centre, double radius, double spin) {
    // Soft contact shadow on an imagined floor.
    Vec2 sd = p - (centre + Vec2{0.12 * radius, -radius * 0.98});
    double sh =
        std::exp(-(sd.x * sd.x / (radius * radius * 0.8) + sd.y * sd.y / (radius * radius * 0.02)));
    c = mixColor(c, rgb(0, 0, 0), 0.45 * sh);
    double dist = length(p - centre) - radius;
    if (dist > kPx) {
        return c;
    }
    Vec2 q = (p - centre) * (1.0 / radius);
    double r2 = std::min(1.0, dot(q, q));
    Vec3 n{q.x, q.y, std::sqrt(1.0 - r2)};
    // Turn the skin a little so the stem end shows at the top.
    double tilt = 0.5;
    Vec3 t1{n.x, n.y * std::cos(tilt) - n.z * std::sin(tilt),
            n.y * std::sin(tilt) + n.z * std::cos(tilt)};
    Vec3 dir{t1.x * std::cos(spin) + t1.z * std::sin(spin), t1.y,
             -t1.x * std::sin(spin) + t1.z * std::cos(spin)};
    Rgba skin = citrusAt(dir);
    const Vec3 light = normalize({-0.5, 0.65, 0.6});
    double lambert = std::max(0.0, dot(n, light));
    double shine = std::pow(std::max(0.0, dot(n, normalize(light + Vec3{0, 0, 1}))), 40.0);
    Rgba ball = scaleColor(skin, 0.22 + 0.9 * lambert);
    ball = mixColor(ball, rgb(1, 1, 0.95), 0.55 * shine);
    // A little bounce light from below.
    ball = mixColor(ball, rgb(1.0, 0.6, 0.3), 0.25 * smoothstep(0.2, -0.9, n.y) * (1 - n.z));
    return mixColor(c, ball, coverage(dist, kPx));
}

// Kitchen tiles dimmed into the background.
Rgba tiles(Vec2 p, double size) {
    Vec2 t{fract(p.x / size + 0.5), fract(p.y / size + 0.5)};
    double grout = std::min(std::min(t.x, 1 - t.x), std::min(t.y, 1 - t.y)) * size;
    double bevel = 0.5 + 0.5 * (t.y - t.x);
    return rgb(grout < 0.015 ? 0.0 : 0.55 + 0.15 * bevel, 0, 0);
}

// Background shared by the pictures: a gradient, dim tiles and a vignette.
Rgba backdrop(Vec2 p, Rgba top, Rgba bottom, Rgba glow, Vec2 glowAt) {
    Rgba c = mixColor(bottom, top, smoothstep(-kHalfH, kHalfH, p.y));
    double tile = tiles(p, 0.55).r;
    c = scaleColor(c, 0.9 + 0.14 * tile);
    c = mixColor(c, glow, 0.55 * std::exp(-length(p - glowAt) / 1.8));
    c = scaleColor(c, 1.0 + 0.03 * fbm(p * 2.0, 3, 2001U));
    Vec2 v{p.x / 5.0, p.y / 3.2};
    return scaleColor(c, 1.0 - 0.4 * dot(v, v));
}

const TextLook kHint{rgb(1, 1, 1), rgb(0.86, 0.9, 0.95), rgb(0, 0, 0), 0.0, 0.5};

// "F1" with a line of text beside it, centred as a whole.
struct KeyLine {
    std::vector<KeyCap> keys;
    TextShape text;
};

KeyLine keyLine(const std::vector<std::string>& keys, const std::string& text, Vec2 leftMid,
                double cap, bool centre) {
    double keyCap = cap * 0.8;
    double x = leftMid.x;
    if (centre) {
        double w = 0;
        for (const auto& k : keys) {
            w += std::max(TextShape::measure(k, keyCap) + keyCap * 1.4, keyCap * 2.1) + cap * 0.35;
        }
        w += cap * 0.3 + TextShape::measure(text, cap);
        x = leftMid.x - w / 2;
    }
    KeyLine line{{}, TextShape("", {0, 0}, cap)};
    for (const auto& k : keys) {
        line.keys.push_back(makeKey(k, {x, leftMid.y}, keyCap));
        x = line.keys.back().centre.x + line.keys.back().half.x + cap * 0.35;
    }
    line.text = TextShape(text, {x + cap * 0.3, leftMid.y - cap / 2}, cap, 0.5);
    return line;
}

Rgba drawKeyLine(Rgba c, const KeyLine& line, Vec2 p, const TextLook& look) {
    for (const auto& k : line.keys) {
        c = drawKey(c, k, p);
    }
    return drawText(c, line.text, p, look);
}

} // namespace

Image titleScreenTexture() {
    Image img(kTexW, kTexH);
    // The name, with the ball standing in for the O.
    const double cap = 1.1, cell = cap / 7.0;
    const double wT = TextShape::measure("T", cap), wLVA = TextShape::measure("LVA", cap);
    const double ballD = cap * 1.02;
    const double total = wT + cell * 1.4 + ballD + cell * 1.4 + wLVA;
    const double x0 = -total / 2, base = 1.15;
    const TextShape nameT("T", {x0, base}, cap);
    const TextShape nameLVA("LVA", {x0 + wT + cell * 2.8 + ballD, base}, cap);
    const Vec2 ballAt{x0 + wT + cell * 1.4 + ballD / 2, base + ballD / 2};
    const TextLook nameLook{rgb(1.0, 0.88, 0.36), rgb(0.98, 0.42, 0.08), rgb(0.2, 0.07, 0.02), 0.05,
                            0.7};
    const TextShape subtitle = centred("Quellmoor", 0.52, 0.34);
    const TextLook subLook{rgb(0.7, 0.96, 0.9), rgb(0.42, 0.8, 0.78), rgb(0.03, 0.1, 0.12), 0.025,
                           0.6};
    const TextShape goal = centred("Ans Ende der Arbeitsplatte in 50 Sekunden!", 0.1, 0.15);
    const TextShape hint =
        centred("Bretter umfahren, auf den Marmor springen, Messern und Topf ausweichen.", -0.2,
                0.12, 0.45);
    // Controls in two columns on a panel.
    const double rowCap = 0.15, rows[4] = {-0.72, -1.08, -1.44, -1.8};
    const double left = -3.05, right = 0.25;
    std::vector<KeyLine> controls;
    controls.push_back(keyLine({"W"}, "vorwärts", {left, rows[0]}, rowCap, false));
    controls.push_back(keyLine({"R"}, "schnell vorwärts", {left, rows[1]}, rowCap, false));
    controls.push_back(keyLine({"S"}, "zurück", {left, rows[2]}, rowCap, false));
    controls.push_back(keyLine({"A", "D"}, "seitwärts", {right, rows[0]}, rowCap, false));
    controls.push_back(keyLine({"\u2190", "\u2192"}, "lenken", {right, rows[1]}, rowCap, false));
    controls.push_back(keyLine({"Leertaste"}, "springen", {right, rows[2]}, rowCap, false));
    controls.push_back(keyLine({"Esc"}, "beenden", {0.0, rows[3]}, rowCap, true));
    const KeyLine start = keyLine({"F1"}, "drücken zum Starten", {0.0, -2.3}, 0.2, true);
    const TextShape comforts = centred("P Pause \u00b7 F11 Vollbild \u00b7 -/+ Lautstärke \u00b7 "
                                       "M Ton aus/an \u00b7 G Geist \u00b7 V Wiederholung",
                                       -2.64, 0.085, 0.45);
    const TextShape extras = centred("Extras: F2 Bildzeit \u00b7 F4/F5 Texturfilter \u00b7 F7 "
                                     "Objektzahl \u00b7 F8 Culling \u00b7 F9 Transparenz",
                                     -2.84, 0.085, 0.45);
    const TextLook startLook{rgb(1.0, 0.95, 0.55), rgb(1.0, 0.8, 0.3), rgb(0, 0, 0), 0.0, 0.6};
    const TextLook dimLook{rgb(0.7, 0.74, 0.8), rgb(0.62, 0.66, 0.72), rgb(0, 0, 0), 0.0, 0.0};

    paintPlane(img, [&](Vec2 p) {
        Rgba c =
            backdrop(p, rgb(0.05, 0.2, 0.3), rgb(0.13, 0.09, 0.12), rgb(0.95, 0.5, 0.15), {0, 1.7});
        // Rays fanning from behind the name.
        double a = std::atan2(p.y - 1.7, p.x);
        double rays =
            smoothstep(0.2, 0.8, std::sin(a * 14.0)) * std::exp(-length(p - Vec2{0, 1.7}) / 2.5);
        c = mixColor(c, rgb(1.0, 0.75, 0.35), 0.12 * rays);
        c = drawText(c, nameT, p, nameLook);
        c = drawText(c, nameLVA, p, nameLook);
        // Dark ring round the ball, like the letters' outline.
        double ring = length(p - ballAt) - ballD / 2;
        c = mixColor(c, nameLook.outline, coverage(ring - 0.05, kPx));
        c = drawBall(c, p, ballAt, ballD / 2, 0.4);
        c = drawText(c, subtitle, p, subLook);
        for (double side : {-1.0, 1.0}) {
            double x = side * (subtitle.width() / 2 + 0.45);
            double bar = sdBox(p, {x, 0.52 + 0.17}, {0.3, 0.018}, 0.018);
            c = mixColor(c, subLook.bottom, coverage(bar, kPx));
        }
        c = drawText(c, goal, p, kHint);
        c = drawText(c, hint, p,
                     {rgb(0.85, 0.88, 0.92), rgb(0.78, 0.82, 0.88), rgb(0, 0, 0), 0.0, 0.4});
        // The panel behind the controls.
        double panel = sdBox(p, {0, -1.26}, {3.35, 0.78}, 0.12);
        c = mixColor(c, rgb(0.02, 0.04, 0.07), 0.55 * coverage(panel, kPx));
        c = mixColor(c, rgb(0.5, 0.7, 0.75), 0.5 * coverage(std::abs(panel) - 0.008, kPx));
        c = mixColor(c, rgb(0.5, 0.7, 0.75),
                     0.35 * coverage(std::abs(p.x + 0.15) - 0.006, kPx) *
                         coverage(std::abs(p.y + 1.08) - 0.46, kPx));
        for (const auto& line : controls) {
            c = drawKeyLine(c, line, p, kHint);
        }
        c = drawKeyLine(c, start, p, startLook);
        c = drawText(c, comforts, p, dimLook);
        c = drawText(c, extras, p, dimLook);
        return c;
    });
    return img;
}

namespace {

// Cut face of a citrus: rind, pith and juicy segments.
Rgba citrusFlesh(Vec2 q, double rotation) {
    double r = length(q);
    double a = std::atan2(q.y, q.x) + rotation;
    const int segments = 11;
    double seg = fract(a / (2 * kPi) * segments);
    double membrane = std::min(seg, 1.0 - seg) * r * 2 * kPi / segments;
    Rgba flesh =
        mixColor(rgb(1.0, 0.62, 0.12), rgb(1.0, 0.8, 0.3), 0.5 + 0.5 * fbm(q * 9.0, 2, 2101U));
    CellDistances cells = cellular(Vec2{q.x * 14.0, q.y * 14.0}, 2102U);
    flesh = scaleColor(flesh, 0.88 + 0.14 * smoothstep(0.0, 0.4, cells.f2 - cells.f1));
    Rgba c = mixColor(rgb(1.0, 0.95, 0.82), flesh,
                      smoothstep(0.012, 0.03, membrane) * smoothstep(0.05, 0.12, r));
    c = mixColor(c, rgb(1.0, 0.95, 0.82), smoothstep(0.8, 0.84, r));
    c = mixColor(c, rgb(1.0, 0.55, 0.08), smoothstep(0.92, 0.94, r));
    return c;
}

// A chef's knife standing point down; tip at the given point.
Rgba drawKnife(Rgba c, Vec2 p, Vec2 tip, double size, double width) {
    Vec2 q = p - tip;
    double bladeLen = size * 0.7;
    // Shadow on the backdrop.
    double t = q.y / bladeLen;
    double spine = width * (t < 0.25 ? std::sqrt(t / 0.25) : 1.0);
    bool inBladeY = q.y >= 0 && q.y <= bladeLen;
    double bladeD = inBladeY ? std::max(-q.x, q.x - spine) : 1.0;
    if (inBladeY) {
        bladeD = std::max(bladeD, -q.y);
    }
    Rgba steel =
        mixColor(rgb(0.62, 0.66, 0.72), rgb(0.96, 0.97, 1.0), clamp01(q.x / std::max(spine, 1e-3)));
    steel = mixColor(steel, rgb(1, 1, 1), 0.6 * smoothstep(0.02, 0.0, std::abs(q.x - spine * 0.3)));
    steel = scaleColor(steel, 1.0 + 0.05 * fbm(Vec2{q.x * 4, q.y * 60}, 2, 2103U));
    double shadowD = inBladeY ? std::max(std::max(-(q.x - 0.08), (q.x - 0.08) - spine), 0.0) : 1.0;
    c = mixColor(c, rgb(0, 0, 0), 0.35 * smoothstep(0.05, 0.0, shadowD));
    c = mixColor(c, steel, coverage(bladeD, kPx));
    // Handle above the heel.
    double handle =
        sdBox(q, {width * 0.5, bladeLen + size * 0.15}, {width * 0.42, size * 0.15}, width * 0.3);
    Rgba wood = scaleColor(rgb(0.3, 0.17, 0.1), 0.8 + 0.4 * clamp01(q.x / width));
    wood = scaleColor(wood, 1.0 + 0.15 * std::sin(q.x * 90.0 + 6.0 * fbm(q * 4.0, 2, 2104U)));
    for (double rv : {0.3, 0.7}) {
        double rivet = length(q - Vec2{width * 0.5, bladeLen + size * 0.3 * rv});
        wood = mixColor(wood, rgb(0.85, 0.86, 0.9), smoothstep(0.035, 0.025, rivet));
    }
    return mixColor(c, wood, coverage(handle, kPx));
}

} // namespace

Image lostScreenTexture() {
    Image img(kTexW, kTexH);
    const TextShape head = centred("Verloren!", 1.4, 0.85);
    const TextLook headLook{rgb(1.0, 0.5, 0.35), rgb(0.85, 0.1, 0.08), rgb(0.15, 0.0, 0.02), 0.05,
                            0.7};
    const TextShape why = centred(
        "Messer, Topf, Tischkante oder die Zeit: diesmal hat es nicht gereicht.", 0.95, 0.14, 0.45);
    const KeyLine again = keyLine({"F1"}, "noch einmal spielen", {0.0, -1.75}, 0.22, true);
    const KeyLine quit = keyLine({"Esc"}, "beenden", {0.0, -2.3}, 0.15, true);
    const TextLook againLook{rgb(1.0, 0.95, 0.7), rgb(1.0, 0.82, 0.5), rgb(0, 0, 0), 0.0, 0.6};
    const Vec2 halfA{-0.8, -0.3}, halfB{0.86, -0.33};
    const double r = 0.56;
    paintPlane(img, [&](Vec2 p) {
        Rgba c = backdrop(p, rgb(0.22, 0.04, 0.06), rgb(0.08, 0.02, 0.04), rgb(0.7, 0.15, 0.1),
                          {0, 0.0});
        // Shadows of the halves.
        for (Vec2 h : {halfA, halfB}) {
            Vec2 sd = p - (h + Vec2{0.06, -r * 0.95});
            c = mixColor(c, rgb(0, 0, 0),
                         0.5 * std::exp(-(sd.x * sd.x / 0.3 + sd.y * sd.y / 0.004)));
        }
        // Left half stands on its rind, cut face towards us.
        double dA = length(p - halfA) - r;
        Rgba faceA = citrusFlesh((p - halfA) * (1.0 / r), 0.3);
        Vec2 qa = (p - halfA) * (1.0 / r);
        faceA = scaleColor(faceA, 0.85 + 0.2 * clamp01(0.5 - 0.5 * qa.x + 0.4 * qa.y));
        faceA =
            mixColor(faceA, rgb(1, 1, 1), 0.35 * std::exp(-length(qa - Vec2{-0.35, 0.35}) * 6.0));
        c = mixColor(c, faceA, coverage(dA, kPx));
        // Right half lies on its rind, cut face tipped up towards us.
        Vec2 qb = (p - halfB) * (1.0 / r);
        double dome = std::max(length(qb) - 1.0, qb.y - 0.0) * r;
        Rgba rind = citrusAt(normalize({qb.x, qb.y, std::sqrt(std::max(0.0, 1 - dot(qb, qb)))}));
        double lit = std::max(0.0, -qb.x * 0.4 + std::sqrt(std::max(0.0, 1 - dot(qb, qb))) * 0.8);
        c = mixColor(c, scaleColor(rind, 0.35 + 0.7 * lit), coverage(dome, kPx));
        Vec2 qe{qb.x, qb.y / 0.42};
        double faceD = (length(qe) - 1.0) * r * 0.42;
        Rgba faceB = citrusFlesh(qe, 1.1);
        faceB = scaleColor(faceB, 0.92 + 0.1 * qe.y);
        c = mixColor(c, faceB, coverage(faceD, kPx));
        // The knife that did it.
        c = drawKnife(c, p, {0.0, -0.86}, 1.85, 0.3);
        c = drawText(c, head, p, headLook);
        c = drawText(c, why, p, kHint);
        c = drawKeyLine(c, again, p, againLook);
        c = drawKeyLine(c, quit, p, kHint);
        return c;
    });
    return img;
}

Image wonScreenTexture() {
    Image img(kTexW, kTexH);
    const TextShape head = centred("Gewonnen!", 1.4, 0.85);
    const TextLook headLook{rgb(1.0, 0.95, 0.5), rgb(1.0, 0.62, 0.1), rgb(0.25, 0.1, 0.0), 0.05,
                            0.7};
    const TextShape why = centred(
        "Ziel erreicht! Die Frucht ist heil am Ende der Platte angekommen.", 0.95, 0.14, 0.45);
    const KeyLine again = keyLine({"F1"}, "noch einmal spielen", {0.0, -1.75}, 0.22, true);
    const KeyLine quit = keyLine({"Esc"}, "beenden", {0.0, -2.3}, 0.15, true);
    const TextLook againLook{rgb(1.0, 1.0, 0.85), rgb(1.0, 0.9, 0.6), rgb(0, 0, 0), 0.0, 0.6};
    const Vec2 ballAt{0.0, -0.2};
    // Confetti: small turned rectangles in bright colours.
    struct Bit {
        Vec2 at;
        double angle;
        Rgba colour;
    };
    std::vector<Bit> confetti;
    Rng rng(2201U);
    const Rgba colours[] = {rgb(1.0, 0.3, 0.35), rgb(0.3, 0.8, 0.45), rgb(0.3, 0.6, 1.0),
                            rgb(1.0, 0.85, 0.2), rgb(0.95, 0.5, 0.95)};
    while (confetti.size() < 70) {
        Vec2 at{rng.range(-4.6, 4.6), rng.range(-2.8, 2.8)};
        double angle = rng.range(0, kPi);
        Rgba colour = colours[static_cast<int>(rng.unit() * 5) % 5];
        // Keep the words clear.
        bool onText = (std::abs(at.x) < 3.9 && at.y > 0.75 && at.y < 2.45) ||
                      (std::abs(at.x) < 2.3 && at.y > -2.5 && at.y < -1.45);
        if (!onText) {
            confetti.push_back({at, angle, colour});
        }
    }
    paintPlane(img, [&](Vec2 p) {
        Rgba c =
            backdrop(p, rgb(0.06, 0.3, 0.36), rgb(0.05, 0.12, 0.18), rgb(1.0, 0.75, 0.25), ballAt);
        // A sunburst behind the ball.
        double a = std::atan2(p.y - ballAt.y, p.x - ballAt.x);
        double burst =
            smoothstep(-0.1, 0.1, std::sin(a * 10.0)) * std::exp(-length(p - ballAt) / 2.2);
        c = mixColor(c, rgb(1.0, 0.85, 0.45), 0.35 * burst);
        for (const Bit& b : confetti) {
            Vec2 d = p - b.at;
            if (std::abs(d.x) > 0.12 || std::abs(d.y) > 0.12) {
                continue;
            }
            Vec2 q{d.x * std::cos(b.angle) + d.y * std::sin(b.angle),
                   -d.x * std::sin(b.angle) + d.y * std::cos(b.angle)};
            double box = sdBox(q, {0, 0}, {0.06, 0.028}, 0.008);
            c = mixColor(c, b.colour, 0.9 * coverage(box, kPx));
        }
        c = drawBall(c, p, ballAt, 0.62, 1.2);
        // Sparkles round the ball.
        for (int k = 0; k < 5; ++k) {
            double ang = 0.6 + k * 1.25;
            Vec2 s = ballAt + Vec2{std::cos(ang), std::sin(ang)} * 0.92;
            Vec2 d = p - s;
            double star = std::exp(-std::abs(d.x) * 60.0) * std::exp(-std::abs(d.y) * 12.0) +
                          std::exp(-std::abs(d.y) * 60.0) * std::exp(-std::abs(d.x) * 12.0);
            c = mixColor(c, rgb(1, 1, 0.9), clamp01(star));
        }
        c = drawText(c, head, p, headLook);
        c = drawText(c, why, p, kHint);
        c = drawKeyLine(c, again, p, againLook);
        c = drawKeyLine(c, quit, p, kHint);
        return c;
    });
    return img;
}

} // namespace assetgen
