#pragma once
#include <memory>

// The SDL2_mixer output that the effects, the music and the video's sound share.
// It opens on the sound device when there is one and on SDL's dummy driver
// otherwise, so a machine without sound runs the game silently. Its format is
// fixed, and others can read it with Mix_QuerySpec.
class Mixer {
public:
    static constexpr int kRate = 44100;
    static constexpr int kChannels = 2;
    // 1024 frames: 23 ms, short enough for effects to land on their frame.
    static constexpr int kFrames = 1024;

    Mixer();
    ~Mixer();
    Mixer(const Mixer&) = delete;
    Mixer& operator=(const Mixer&) = delete;

    // False only when not even the dummy driver opened; nothing can play then.
    bool IsOpen() const { return open; }

private:
    bool open = false;
};
