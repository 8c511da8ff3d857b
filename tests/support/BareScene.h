#pragma once

namespace TolvaTest {

// Fills every scene global with a mesh-less object (scale 1, identity matrix) plus a
// camera and a controller without a window: enough world for the rules, no GL needed.
void buildBareScene();
void destroyBareScene();

// RAII wrapper for a test fixture.
struct BareScene {
    BareScene() { buildBareScene(); }
    ~BareScene() { destroyBareScene(); }
    BareScene(const BareScene&) = delete;
    BareScene& operator=(const BareScene&) = delete;
};

} // namespace TolvaTest
