#include "sim/MathConventions.h"

#include <cmath>
#include <glm/glm.hpp>
#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

using namespace Pellwin;

namespace {

constexpr float tolerance = 1e-6f;

void expectVec3Near(const glm::vec3& actual, const glm::vec3& expected, float eps = tolerance) {
    EXPECT_NEAR(actual.x, expected.x, eps);
    EXPECT_NEAR(actual.y, expected.y, eps);
    EXPECT_NEAR(actual.z, expected.z, eps);
}

glm::vec3 mapDirection(const glm::mat4& m, const glm::vec3& v) {
    return glm::vec3(m * glm::vec4(v, 0.0f));
}

} // namespace

TEST(MathConventions, FreshMatrixIsTheIdentity) {
    const glm::mat4 m = identityMatrix();
    for (int c = 0; c < 4; ++c) {
        for (int r = 0; r < 4; ++r) {
            EXPECT_EQ(m[c][r], c == r ? 1.0f : 0.0f) << "column " << c << " row " << r;
        }
    }
}

TEST(MathConventions, AnglesAreDegrees) {
    EXPECT_EQ(radiansFromDegrees(0.0f), 0.0f);
    EXPECT_NEAR(radiansFromDegrees(180.0f), 3.14159265f, 1e-6f);
    EXPECT_NEAR(radiansFromDegrees(-90.0f), -1.57079633f, 1e-6f);
}

TEST(MathConventions, RotationIsInDegreesRightHandedAndPostMultiplied) {
    // A quarter turn about +y takes +x to -z and +z to +x.
    const glm::mat4 yaw = rotateDegrees(identityMatrix(), 90.0f, glm::vec3(0.0f, 1.0f, 0.0f));
    expectVec3Near(mapDirection(yaw, {1.0f, 0.0f, 0.0f}), {0.0f, 0.0f, -1.0f});
    expectVec3Near(mapDirection(yaw, {0.0f, 0.0f, 1.0f}), {1.0f, 0.0f, 0.0f});
    expectVec3Near(mapDirection(yaw, {0.0f, 1.0f, 0.0f}), {0.0f, 1.0f, 0.0f});

    // Counter-clockwise seen from the tip of the axis: +x goes to +y about +z.
    const glm::mat4 roll = rotateDegrees(identityMatrix(), 90.0f, glm::vec3(0.0f, 0.0f, 1.0f));
    expectVec3Near(mapDirection(roll, {1.0f, 0.0f, 0.0f}), {0.0f, 1.0f, 0.0f});

    // The axis need not be unit length.
    const glm::mat4 longAxis = rotateDegrees(identityMatrix(), 90.0f, glm::vec3(0.0f, 7.0f, 0.0f));
    for (int c = 0; c < 4; ++c) {
        for (int r = 0; r < 4; ++r) {
            EXPECT_NEAR(longAxis[c][r], yaw[c][r], tolerance);
        }
    }

    // Rotating a placed object keeps its position: column 3 is carried over.
    const glm::mat4 placed = glm::translate(identityMatrix(), glm::vec3(3.0f, -2.0f, 7.5f));
    const glm::mat4 turned = rotateDegrees(placed, 90.0f, glm::vec3(0.0f, 1.0f, 0.0f));
    EXPECT_EQ(translationOf(turned), glm::vec3(3.0f, -2.0f, 7.5f));
    EXPECT_EQ(turned[3][3], 1.0f);
}

TEST(MathConventions, TranslateAfterScaleMovesAlongTheScaledAxes) {
    const glm::mat4 scaled = glm::scale(identityMatrix(), glm::vec3(5.5f, 5.5f, 5.5f));
    const glm::mat4 moved = glm::translate(scaled, glm::vec3(0.0f, -1.2f, 0.0f));
    expectVec3Near(translationOf(moved), {0.0f, -6.6f, 0.0f}, 1e-5f);
    // The scale itself is untouched by the move.
    EXPECT_EQ(moved[1][1], 5.5f);

    // Scale and translation column layout: m[c][r], translation in column 3.
    const glm::mat4 t = glm::translate(identityMatrix(), glm::vec3(1.0f, 2.0f, 3.0f));
    EXPECT_EQ(t[3][0], 1.0f);
    EXPECT_EQ(t[3][1], 2.0f);
    EXPECT_EQ(t[3][2], 3.0f);
    EXPECT_EQ(&t[3][0] - &t[0][0], 12);
}

TEST(MathConventions, PerspectiveMatchesTheScreensProjections) {
    struct Case {
        float fovy, nearPlane, farPlane, m22, m32;
    };
    // Won and lost screens, title screen, playing.
    const Case cases[] = {{60.0f, 0.1f, 20.0f, -1.0100503f, -0.20100503f},
                          {60.0f, 0.1f, 200.0f, -1.0010005f, -0.20010005f},
                          {90.0f, 0.1f, 1000.0f, -1.0002f, -0.20002f}};
    const float aspect = 1024.0f / 768.0f;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.farPlane);
        const glm::mat4 p = perspectiveDegrees(c.fovy, aspect, c.nearPlane, c.farPlane);
        const float t = std::tan(c.fovy / 2.0f * 0.017453292f);
        EXPECT_NEAR(p[2][2], c.m22, 1e-6f);
        EXPECT_NEAR(p[3][2], c.m32, 1e-6f);
        EXPECT_NEAR(p[0][0], 1.0f / (aspect * t), 1e-5f);
        EXPECT_NEAR(p[1][1], 1.0f / t, 1e-5f);
        EXPECT_EQ(p[2][3], -1.0f);
        // Everything else is zero: OpenGL clip space, w = -z_eye.
        for (int col = 0; col < 4; ++col) {
            for (int row = 0; row < 4; ++row) {
                const bool used =
                    (col == row && col < 3) || (col == 2 && row == 3) || (col == 3 && row == 2);
                if (!used) {
                    EXPECT_EQ(p[col][row], 0.0f) << "column " << col << " row " << row;
                }
            }
        }
    }
    // A 90-degree view sees as far up as forward.
    EXPECT_NEAR(perspectiveDegrees(90.0f, 1.0f, 0.1f, 1000.0f)[1][1], 1.0f, 1e-6f);

    // Depth runs from -w at the near plane to +w at the far plane.
    const glm::mat4 playing = perspectiveDegrees(90.0f, aspect, 0.1f, 1000.0f);
    const glm::vec4 atNear = playing * glm::vec4(0.0f, 0.0f, -0.1f, 1.0f);
    const glm::vec4 atFar = playing * glm::vec4(0.0f, 0.0f, -1000.0f, 1.0f);
    EXPECT_NEAR(atNear.z / atNear.w, -1.0f, 1e-4f);
    EXPECT_NEAR(atFar.z / atFar.w, 1.0f, 1e-4f);
}

TEST(MathConventions, ScreenViewIsAPureTranslation) {
    const glm::mat4 view = glm::lookAt(glm::vec3(0.0f, 0.0f, 5.0f), glm::vec3(0.0f, 0.0f, 0.0f),
                                       glm::vec3(0.0f, 1.0f, 0.0f));
    for (int c = 0; c < 4; ++c) {
        for (int r = 0; r < 4; ++r) {
            const float expected = (c == 3 && r == 2) ? -5.0f : (c == r ? 1.0f : 0.0f);
            EXPECT_NEAR(view[c][r], expected, tolerance) << "column " << c << " row " << r;
        }
    }
    // A scaled up vector gives the same view.
    const glm::mat4 longUp = glm::lookAt(glm::vec3(0.0f, 0.0f, 5.0f), glm::vec3(0.0f, 0.0f, 0.0f),
                                         glm::vec3(0.0f, 3.0f, 0.0f));
    for (int c = 0; c < 4; ++c) {
        for (int r = 0; r < 4; ++r) {
            EXPECT_NEAR(longUp[c][r], view[c][r], tolerance);
        }
    }
}
