// SPDX-License-Identifier: GPL-3.0-or-later
// The WAV reader that trusts no file, and the watch that turns the game's state into sounds.
#include "audio/SoundCues.h"
#include "audio/WavFile.h"

#include <gtest/gtest.h>
#include <tuple>

using namespace Pellwin;

TEST(WavFile, ReadsWhole16BitPcmAndNothingElse) {
    const std::vector<unsigned char> good = {
        // mono, 22050 Hz, four samples
        'R', 'I', 'F', 'F', 52, 0, 0,  0,  'W', 'A', 'V', 'E', 'f', 'm', 't', ' ', 16, 0,
        0,   0,   1,   0,   1,  0, 34, 86, 0,   0,   68,  172, 0,   0,   2,   0,   16, 0,
        'd', 'a', 't', 'a', 8,  0, 0,  0,  1,   0,   2,   0,   3,   0,   4,   0};
    const std::tuple<const char*, size_t, unsigned char> spoilt[] = {
        {"float samples", 20, 3}, {"three channels", 22, 3},  {"a byte rate off", 28, 69},
        {"8-bit samples", 34, 8}, {"no data chunk", 36, 'x'}, {"data past the end", 40, 10},
        {"half a sample", 40, 7}};
    for (const auto& [what, at, value] : spoilt) {
        std::vector<unsigned char> bytes = good;
        bytes[at] = value;
        PcmSound sound;
        EXPECT_TRUE(!decodePcmWav(bytes.data(), bytes.size(), sound) && sound.samples.empty())
            << what;
    }
    PcmSound sound;
    ASSERT_TRUE(decodePcmWav(good.data(), good.size(), sound));
    EXPECT_TRUE(sound.samples == std::vector<int16_t>({1, 2, 3, 4}) && sound.sampleRate == 22050 &&
                sound.channels == 1);
}

TEST(SoundCues, EachHappeningSoundsOnceAndTheBallRollsOnlyOnTheWorktop) {
    auto at = [](Screen screen, float z, bool against = false, bool air = false,
                 float knife = 30.0f, float seconds = 0.0625f) {
        return GameMoment{screen, seconds, {0, 5, z}, air, against, {30, 30, 30, knife, 30, 30}};
    };
    const Screen play = Screen::playing;
    // What each frame cues: click, Jingle, sting, jump, land, knock, whoosh of knife 4, roll.
    const std::pair<GameMoment, const char*> frames[] = {
        // clang-format off
        {at(Screen::title, -9), ""},       {at(play, -9), "c"},
        {at(play, -9, true), "k"},         {at(play, -9.5f), "r"},
        {at(play, -9.5f, true), ""},       {at(play, -10, false, false, 30, 0.4f), "r"},
        {at(play, -10, true), "k"},        {at(play, -11, false, true, 10.5f), "j"},
        {at(play, -12, false, false, 10), "lwr"}, {at(play, -13, false, false, 3), "r"},
        {at(Screen::lost, -13), "s"},      {at(Screen::lost, -13), ""},
        {at(Screen::title, -9), "c"},      {at(play, -9), "c"},
        {at(Screen::won, -100), "J"},
        // clang-format on
    };
    SoundWatch watch;
    for (size_t i = 0; i < std::size(frames); ++i) {
        const SoundCues c = watchFrame(watch, frames[i].first);
        const bool cued[] = {c.click, c.jingle, c.sting,     c.jump,
                             c.land,  c.knock,  c.whoosh[3], c.rollSpeed > 0.0f};
        std::string heard;
        for (int k = 0; k < 8; ++k) {
            heard += cued[k] ? std::string(1, "cJsjlkwr"[k]) : "";
        }
        EXPECT_EQ(heard, frames[i].second) << "frame " << i;
    }
    EXPECT_EQ(rollingLoopAt(0.0f).gain, 0.0f) << "a ball pressed against a plank is silent";
    for (float speed : {2.5f, 10.0f}) {
        EXPECT_GT(rollingLoopAt(speed * 2).gain, rollingLoopAt(speed).gain) << speed;
        EXPECT_GT(rollingLoopAt(speed * 2).pitch, rollingLoopAt(speed).pitch) << speed;
    }
}
