#include "audio/platform/MusicStream.h"

#include <SDL_mixer.h>

#include <algorithm>
#include <chrono>
#include <cmath>

namespace {
// A block lasts 23 ms; looking this often keeps the blocks ahead full.
constexpr auto kIdle = std::chrono::milliseconds(2);
}  // namespace

MusicStream::MusicStream(std::shared_ptr<Mixer> mixer, BlockSource& source)
    : mixer(std::move(mixer)), source(source) {
    if (!this->mixer->IsOpen()) return;
    synthesis = std::thread(&MusicStream::Synthesise, this);
    Mix_HookMusic(&MusicStream::MixCallback, this);
}

MusicStream::~MusicStream() {
    // Once the hook is gone the audio thread is out of this object for good.
    if (mixer->IsOpen()) Mix_HookMusic(nullptr, nullptr);
    quit.store(true);
    if (synthesis.joinable()) synthesis.join();
}

void MusicStream::Synthesise() {
    while (!quit.load()) {
        unsigned w = written.load(std::memory_order_relaxed);
        if (!running.load() || w - read.load(std::memory_order_acquire) >= kBlocks) {
            std::this_thread::sleep_for(kIdle);
            continue;
        }
        Block& block = blocks[w % kBlocks];
        // Taken before rendering: a flush while it renders drops this block.
        block.epoch = epoch.load();
        source.Fill(block.samples.data(), Mixer::kFrames);
        written.store(w + 1, std::memory_order_release);
    }
}

void SDLCALL MusicStream::MixCallback(void* self, Uint8* stream, int bytes) {
    static_cast<MusicStream*>(self)->Mix(
        reinterpret_cast<Sint16*>(stream),
        bytes / static_cast<int>(sizeof(Sint16) * Mixer::kChannels));
}

void MusicStream::Mix(Sint16* out, int frames) {
    if (!running.load()) return;
    const float left = 32768.0f * leftVolume.load() / SDL_MIX_MAXVOLUME;
    const float right = 32768.0f * rightVolume.load() / SDL_MIX_MAXVOLUME;
    for (int at = 0; at < frames;) {
        unsigned r = read.load(std::memory_order_relaxed);
        if (r == written.load(std::memory_order_acquire)) return;  // behind: silence
        const Block& block = blocks[r % kBlocks];
        int n = std::min(frames - at, Mixer::kFrames - readFrame);
        if (block.epoch == epoch.load()) {
            const float* from = block.samples.data() + 2 * readFrame;
            for (int i = 0; i < n; ++i) {
                mixed[2 * i] = static_cast<Sint16>(
                    std::clamp(std::lround(from[2 * i] * left), -32768L, 32767L));
                mixed[2 * i + 1] = static_cast<Sint16>(
                    std::clamp(std::lround(from[2 * i + 1] * right), -32768L, 32767L));
            }
            // Adds with clipping, as the mixer does for its channels.
            SDL_MixAudioFormat(reinterpret_cast<Uint8*>(out + 2 * at),
                               reinterpret_cast<const Uint8*>(mixed.data()), AUDIO_S16SYS,
                               static_cast<Uint32>(n * 2 * sizeof(Sint16)), SDL_MIX_MAXVOLUME);
            at += n;
            readFrame += n;
        } else {
            readFrame = Mixer::kFrames;  // rendered before a flush: never heard
        }
        if (readFrame == Mixer::kFrames) {
            readFrame = 0;
            read.store(r + 1, std::memory_order_release);
        }
    }
}
