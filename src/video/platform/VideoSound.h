#pragma once
// The video's sound, mixed into the game's SDL2_mixer output after everything
// else. The decoder pushes samples in the mixer's own format; the mixer's
// thread takes them.
#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

#include <SDL.h>

extern "C" {
#include <libavutil/samplefmt.h>
}

class VideoSound {
public:
    // Null, with one line on stderr, when the mixer is not open or its format is
    // one we cannot write.
    static std::unique_ptr<VideoSound> Open();
    ~VideoSound();
    VideoSound(const VideoSound&) = delete;
    VideoSound& operator=(const VideoSound&) = delete;

    int Rate() const { return rate; }
    int Channels() const { return channels; }
    AVSampleFormat SampleFormat() const { return sampleFormat; }

    // Decoder's side.
    void Push(const uint8_t* samples, int bytes);
    double BufferedSeconds();
    void Clear();
    // Only heard while playing; the samples wait meanwhile.
    void SetPlaying(bool on) { playing = on; }

private:
    VideoSound(int rate, SDL_AudioFormat format, int channels, AVSampleFormat sampleFormat);
    static void PostMix(void* self, Uint8* stream, int length);

    int rate, channels;
    SDL_AudioFormat format;
    AVSampleFormat sampleFormat;
    int bytesPerSecond;
    std::atomic<bool> playing{false};
    std::mutex lock;
    SDL_AudioStream* fifo = nullptr;  // same format in and out: a queue of samples
    std::vector<uint8_t> scratch;
};
