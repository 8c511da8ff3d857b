#pragma once
#include <string>
#include <vector>

namespace TolvaBench {

struct StartUpSplit {
    double execToMainMs = 0.0;
    double mainToWindowMs = 0.0; // window, context and GL entry points
    double setUpGameMs = 0.0;    // programs, objects, first level
    double firstFrameMs = 0.0;   // the first title picture, swapped and finished
    double totalMs = 0.0;        // process start to the first title picture
};

// Opens the 1024 x 768 window exactly as the game does, builds the world and shows the
// first title picture. `mainStampMs` is the steady clock at the top of main.
StartUpSplit startGame(double mainStampMs, double execToMainMs);
void stopGame();
std::string glString(unsigned int name);

struct RoundTally {
    int rounds = 0;
    int wins = 0;
    int losses = 0;
};

// Whole runFrame calls while a round runs, in ms; F1 starts each new round. Between them,
// up to `floorCount` bare frames that only clear the render target, blur it and swap.
struct WholeFrames {
    std::vector<double> runFrame;
    std::vector<double> floor;
};
WholeFrames playWholeFrames(int count, int floorCount, RoundTally& tally);

// The playing frame's steps done one by one, each finished on the GPU before the next.
struct FrameParts {
    std::vector<double> clearAndEvents;
    std::vector<double> inputUpdate;
    std::vector<double> scene;
    std::vector<double> blur;
    std::vector<double> swap;
    std::vector<double> total;
    int glErrorFrames = 0;
};
FrameParts playSplitFrames(int count, RoundTally& tally);

// The scene pass taken apart: each draw of its fixed order finished on its own, in ms per
// frame over `count` playing frames, in draw order.
struct DrawCost {
    std::string name;
    double msPerFrame;
};
std::vector<DrawCost> profileSceneDraws(int count);

struct RestartMemory {
    int restarts = 0;
    long rssAfterFirstKb = 0;
    long rssAfterLastKb = 0;
    double msPerRestart = 0.0;
};
RestartMemory measureRestarts(int restarts);

struct FreshParts {
    double shaderBuildsMs = 0.0;
    double modelImportsMs = 0.0;
    double textureLoadsMs = 0.0;
    double textureDecodeMs = 0.0; // decode and 32-bit conversion, as the loader does
    double levelSetUpMs = 0.0;
    double floorDecodeMs = 0.0; // PNG decode alone
    double floorCompileMs = 0.0;
};
FreshParts measureFreshParts(int repetitions);

// The eight programs built afresh, in ms.
double timeShaderBuilds();

struct AssetState {
    int modelFiles = 0;
    int modelFilesPresent = 0;
    int pictures = 0;
    int picturesPresent = 0;
    long bytes = 0;
};
AssetState inspectAssets();

struct RelinkFigures {
    int updates = 0;
    double linkedOnceMs = 0.0;
    double relinkedMs = 0.0;
    int particles = 0;
};
RelinkFigures measureRelink(int updates);

} // namespace TolvaBench
