// SPDX-License-Identifier: GPL-3.0-or-later
#version 330 core

// Steam over the pot. Record 0 is the launcher: it re-emits itself first every step (so it
// stays record 0) and spawns puffs at the pot's mouth. Its velocity is free for
// bookkeeping: x carries the fractional emission, y a step counter for the hash.

const int maxBurst = 12;

layout(points) in;
layout(points, max_vertices = 13) out;

in float vType[];
in float vLife[];
in float vSize[];
in vec3 vPosition[];
in vec3 vVelocity[];
in vec4 vColor[];

uniform float delta_time;
uniform int cur_Particels;
uniform int max_Particels;
uniform vec3 seed_Position;
uniform vec3 rand_Velocity;
uniform vec4 rand_Color;

out float Type1;
out float Life1;
out float Size1;
out vec3 Pos1;
out vec3 Vel1;
out vec4 Color1;

const float launcherType = 1.0;
const float steamType = 2.0;
const float puffsPerSecond = 60.0;
const float mouthHeight = 1.1;  // pot base to rim
const float growthPerSecond = 0.45;
const float riseLimit = 1.5;
const vec3 draught = vec3(0.12, 0.0, 0.03);

uint hashUint(uint x)
{
    x ^= x >> 16;
    x *= 0x7feb352dU;
    x ^= x >> 15;
    x *= 0x846ca68bU;
    x ^= x >> 16;
    return x;
}

float random01(inout uint state)
{
    state = hashUint(state + 0x9e3779b9U);
    return float(state >> 8) * (1.0 / 16777216.0);
}

void emit(float type, float life, float size, vec3 pos, vec3 vel, vec4 color)
{
    Type1 = type;
    Life1 = life;
    Size1 = size;
    Pos1 = pos;
    Vel1 = vel;
    Color1 = color;
    EmitVertex();
}

void main()
{
    // A long stall must not fling puffs through the ceiling or pile up a burst.
    float dt = clamp(delta_time, 0.0, 0.1);

    if (abs(vType[0] - launcherType) >= 0.5) {
        float life = vLife[0] - dt;
        if (life <= 0.0) {
            return;
        }
        vec3 pos = vPosition[0];
        vec3 vel = vVelocity[0];
        // Lazy swirl: the phase hides in the tint, which differs per puff.
        float phase = vColor[0].g * 40.0;
        vec3 swirl = vec3(sin(pos.y * 2.3 + phase), 0.0, cos(pos.y * 1.7 + phase * 1.3));
        vel.xz = mix(vel.xz, draught.xz, 1.0 - exp(-0.8 * dt)) + swirl.xz * (0.6 * dt);
        vel.y = min(vel.y + 0.15 * dt, riseLimit);
        emit(vType[0], life, vSize[0] + growthPerSecond * dt, pos + vel * dt, vel, vColor[0]);
        return;
    }

    vec3 book = vVelocity[0];
    float pending = book.x + puffsPerSecond * dt;
    int wanted = min(int(pending), maxBurst);
    int room = max(max_Particels - cur_Particels, 0);
    int count = min(wanted, room);
    // Anything over the burst limit or the buffer's room is dropped, not owed.
    pending = min(pending - float(wanted), 1.0);
    float step = mod(book.y + 1.0, 4096.0);
    emit(vType[0], vLife[0], vSize[0], seed_Position, vec3(pending, step, 0.0), vColor[0]);

    uint state = hashUint(uint(step) ^ hashUint(floatBitsToUint(rand_Velocity.x)) ^
                          hashUint(floatBitsToUint(rand_Velocity.y) + 0x51ed27U) ^
                          uint(gl_PrimitiveIDIn) * 0x632be5abU);
    for (int i = 0; i < maxBurst; ++i) {
        if (i >= count) {
            break;
        }
        float angle = 6.2831853 * random01(state);
        float radius = sqrt(random01(state));
        // The pot is stretched to twice its width in x.
        vec3 mouth = seed_Position + vec3(0.0, mouthHeight + 0.08 * random01(state), 0.0) +
                     vec3(0.7 * cos(angle), 0.0, 0.35 * sin(angle)) * radius;
        vec3 vel = vec3(0.35 * (random01(state) - 0.5), 1.0 + 0.4 * random01(state),
                        0.25 * (random01(state) - 0.5)) + draught;
        float life = 2.0 + random01(state);
        float size = 0.35 + 0.2 * random01(state);
        float grey = 0.72 + 0.2 * random01(state);
        vec4 color = rand_Color * vec4(grey, grey, grey * 1.03, 0.10);
        // Spread a burst over the step so slow frames do not stack puffs in layers.
        float age = dt * (float(i) + random01(state)) / float(count);
        emit(steamType, life - age, size + growthPerSecond * age, mouth + vel * age, vel, color);
    }
}
