// SPDX-License-Identifier: GPL-3.0-or-later
#version 330 core

layout(location = 0) in float type;
layout(location = 1) in float life;
layout(location = 2) in float size;
layout(location = 3) in vec3 position;
layout(location = 4) in vec3 velocity;
layout(location = 5) in vec4 color;

out float vType;
out float vLife;
out float vSize;
out vec3 vPosition;
out vec3 vVelocity;
out vec4 vColor;

void main()
{
    vType = type;
    vLife = life;
    vSize = size;
    vPosition = position;
    vVelocity = velocity;
    vColor = color;
    gl_Position = vec4(position, 1.0);
}
