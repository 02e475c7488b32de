#pragma once
#include <array>
#include <memory>
#include <string>

#include "audio/AudioBackend.h"

// A loaded sound; empty, and silent, when its file could not be read.
class SoundEffect {
public:
    SoundEffect() = default;
    explicit SoundEffect(int id) : id(id) {}
    bool Empty() const { return id == 0; }
    int Id() const { return id; }

private:
    int id = 0;
};

class SoundPlayer {
public:
    explicit SoundPlayer(std::unique_ptr<AudioBackend> backend) : backend(std::move(backend)) {}
    SoundEffect Load(const std::string& path) { return SoundEffect(backend->Load(path)); }
    void Play(const SoundEffect& sound);

    // Nothing is heard (a replay seeking).
    void SetMuted(bool mute) { muted = mute; }
    // Each sound at most once a frame: a replay played fast stays a sound of
    // the game, not a roar. NewFrame starts the next frame.
    void SetOncePerFrame(bool once) { oncePerFrame = once; }
    void NewFrame() { playedCount = 0; }

private:
    std::unique_ptr<AudioBackend> backend;
    bool muted = false, oncePerFrame = false;
    // The sounds played this frame; there are a dozen of them.
    std::array<int, 16> played{};
    std::size_t playedCount = 0;
};
