// SPDX-License-Identifier: GPL-3.0-or-later
#version 330 core

in vec2 texCoord;

uniform sampler2D color_Texture;

out vec4 fragColor;

// Full-window pictures and the lightmapped model: their light is already in the texture,
// so the spot must not touch them.
void main()
{
    fragColor = texture(color_Texture, texCoord);
}
