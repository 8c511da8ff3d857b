// SPDX-License-Identifier: GPL-3.0-or-later
#version 330 core

in vec3 worldPos;
in vec3 worldNormal;
in vec2 texCoord;
flat in vec3 eyePos;

uniform sampler2D color_Texture;
uniform vec3 worldspaceLight;
uniform vec3 coneDirection;
uniform float coneAngle;
uniform vec3 lightIntensity;
uniform float lightAttenuation;
uniform float ambientCoefficient;
uniform float materialShininess;
uniform vec3 materialSpecularColor;

out vec4 fragColor;

vec3 safeNormalize(vec3 v, vec3 fallback)
{
    float len2 = dot(v, v);
    return len2 > 1e-12 ? v * inversesqrt(len2) : fallback;
}

// The spot alone covers a disc of radius ~4 on a 95-unit track, so the ambient part is
// scaled up to carry the rest of the level; the spot adds a soft bright pool on top.
vec3 shade(vec3 albedo, float alpha)
{
    vec3 toEye = safeNormalize(eyePos - worldPos, vec3(0.0, 0.0, 1.0));

    // Derivatives before any branch: they are only defined in uniform control flow.
    vec3 faceNormal = cross(dFdx(worldPos), dFdy(worldPos));
    vec3 n = dot(worldNormal, worldNormal) > 0.01 ? worldNormal : faceNormal;
    n = safeNormalize(n, toEye);
    if (dot(n, toEye) < 0.0) {
        n = -n;
    }

    // Sky-from-above tint plus a weak light from the eye so round shapes still read.
    float ambient = ambientCoefficient * (5.5 + 1.0 * n.y);
    float eyeFill = ambientCoefficient * 2.5 * max(dot(n, toEye), 0.0);

    vec3 toLight = worldspaceLight - worldPos;
    float dist = length(toLight);
    vec3 l = toLight / max(dist, 1e-4);
    vec3 axis = safeNormalize(coneDirection, vec3(0.0, -1.0, 0.0));
    float cosToAxis = dot(-l, axis);
    float spot = smoothstep(cos(radians(coneAngle * 1.1)), cos(radians(coneAngle * 0.6)),
                            cosToAxis);
    // The lamp hangs 15 units over the worktop; a plain 1/(1 + k d^2) with k = 0.1 would
    // leave almost nothing there.
    float falloff = 1.0 / (1.0 + 0.1 * lightAttenuation * dist * dist);

    float nDotL = max(dot(n, l), 0.0);
    vec3 direct = lightIntensity * (0.8 * nDotL * spot * falloff);

    vec3 halfway = safeNormalize(l + toEye, n);
    float gloss = nDotL > 0.0 ? pow(max(dot(n, halfway), 0.0), materialShininess * 4.0) : 0.0;
    vec3 specular = materialSpecularColor * lightIntensity * (0.35 * gloss * spot * falloff);

    // Specular is weighted by alpha so see-through texels do not sparkle.
    return albedo * (vec3(ambient + eyeFill) + direct) + specular * alpha;
}

void main()
{
    vec4 texel = texture(color_Texture, texCoord);
    // The planks are obstacles the player must see through to plan the way past them.
    float alpha = 0.55 * texel.a;
    fragColor = vec4(shade(texel.rgb, alpha), alpha);
}
