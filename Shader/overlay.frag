// SPDX-License-Identifier: GPL-3.0-or-later
#version 330 core

in vec2 coord;
in vec4 fill;
in vec4 rim;

// The lettering as a distance field in alpha: 0.5 on the edge, more inside.
uniform sampler2D lettering;
// How far out the dark rim reaches, in the field's units.
uniform float rimWidth;

out vec4 fragColor;

void main()
{
    float field = texture(lettering, coord).a;
    // One screen pixel of the field, so edges stay sharp at any size.
    float soft = max(fwidth(field) * 0.75, 0.001);
    float ink = fill.a * smoothstep(0.5 - soft, 0.5 + soft, field);
    float edge = rim.a * smoothstep(0.5 - rimWidth - soft, 0.5 - rimWidth + soft, field);
    float rimShare = edge * (1.0 - ink);
    // Premultiplied, for the blend of ONE and ONE_MINUS_SRC_ALPHA.
    fragColor = vec4(fill.rgb * ink + rim.rgb * rimShare, ink + rimShare);
}
