#pragma once
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
    void Play(const SoundEffect& sound) {
        if (!sound.Empty()) backend->Play(sound.Id());
    }

private:
    std::unique_ptr<AudioBackend> backend;
};
