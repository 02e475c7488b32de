#pragma once
#include <memory>
#include <string>

#include "audio/MusicBackend.h"

class MusicPlayer {
public:
    explicit MusicPlayer(std::unique_ptr<MusicBackend> backend) : backend(std::move(backend)) {}

    bool Open(const std::string& path) { return backend->Open(path); }
    void Play() { backend->Play(); }
    void Pause() { backend->Pause(); }
    // Stops and rewinds.
    void Stop();
    void SetPosition(double seconds) { backend->SetPosition(seconds); }
    bool IsComplete() { return backend->IsComplete(); }
    // Linear 0..1, outside clamped.
    void SetVolume(float volume) { backend->SetVolume(VolumeLevel(volume)); }

    // The level for a linear volume: 1000 log10(v) hundredths of a decibel,
    // truncated and clamped to -10000..0.
    static int VolumeLevel(float volume);

private:
    std::unique_ptr<MusicBackend> backend;
};
