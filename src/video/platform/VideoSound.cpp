#include "video/platform/VideoSound.h"

#include <algorithm>
#include <cstdio>

#include <SDL_mixer.h>

namespace {

// The one sound that holds the mixer's post-mix hook.
std::atomic<VideoSound*> hookOwner{nullptr};

AVSampleFormat ToSampleFormat(Uint16 format) {
    switch (format) {
        case AUDIO_U8:
            return AV_SAMPLE_FMT_U8;
        case AUDIO_S16SYS:
            return AV_SAMPLE_FMT_S16;
        case AUDIO_S32SYS:
            return AV_SAMPLE_FMT_S32;
        case AUDIO_F32SYS:
            return AV_SAMPLE_FMT_FLT;
        default:
            return AV_SAMPLE_FMT_NONE;
    }
}

}  // namespace

std::unique_ptr<VideoSound> VideoSound::Open() {
    int rate = 0, channels = 0;
    Uint16 format = 0;
    if (Mix_QuerySpec(&rate, &format, &channels) == 0) {
        std::fprintf(stderr, "velmora: the video plays silent: the sound output is not open\n");
        return nullptr;
    }
    AVSampleFormat sampleFormat = ToSampleFormat(format);
    if (sampleFormat == AV_SAMPLE_FMT_NONE || channels < 1) {
        std::fprintf(stderr,
                     "velmora: the video plays silent: sound format 0x%x is not supported\n",
                     format);
        return nullptr;
    }
    std::unique_ptr<VideoSound> sound(new VideoSound(rate, format, channels, sampleFormat));
    if (!sound->fifo) {
        std::fprintf(stderr, "velmora: the video plays silent: %s\n", SDL_GetError());
        return nullptr;
    }
    hookOwner = sound.get();
    Mix_SetPostMix(&VideoSound::PostMix, sound.get());
    return sound;
}

VideoSound::VideoSound(int rate, SDL_AudioFormat format, int channels, AVSampleFormat sampleFormat)
    : rate(rate),
      channels(channels),
      format(format),
      sampleFormat(sampleFormat),
      bytesPerSecond(rate * channels * av_get_bytes_per_sample(sampleFormat)),
      fifo(SDL_NewAudioStream(format, static_cast<Uint8>(channels), rate, format,
                              static_cast<Uint8>(channels), rate)),
      scratch(16384) {}

VideoSound::~VideoSound() {
    // Once the hook is replaced the mixer's thread no longer reaches us.
    VideoSound* self = this;
    if (hookOwner.compare_exchange_strong(self, nullptr)) Mix_SetPostMix(nullptr, nullptr);
    if (fifo) SDL_FreeAudioStream(fifo);
}

void VideoSound::Push(const uint8_t* samples, int bytes) {
    std::lock_guard guard(lock);
    SDL_AudioStreamPut(fifo, samples, bytes);
}

double VideoSound::BufferedSeconds() {
    std::lock_guard guard(lock);
    return static_cast<double>(SDL_AudioStreamAvailable(fifo)) / bytesPerSecond;
}

void VideoSound::Clear() {
    std::lock_guard guard(lock);
    SDL_AudioStreamClear(fifo);
}

void VideoSound::PostMix(void* data, Uint8* stream, int length) {
    auto* self = static_cast<VideoSound*>(data);
    if (!self->playing) return;
    std::lock_guard guard(self->lock);
    while (length > 0) {
        int want = std::min(length, static_cast<int>(self->scratch.size()));
        int got = SDL_AudioStreamGet(self->fifo, self->scratch.data(), want);
        if (got <= 0) return;
        SDL_MixAudioFormat(stream, self->scratch.data(), self->format, static_cast<Uint32>(got),
                           SDL_MIX_MAXVOLUME);
        stream += got;
        length -= got;
    }
}
