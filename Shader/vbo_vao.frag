// SPDX-License-Identifier: GPL-3.0-or-later
#version 330 core

in vec2 texCoord;

uniform sampler2D color_Texture;
uniform float ambientCoefficient;

out vec4 fragColor;

// Flat, evenly lit: about as bright as the spot-lit objects outside the light's pool.
void main()
{
    vec4 texel = texture(color_Texture, texCoord);
    fragColor = vec4(texel.rgb * (ambientCoefficient * 7.0), texel.a);
}
