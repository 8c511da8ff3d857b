// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "app/KeyInput.h"
#include "support/BareScene.h"

#include <gtest/gtest.h>

namespace TolvaTest {

class BareLevel : public ::testing::Test {
protected:
    void SetUp() override { layOutBareLevel(); }
    void TearDown() override {
        Pellwin::setKeyReader(nullptr);
        destroyBareScene();
    }
};

} // namespace TolvaTest
