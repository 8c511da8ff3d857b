// SPDX-License-Identifier: GPL-3.0-or-later
#version 330 core

in vec3 position;
in vec3 normal;
in vec2 uv;

uniform mat4 projMat;
uniform mat4 viewMat;
uniform mat4 modelMat;

out vec2 texCoord;

void main()
{
    texCoord = uv;
    gl_Position = projMat * viewMat * modelMat * vec4(position, 1.0);
}
