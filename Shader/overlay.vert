// SPDX-License-Identifier: GPL-3.0-or-later
#version 330 core

// Framebuffer pixels, y up from the bottom row.
layout(location = 0) in vec2 position;
layout(location = 1) in vec2 letteringCoord;
layout(location = 2) in vec4 fillColour;
layout(location = 3) in vec4 rimColour;

uniform vec2 framebufferSize;

out vec2 coord;
out vec4 fill;
out vec4 rim;

void main()
{
    coord = letteringCoord;
    fill = fillColour;
    rim = rimColour;
    gl_Position = vec4(position / framebufferSize * 2.0 - 1.0, 0.0, 1.0);
}
