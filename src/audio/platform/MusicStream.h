#pragma once
#include <SDL.h>

#include <array>
#include <atomic>
#include <memory>
#include <thread>

#include "audio/platform/Mixer.h"

// Renders a block of music: called on the stream's own thread only.
class BlockSource {
public:
    virtual ~BlockSource() = default;
    // Fills `frames` frames of interleaved left and right samples, full scale 1.
    virtual void Fill(float* samples, int frames) = 0;
};

// Music into the mixer's music slot, synthesised ahead on a thread of its own
// into a few blocks that the mixer's callback only copies. The callback runs
// under the mixer's lock, which every effect started from the game also takes:
// synthesis there would make a step of the game wait for it.
class MusicStream {
public:
    // Blocks of Mixer::kFrames, enough to ride out a slow block or two.
    static constexpr int kBlocks = 4;

    MusicStream(std::shared_ptr<Mixer> mixer, BlockSource& source);
    ~MusicStream();
    MusicStream(const MusicStream&) = delete;
    MusicStream& operator=(const MusicStream&) = delete;

    // While not running nothing is rendered and nothing is heard; what was
    // rendered ahead is heard when it runs again.
    void SetRunning(bool run) { running.store(run); }
    // Drops what was rendered ahead: the source changed what it plays.
    void Flush() { ++epoch; }
    // Of SDL_MIX_MAXVOLUME, applied as the samples are heard.
    void SetVolume(int left, int right) {
        leftVolume.store(left);
        rightVolume.store(right);
    }

private:
    struct Block {
        int epoch = 0;
        std::array<float, Mixer::kFrames * Mixer::kChannels> samples{};
    };

    void Synthesise();
    static void SDLCALL MixCallback(void* self, Uint8* stream, int bytes);
    void Mix(Sint16* out, int frames);

    std::shared_ptr<Mixer> mixer;
    BlockSource& source;
    std::array<Block, kBlocks> blocks;
    // Blocks written and read so far; the difference is what waits to be heard.
    std::atomic<unsigned> written{0}, read{0};
    int readFrame = 0;  // the callback's own
    std::atomic<int> epoch{0};
    std::atomic<bool> running{false}, quit{false};
    std::atomic<int> leftVolume{SDL_MIX_MAXVOLUME}, rightVolume{SDL_MIX_MAXVOLUME};
    std::array<Sint16, Mixer::kFrames * Mixer::kChannels> mixed{};
    std::thread synthesis;
};
