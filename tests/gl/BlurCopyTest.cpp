// A sharp frame is copied to the window; it must show what the blur program shows.
#include "app/GameLoop.h"
#include "render/FrameRenderer.h"
#include "render/RenderTarget.h"
#include "support/GlTestWindow.h"

#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

using namespace Pellwin;
using namespace TolvaTest;

TEST(BlurCopy, ShowsWhatTheBlurProgramShowsWhenSharp) {
    startGame();
    // Just past the speed no ball makes the program runs and keeps every pixel sharp;
    // standing still the pass copies.
    std::vector<uint8_t> shown[2];
    for (const float step : {0.402f, 0.0f}) {
        deltaTime = 0.01f;
        previousBallPosition = glm::vec3(0.0f, 5.0f, -20.0f);
        currentBallPosition = previousBallPosition + glm::vec3(0.0f, 0.0f, -step);
        renderMotionBlur(projectionMatrix, viewMatrix);
        glfwSwapBuffers(testWindow());
        shown[step > 0.0f ? 0 : 1] = readWindow().rgb;
    }
    EXPECT_EQ(shown[0], shown[1]);
    EXPECT_NE(shown[0], std::vector<uint8_t>(shown[0].size(), 0)) << "the scene is missing";
    returnToTitle();
}
