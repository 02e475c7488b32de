#pragma once
#include <string>

// One piece of music at a time.
class MusicBackend {
public:
    virtual ~MusicBackend() = default;
    // Discards the current piece and loads another; false when it cannot be read.
    virtual bool Open(const std::string& path) = 0;
    // True with no piece loaded and once a running piece reached its end.
    virtual bool IsComplete() = 0;
    virtual void SetPosition(double seconds) = 0;
    virtual void Play() = 0;
    virtual void Pause() = 0;
    virtual void Stop() = 0;
    // Hundredths of a decibel, -10000 (silent) to 0 (full).
    virtual void SetVolume(int level) = 0;
};
