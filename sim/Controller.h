// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

struct GLFWwindow;

namespace Pellwin {

class LoadModel;

// Turns the keyboard into the ball's travel, sideways moves, steering and jumps.
class Controller {
public:
    float speed;
    bool jumping;
    GLFWwindow* window;
    LoadModel* player;
    LoadModel* barriers[3];
    float jumpTime;
    bool landedInRaisedZone;
    int rightSteps;
    int leftSteps;

    explicit Controller(GLFWwindow* window);
    virtual ~Controller() = default;
    Controller(const Controller&) = delete;
    Controller& operator=(const Controller&) = delete;

    // One frame of input: moveBall, then steer.
    void handleInput();
    // Jump, travel and sideways keys over deltaTime.
    void moveBall();
    // The arrow keys; each call counts as one frame against the steering limit.
    void steer();

    // The controller's own contact test; it pairs the slab's axes differently from the
    // game update's.
    static bool touchesBarrier(LoadModel* player, LoadModel* slab, LoadModel* plankA,
                               LoadModel* plankB);

private:
    void jumpOrLand();
    void travel(float dt, bool wasBlocked);
    void moveSideways(float dt, bool wasBlocked);
};

} // namespace Pellwin
