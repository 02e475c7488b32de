// The background video: the space scene as one seamless loop, wmv2 in ASF with
// a soft wmav2 drone. Everything in it repeats with the loop's period, so its
// last frame flows into its first and the sound joins too.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <vector>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}

#include "Media.h"
#include "Space.h"
#include "Synth.h"
#include "video/platform/FfmpegHandles.h"

namespace mkmedia {

namespace {

constexpr int kWidth = 320, kHeight = 240, kFps = 25, kSeconds = 24;
constexpr int kFrames = kFps * kSeconds;
constexpr int kSampleRate = 44100;
constexpr int kLoopSamples = kSampleRate * kSeconds;

// Sine by table over a whole number of cycles per loop: the phase is kept as an
// exact fraction of the loop, so the sound repeats sample for sample.
class LoopSine {
public:
    LoopSine() : table(kSize + 1) {
        for (int i = 0; i <= kSize; ++i)
            table[i] = static_cast<float>(std::sin(2 * M_PI * i / kSize));
    }
    // sin(2 pi cycles i / kLoopSamples)
    float At(int64_t cycles, int64_t i) const {
        double turn = static_cast<double>((cycles * i) % kLoopSamples) / kLoopSamples * kSize;
        int k = static_cast<int>(turn);
        float f = static_cast<float>(turn - k);
        return table[k] + (table[k + 1] - table[k]) * f;
    }

private:
    static constexpr int kSize = 8192;
    std::vector<float> table;
};

// A drone on a D minor chord with a high shimmer and a breath of noise.
std::vector<float> Drone(int channel) {
    std::vector<float> out(kLoopSamples, 0.0f);
    struct Voice {
        float hz, gain, pan;
        int swells;  // loudness cycles per loop
        float swellPhase;
    };
    const Voice voices[] = {
        {73.42f, 0.9f, 0.5f, 1, 0.0f},   {146.83f, 0.7f, 0.35f, 2, 0.3f},
        {220.0f, 0.55f, 0.65f, 1, 0.6f}, {349.23f, 0.4f, 0.25f, 3, 0.1f},
        {329.63f, 0.3f, 0.75f, 2, 0.8f}, {440.0f, 0.25f, 0.5f, 3, 0.45f},
        {1760.0f, 0.05f, 0.2f, 4, 0.2f}, {2637.0f, 0.035f, 0.8f, 5, 0.7f},
    };
    static const LoopSine sine;
    for (const Voice& v : voices) {
        const int64_t cycles = std::llround(v.hz * kSeconds);
        const float pan = channel == 0 ? 1 - v.pan : v.pan;
        const int64_t swellOffset = std::llround(v.swellPhase * kLoopSamples);
        for (int i = 0; i < kLoopSamples; ++i) {
            float swell = 0.6f + 0.4f * sine.At(v.swells, i + swellOffset);
            // Two copies three cycles apart per loop make a slow chorus.
            float s = sine.At(cycles, i) + sine.At(cycles + 3, i) + 0.3f * sine.At(2 * cycles, i);
            out[i] += s * v.gain * swell * pan;
        }
    }
    // Noise filtered round the loop twice, so the filter has settled where it joins.
    synth::Noise noise(60 + static_cast<uint32_t>(channel));
    std::vector<float> hiss(kLoopSamples);
    for (float& h : hiss)
        h = noise.Next();
    synth::Svf wind;
    for (int pass = 0; pass < 2; ++pass) {
        for (int i = 0; i < kLoopSamples; ++i) {
            float cutoff = 500 + 350 * sine.At(2, i);
            float w = wind.Step(hiss[i], cutoff, 3).band;
            if (pass == 1) out[i] += 0.12f * w;
        }
    }
    return out;
}

class Encoder {
public:
    bool Open(const std::string& path) {
        if (avformat_alloc_output_context2(&format, nullptr, "asf", path.c_str()) < 0) return false;
        format->flags |= AVFMT_FLAG_BITEXACT;
        if (!OpenVideo() || !OpenAudio()) return false;
        if (avio_open(&format->pb, path.c_str(), AVIO_FLAG_WRITE) < 0) return false;
        return avformat_write_header(format, nullptr) >= 0;
    }
    ~Encoder() {
        if (format && format->pb) avio_closep(&format->pb);
        avformat_free_context(format);
        sws_freeContext(scaler);
    }

    bool Run() {
        SpaceScene scene(kWidth, kHeight);
        std::vector<float> left = Drone(0), right = Drone(1);
        float peak = 0;
        for (size_t i = 0; i < left.size(); ++i)
            peak = std::max({peak, std::fabs(left[i]), std::fabs(right[i])});
        const float gain = 0.3f / peak;
        std::vector<uint8_t> rgb;
        int64_t samplesOut = 0;
        for (int f = 0; f < kFrames; ++f) {
            scene.Render(static_cast<float>(f) / kFrames, rgb);
            const uint8_t* src[1] = {rgb.data()};
            const int stride[1] = {kWidth * 3};
            if (av_frame_make_writable(picture.get()) < 0) return false;
            sws_scale(scaler, src, stride, 0, kHeight, picture->data, picture->linesize);
            picture->pts = f;
            if (!Send(video.get(), videoStream, picture.get())) return false;
            // Sound up to the end of this picture; the last block runs on round the loop.
            const int64_t until = static_cast<int64_t>(f + 1) * kSampleRate / kFps;
            while (samplesOut < until) {
                if (av_frame_make_writable(sound.get()) < 0) return false;
                auto* l = reinterpret_cast<float*>(sound->data[0]);
                auto* r = reinterpret_cast<float*>(sound->data[1]);
                for (int i = 0; i < sound->nb_samples; ++i) {
                    size_t k = static_cast<size_t>((samplesOut + i) % kLoopSamples);
                    l[i] = left[k] * gain;
                    r[i] = right[k] * gain;
                }
                sound->pts = samplesOut;
                samplesOut += sound->nb_samples;
                if (!Send(audio.get(), audioStream, sound.get())) return false;
            }
        }
        return Send(video.get(), videoStream, nullptr) && Send(audio.get(), audioStream, nullptr) &&
               av_write_trailer(format) >= 0;
    }

private:
    bool OpenVideo() {
        const AVCodec* codec = avcodec_find_encoder(AV_CODEC_ID_WMV2);
        if (!codec) return false;
        video.reset(avcodec_alloc_context3(codec));
        videoStream = avformat_new_stream(format, nullptr);
        if (!video || !videoStream) return false;
        video->width = kWidth;
        video->height = kHeight;
        video->time_base = {1, kFps};
        video->framerate = {kFps, 1};
        video->pix_fmt = AV_PIX_FMT_YUV420P;  // the only format wmv2 takes
        video->gop_size = kFps;               // a key frame a second keeps seeks cheap
        video->max_b_frames = 0;
        video->thread_count = 1;
        video->flags |= AV_CODEC_FLAG_BITEXACT | AV_CODEC_FLAG_QSCALE;
        video->global_quality = FF_QP2LAMBDA * 3;
        if (format->oformat->flags & AVFMT_GLOBALHEADER)
            video->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
        if (avcodec_open2(video.get(), codec, nullptr) < 0) return false;
        if (avcodec_parameters_from_context(videoStream->codecpar, video.get()) < 0) return false;
        videoStream->time_base = video->time_base;
        picture.reset(av_frame_alloc());
        picture->format = AV_PIX_FMT_YUV420P;
        picture->width = kWidth;
        picture->height = kHeight;
        if (av_frame_get_buffer(picture.get(), 0) < 0) return false;
        scaler = sws_getContext(kWidth, kHeight, AV_PIX_FMT_RGB24, kWidth, kHeight,
                                AV_PIX_FMT_YUV420P, SWS_BICUBIC | SWS_ACCURATE_RND | SWS_BITEXACT,
                                nullptr, nullptr, nullptr);
        return scaler != nullptr;
    }

    bool OpenAudio() {
        const AVCodec* codec = avcodec_find_encoder(AV_CODEC_ID_WMAV2);
        if (!codec) return false;
        audio.reset(avcodec_alloc_context3(codec));
        audioStream = avformat_new_stream(format, nullptr);
        if (!audio || !audioStream) return false;
        audio->sample_fmt = AV_SAMPLE_FMT_FLTP;  // planar float, 2048 samples a frame
        audio->sample_rate = kSampleRate;
        av_channel_layout_default(&audio->ch_layout, 2);
        audio->bit_rate = 128000;
        audio->time_base = {1, kSampleRate};
        audio->thread_count = 1;
        audio->flags |= AV_CODEC_FLAG_BITEXACT;
        if (format->oformat->flags & AVFMT_GLOBALHEADER)
            audio->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
        if (avcodec_open2(audio.get(), codec, nullptr) < 0) return false;
        if (avcodec_parameters_from_context(audioStream->codecpar, audio.get()) < 0) return false;
        audioStream->time_base = audio->time_base;
        sound.reset(av_frame_alloc());
        sound->format = AV_SAMPLE_FMT_FLTP;
        sound->sample_rate = kSampleRate;
        sound->nb_samples = audio->frame_size;
        if (av_channel_layout_copy(&sound->ch_layout, &audio->ch_layout) < 0) return false;
        return av_frame_get_buffer(sound.get(), 0) >= 0;
    }

    // Encodes one frame (null flushes) and writes what comes out.
    bool Send(AVCodecContext* codec, AVStream* stream, const AVFrame* frame) {
        if (avcodec_send_frame(codec, frame) < 0) return false;
        PacketPtr packet(av_packet_alloc());
        for (;;) {
            int r = avcodec_receive_packet(codec, packet.get());
            if (r == AVERROR(EAGAIN) || r == AVERROR_EOF) return true;
            if (r < 0) return false;
            av_packet_rescale_ts(packet.get(), codec->time_base, stream->time_base);
            packet->stream_index = stream->index;
            if (av_interleaved_write_frame(format, packet.get()) < 0) return false;
        }
    }

    AVFormatContext* format = nullptr;
    CodecPtr video, audio;
    AVStream* videoStream = nullptr;
    AVStream* audioStream = nullptr;
    FramePtr picture, sound;
    SwsContext* scaler = nullptr;
};

}  // namespace

bool WriteVideo(const std::filesystem::path& file) {
    av_log_set_level(AV_LOG_ERROR);
    Encoder encoder;
    return encoder.Open(file.string()) && encoder.Run();
}

}  // namespace mkmedia
