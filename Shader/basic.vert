// SPDX-License-Identifier: GPL-3.0-or-later
#version 330 core

layout(location = 0) in vec3 corner;

out vec2 texCoord;

void main()
{
    texCoord = corner.xy * 0.5 + 0.5;
    gl_Position = vec4(corner.xy, 0.0, 1.0);
}
