// SPDX-License-Identifier: GPL-3.0-or-later
#include "audio/GameSounds.h"

#include "app/AssetPath.h"
#include "app/GameClock.h"
#include "app/GameLoop.h"
#include "app/Screen.h"
#include "audio/AudioDevice.h"
#include "audio/SoundCues.h"
#include "audio/WavFile.h"
#include "scene/LoadModel.h"
#include "scene/SceneCatalogue.h"
#include "sim/Camera.h"
#include "sim/Controller.h"
#include "sim/GameUpdate.h"
#include "sim/MathConventions.h"

#include <AL/al.h>
#include <iostream>

namespace Pellwin {

namespace {

enum Sound {
    rollSound,
    flightSound,
    steamSound,
    jumpSound,
    landSound,
    knockSound,
    whooshSound,
    wonSound,
    lostSound,
    clickSound,
    soundCount
};

const char* const soundPaths[soundCount] = {
    "Resourcen\\Sounds\\roll.wav",   "Resourcen\\Sounds\\flight.wav",
    "Resourcen\\Sounds\\steam.wav",  "Resourcen\\Sounds\\jump.wav",
    "Resourcen\\Sounds\\land.wav",   "Resourcen\\Sounds\\knock.wav",
    "Resourcen\\Sounds\\whoosh.wav", "Resourcen\\Sounds\\won.wav",
    "Resourcen\\Sounds\\lost.wav",   "Resourcen\\Sounds\\click.wav",
};

// One source per thing that sounds; the six falling knives come last.
enum Voice {
    rolling,
    flight,
    steam,
    jump,
    land,
    knock,
    won,
    lost,
    click,
    firstKnife,
    voiceCount = firstKnife + fallingKnifeCount
};

struct VoiceSetup {
    Sound sound;
    float gain;
    bool loops;
    bool onPicture; // heard on the pictures, from the middle, not placed in the world
};

const VoiceSetup voiceSetups[firstKnife] = {
    {rollSound, 0.0f, true, false},  {flightSound, 0.7f, true, false},
    {steamSound, 0.8f, true, false}, {jumpSound, 1.0f, false, false},
    {landSound, 0.9f, false, false}, {knockSound, 1.0f, false, false},
    {wonSound, 0.8f, false, true},   {lostSound, 0.8f, false, true},
    {clickSound, 0.6f, false, true},
};
// Six knives fall at once; only those beside the ball should stand out, so they fade
// twice as fast with distance as everything else.
constexpr float knifeGain = 0.45f;
constexpr float knifeRolloff = 2.0f;
// About the camera's distance from the ball: the ball's own sounds play at their gain.
constexpr float fullGainDistance = 4.0f;

ALuint buffers[soundCount] = {};
ALuint sources[voiceCount] = {};
bool sourcesMade = false;
SoundWatch watch;
bool soundsHeld = false; // paused with the game

ALuint loadSound(const char* gamePath) {
    PcmSound pcm;
    ALuint buffer = 0;
    if (readPcmWav(toNativePath(gamePath), pcm)) {
        alGetError();
        alGenBuffers(1, &buffer);
        alBufferData(
            buffer, pcm.channels == 2 ? AL_FORMAT_STEREO16 : AL_FORMAT_MONO16, pcm.samples.data(),
            static_cast<ALsizei>(pcm.samples.size() * sizeof(pcm.samples[0])), pcm.sampleRate);
        if (alGetError() == AL_NO_ERROR) {
            return buffer;
        }
        alDeleteBuffers(1, &buffer);
    }
    std::cerr << "Sound '" << gamePath << "' is unreadable; it stays silent." << std::endl;
    return 0;
}

void makeVoice(Voice voice, Sound sound, float gain, bool loops, bool onPicture) {
    const ALuint source = sources[voice];
    alSourcei(source, AL_BUFFER, static_cast<ALint>(buffers[sound]));
    alSourcef(source, AL_GAIN, gain);
    alSourcei(source, AL_LOOPING, loops ? AL_TRUE : AL_FALSE);
    alSourcei(source, AL_SOURCE_RELATIVE, onPicture ? AL_TRUE : AL_FALSE);
    alSourcef(source, AL_REFERENCE_DISTANCE, fullGainDistance);
}

void placeAt(Voice voice, const LoadModel* object) {
    if (object != nullptr) {
        const glm::vec3 at = translationOf(object->modelMatrix);
        alSource3f(sources[voice], AL_POSITION, at.x, at.y, at.z);
    }
}

void placeListener(const glm::mat4& view) {
    const glm::mat4 eye = glm::inverse(view);
    const glm::vec3 forward = -glm::vec3(eye[2]);
    const glm::vec3 up(eye[1]);
    const float orientation[6] = {forward.x, forward.y, forward.z, up.x, up.y, up.z};
    alListener3f(AL_POSITION, eye[3].x, eye[3].y, eye[3].z);
    alListenerfv(AL_ORIENTATION, orientation);
}

GameMoment readMoment() {
    GameMoment moment;
    moment.screen = currentScreen();
    moment.seconds = deltaTime;
    moment.ball = translationOf(player->modelMatrix);
    moment.airborne = controller != nullptr && controller->jumping;
    moment.againstBarrier =
        blocked && Controller::touchesBarrier(player, marbleSlab, plank1, plank2);
    for (int k = 0; k < fallingKnifeCount; ++k) {
        const LoadModel* knife = *fallingKnives[k];
        moment.knifeHeights[k] = knife != nullptr ? knife->modelMatrix[3][1] : knifeStartHeight;
    }
    return moment;
}

void startPlaying() {
    placeAt(steam, pot);
    alSourcef(sources[rolling], AL_GAIN, 0.0f);
    const ALuint loops[3] = {sources[rolling], sources[flight], sources[steam]};
    alSourcePlayv(3, loops);
}

void stopPlaying() {
    // Everything of the game itself falls silent for the pictures.
    const ALuint inWorld[6] = {sources[rolling], sources[flight], sources[steam],
                               sources[jump],    sources[land],   sources[knock]};
    alSourceStopv(6, inWorld);
    alSourceStopv(fallingKnifeCount, sources + firstKnife);
}

void hearPlay(const SoundCues& cues) {
    placeListener(camera->view);
    placeAt(rolling, player);
    placeAt(flight, flyingKnife);
    const RollingLoop loop = rollingLoopAt(cues.rollSpeed);
    alSourcef(sources[rolling], AL_GAIN, loop.gain);
    alSourcef(sources[rolling], AL_PITCH, loop.pitch);
    for (int k = 0; k < fallingKnifeCount; ++k) {
        placeAt(static_cast<Voice>(firstKnife + k), *fallingKnives[k]);
        if (cues.whoosh[k]) {
            alSourcePlay(sources[firstKnife + k]);
        }
    }
    for (const auto& [cued, voice] :
         {std::pair{cues.jump, jump}, std::pair{cues.land, land}, std::pair{cues.knock, knock}}) {
        if (cued) {
            placeAt(voice, player);
            alSourcePlay(sources[voice]);
        }
    }
}

void makeSounds() {
    watch = SoundWatch();
    soundsHeld = false;
    for (int s = 0; s < soundCount; ++s) {
        buffers[s] = loadSound(soundPaths[s]);
    }
    alDistanceModel(AL_INVERSE_DISTANCE_CLAMPED);
    alGetError();
    alGenSources(voiceCount, sources);
    sourcesMade = alGetError() == AL_NO_ERROR;
    if (!sourcesMade) {
        std::cerr << "Sound: the audio device gives no voices; the game plays silently."
                  << std::endl;
        return;
    }
    for (int v = 0; v < firstKnife; ++v) {
        const VoiceSetup& setup = voiceSetups[v];
        makeVoice(static_cast<Voice>(v), setup.sound, setup.gain, setup.loops, setup.onPicture);
    }
    for (int k = 0; k < fallingKnifeCount; ++k) {
        makeVoice(static_cast<Voice>(firstKnife + k), whooshSound, knifeGain, false, false);
        alSourcef(sources[firstKnife + k], AL_ROLLOFF_FACTOR, knifeRolloff);
    }
}

void releaseSounds() {
    if (sourcesMade) {
        alDeleteSources(voiceCount, sources);
        sourcesMade = false;
    }
    for (ALuint& buffer : buffers) {
        if (buffer != 0) {
            alDeleteBuffers(1, &buffer);
            buffer = 0;
        }
    }
}

// A paused game's sounds wait where they are, loops and all, and go on when it does.
void holdSounds() {
    if (!soundsHeld) {
        alSourcePausev(voiceCount, sources);
        soundsHeld = true;
    }
}

void releaseHeldSounds() {
    if (!soundsHeld) {
        return;
    }
    soundsHeld = false;
    for (const ALuint source : sources) {
        ALint state = AL_STOPPED;
        alGetSourcei(source, AL_SOURCE_STATE, &state);
        if (state == AL_PAUSED) {
            alSourcePlay(source);
        }
    }
}

} // namespace

void openGameSounds() {
    closeGameSounds();
    watch = SoundWatch();
    if (openAudioDevice()) {
        makeSounds();
    }
}

bool keepSoundDevice(double now) {
    if (audioDeviceGone()) {
        releaseSounds();
        closeAudioDevice();
        std::cerr << "Sound: the audio device is gone; the game plays silently until one is back."
                  << std::endl;
        return true;
    }
    if (!reopenAudioDevice(now)) {
        return false;
    }
    // A fresh watch: the next frame of play starts the loops again.
    makeSounds();
    std::cerr << "Sound: an audio device is open; the game plays with sound." << std::endl;
    return true;
}

int voicesPlaying() {
    int playingNow = 0;
    for (int v = 0; sourcesMade && v < voiceCount; ++v) {
        ALint state = AL_STOPPED;
        alGetSourcei(sources[v], AL_SOURCE_STATE, &state);
        playingNow += state == AL_PLAYING ? 1 : 0;
    }
    return playingNow;
}

void updateGameSounds() {
    keepSoundDevice(readGameClock());
    if (!sourcesMade || player == nullptr || camera == nullptr) {
        return;
    }
    if (currentScreen() == Screen::paused) {
        holdSounds();
        return;
    }
    releaseHeldSounds();
    const bool wasPlaying = watch.watching && watch.previous.screen == Screen::playing;
    const SoundCues cues = watchFrame(watch, readMoment());
    const bool nowPlaying = watch.previous.screen == Screen::playing;
    if (nowPlaying && !wasPlaying) {
        startPlaying();
    }
    if (nowPlaying) {
        hearPlay(cues);
    } else if (wasPlaying) {
        stopPlaying();
    }
    for (const auto& [cued, voice] :
         {std::pair{cues.jingle, won}, std::pair{cues.sting, lost}, std::pair{cues.click, click}}) {
        if (cued) {
            alSourcePlay(sources[voice]);
        }
    }
}

void closeGameSounds() {
    releaseSounds();
    closeAudioDevice();
}

} // namespace Pellwin
