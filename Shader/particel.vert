// SPDX-License-Identifier: GPL-3.0-or-later
#version 330 core

layout(location = 0) in float type;
layout(location = 1) in float life;
layout(location = 2) in float size;
layout(location = 3) in vec3 position;
layout(location = 4) in vec3 velocity;
layout(location = 5) in vec4 color;
layout(location = 6) in vec3 corner;

uniform vec3 CameraRight_worldspace;
uniform vec3 CameraUp_worldspace;
uniform mat4 VP;

out vec2 spriteCoord;
out vec4 tint;
out float fade;

void main()
{
    spriteCoord = corner.xy + 0.5;
    // The launcher only spawns; park it outside the clip volume.
    if (abs(type - 1.0) < 0.5 || life <= 0.0 || size <= 0.0) {
        tint = vec4(0.0);
        fade = 0.0;
        gl_Position = vec4(2.0, 2.0, 2.0, 1.0);
        return;
    }
    vec3 offset = CameraRight_worldspace * corner.x + CameraUp_worldspace * corner.y;
    vec3 world = position + offset * size;
    // Thin out over the last second so puffs dissolve instead of popping.
    fade = smoothstep(0.0, 1.0, life);
    tint = color;
    gl_Position = VP * vec4(world, 1.0);
}
