// SPDX-License-Identifier: GPL-3.0-or-later
#version 330 core

in vec3 position;
in vec3 normal;
in vec2 uv;

uniform mat4 projMat;
uniform mat4 viewMat;
uniform mat4 modelMat;

out vec3 worldPos;
out vec3 worldNormal;
out vec2 texCoord;
flat out vec3 eyePos;

void main()
{
    vec4 world = modelMat * vec4(position, 1.0);

    // Many placements squash one axis to zero, so modelMat has no inverse. The cofactor
    // matrix is det * inverse-transpose and stays defined for them: a wall scaled to zero
    // in x still gets its x normal. A sign flip (det < 0) is repaired in the fragment stage.
    vec3 c0 = modelMat[0].xyz;
    vec3 c1 = modelMat[1].xyz;
    vec3 c2 = modelMat[2].xyz;
    mat3 cofactor = mat3(cross(c1, c2), cross(c2, c0), cross(c0, c1));
    vec3 n = cofactor * normal;
    float len2 = dot(n, n);
    worldNormal = len2 > 1e-20 ? n * inversesqrt(len2) : vec3(0.0);

    worldPos = world.xyz;
    texCoord = uv;
    eyePos = inverse(viewMat)[3].xyz;
    gl_Position = projMat * viewMat * world;
}
