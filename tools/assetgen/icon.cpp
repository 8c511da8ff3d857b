// SPDX-License-Identifier: GPL-3.0-or-later
#include "icon.h"

#include <cmath>

#include "materials.h"

namespace assetgen {

Image iconPicture(int size) {
    Image img(size, size, {0, 0, 0, 0});
    const WoodStyle worktop{rgb(0.86, 0.62, 0.36), rgb(0.62, 0.38, 0.18), 7.0, 0.5};
    // Painted in a unit square, y up; the ball is lit from the upper left.
    paint(img, 1.0, 1.0, 4, [&](Vec2 p) {
        const Vec2 c = p - Vec2{0.5, 0.5};
        const double r = length(c);
        Rgba out{0, 0, 0, 0};
        if (r < 0.48) {
            Rgba wood = woodAt(Vec3{p.x * 2.0, p.y * 0.6, 0.3}, Vec2{-3.0, 0.7}, worktop, 77U);
            wood = scaleColor(wood, 0.8 + 0.3 * smoothstep(0.48, 0.1, r));
            const double rim = smoothstep(0.46, 0.48, r);
            out = withAlpha(scaleColor(wood, 1.0 - 0.35 * rim), 1.0);
        }
        // The ball's shadow, then the ball.
        const Vec2 shadow = c - Vec2{0.06, -0.07};
        const double shade = smoothstep(0.33, 0.2, length(Vec2{shadow.x, shadow.y * 1.6}));
        out = scaleColor(out, 1.0 - 0.45 * shade);
        const Vec2 b = (c - Vec2{-0.02, 0.04}) * (1.0 / 0.3);
        const double b2 = dot(b, b);
        if (b2 < 1.0) {
            const Vec3 n{b.x, b.y, std::sqrt(1.0 - b2)};
            const Vec3 light = normalize(Vec3{-0.5, 0.6, 0.65});
            const double diffuse = 0.35 + 0.75 * std::max(0.0, dot(n, light));
            const Vec3 half = normalize(light + Vec3{0, 0, 1});
            const double gloss = std::pow(std::max(0.0, dot(n, half)), 40.0);
            Rgba skin = scaleColor(citrusAt(normalize(Vec3{n.x, n.z, -n.y})), diffuse);
            skin = mixColor(skin, rgb(1, 1, 0.9), 0.6 * gloss);
            out = withAlpha(skin, 1.0);
        }
        return out;
    });
    return img;
}

} // namespace assetgen
