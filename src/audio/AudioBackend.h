#pragma once
#include <string>

// Sound effects: decoded once, then started fire-and-forget, any number at once.
class AudioBackend {
public:
    virtual ~AudioBackend() = default;
    // Decodes a WAV file; 0 when it cannot be read.
    virtual int Load(const std::string& path) = 0;
    // Starts one more independent playback of a loaded sound.
    virtual void Play(int sound) = 0;
};
