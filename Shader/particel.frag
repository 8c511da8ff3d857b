// SPDX-License-Identifier: GPL-3.0-or-later
#version 330 core

in vec2 spriteCoord;
in vec4 tint;
in float fade;

uniform sampler2D color_texture;

out vec4 fragColor;

void main()
{
    vec4 texel = texture(color_texture, spriteCoord);
    // Works for a white sprite shaped by alpha as well as an opaque one shaped by brightness.
    float coverage = texel.a * max(max(texel.r, texel.g), texel.b);
    // Keep the puff round whatever the sprite holds in its corners.
    float radius = 2.0 * length(spriteCoord - 0.5);
    coverage *= 1.0 - smoothstep(0.7, 1.0, radius);
    coverage *= fade;
    // Without blending this is all that keeps the sprite round.
    if (coverage < 0.1) {
        discard;
    }
    // Blending adds src * alpha (the target's alpha reads as 1), so alpha stays low.
    fragColor = vec4(tint.rgb, tint.a * coverage);
}
