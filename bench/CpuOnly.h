#pragma once

namespace TolvaBench {

struct CpuFigures {
    int frames = 0;
    int repetitions = 0;
    double usPerFrame = 0.0;      // thread CPU time: input, update, sun line and culling
    double logicUsPerFrame = 0.0; // the same without the culling tests
    double cullUsPerFrame = 0.0;
    int rounds = 0;
    double visiblePerFrame = 0.0;
};

// Plays the scripted game in a world of mesh-less objects at a fixed 60 Hz, without GL.
CpuFigures runCpuOnly(int frames, int repetitions);

// One pass of the whole frame, nothing else: what a profiler collects.
void runCpuProfilePass(int frames);

// The measured loop itself; its own function so a profiler can collect just it.
struct CpuLoopTally {
    long visible = 0;
    long sunBlocked = 0;
    int rounds = 0;
};
CpuLoopTally runCpuFrames(int frames, bool withCulling);

} // namespace TolvaBench
