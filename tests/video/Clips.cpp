#include "video/Clips.h"

#include <unistd.h>

#include <atomic>
#include <cmath>
#include <memory>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
}

namespace {

constexpr int kFps = 25;
constexpr int kRate = 44100;

struct Encoder {
    AVCodecContext* codec = nullptr;
    AVStream* stream = nullptr;
    ~Encoder() { avcodec_free_context(&codec); }
};

bool Send(AVFormatContext* format, Encoder& e, const AVFrame* frame) {
    if (avcodec_send_frame(e.codec, frame) < 0) return false;
    AVPacket* packet = av_packet_alloc();
    bool ok = true;
    for (;;) {
        int r = avcodec_receive_packet(e.codec, packet);
        if (r == AVERROR(EAGAIN) || r == AVERROR_EOF) break;
        if (r < 0) {
            ok = false;
            break;
        }
        av_packet_rescale_ts(packet, e.codec->time_base, e.stream->time_base);
        packet->stream_index = e.stream->index;
        if (av_interleaved_write_frame(format, packet) < 0) ok = false;
    }
    av_packet_free(&packet);
    return ok;
}

bool Open(AVFormatContext* format, Encoder& e, AVCodecID id) {
    const AVCodec* codec = avcodec_find_encoder(id);
    if (!codec) return false;
    e.codec = avcodec_alloc_context3(codec);
    e.stream = avformat_new_stream(format, nullptr);
    return e.codec && e.stream;
}

bool Finish(AVFormatContext* format, Encoder& e) {
    e.codec->thread_count = 1;
    if (format->oformat->flags & AVFMT_GLOBALHEADER) e.codec->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    if (avcodec_open2(e.codec, e.codec->codec, nullptr) < 0) return false;
    if (avcodec_parameters_from_context(e.stream->codecpar, e.codec) < 0) return false;
    e.stream->time_base = e.codec->time_base;
    return true;
}

}  // namespace

bool WriteClip(const std::filesystem::path& file, const ClipShape& shape) {
    struct Names {
        const char* muxer;
        AVCodecID video, audio;
    };
    const Names names[] = {{"asf", AV_CODEC_ID_WMV2, AV_CODEC_ID_WMAV2},
                           {"avi", AV_CODEC_ID_MPEG4, AV_CODEC_ID_MP2},
                           {"mpeg", AV_CODEC_ID_MPEG1VIDEO, AV_CODEC_ID_MP2}};
    const Names& n = names[static_cast<int>(shape.container)];
    AVFormatContext* format = nullptr;
    if (avformat_alloc_output_context2(&format, nullptr, n.muxer, file.c_str()) < 0) return false;
    std::unique_ptr<AVFormatContext, void (*)(AVFormatContext*)> owner(format,
                                                                       [](AVFormatContext* f) {
                                                                           if (f->pb)
                                                                               avio_closep(&f->pb);
                                                                           avformat_free_context(f);
                                                                       });

    Encoder video, audio;
    if (shape.picture && !Open(format, video, n.video)) return false;
    if (shape.picture) {
        video.codec->width = shape.width;
        video.codec->height = shape.height;
        video.codec->time_base = {1, kFps};
        video.codec->framerate = {kFps, 1};
        video.codec->pix_fmt = AV_PIX_FMT_YUV420P;
        video.codec->gop_size = 12;
        video.codec->max_b_frames = 0;
        video.codec->bit_rate = 400000;
        if (!Finish(format, video)) return false;
    }
    if (shape.sound) {
        if (!Open(format, audio, n.audio)) return false;
        audio.codec->sample_fmt = audio.codec->codec->sample_fmts[0];
        audio.codec->sample_rate = kRate;
        av_channel_layout_default(&audio.codec->ch_layout, 2);
        audio.codec->bit_rate = 128000;
        audio.codec->time_base = {1, kRate};
        if (!Finish(format, audio)) return false;
    }
    if (avio_open(&format->pb, file.c_str(), AVIO_FLAG_WRITE) < 0) return false;
    if (avformat_write_header(format, nullptr) < 0) return false;

    // One colour in full-range-free BT.601, as the decoders read it back.
    const double r = shape.red, g = shape.green, b = shape.blue;
    const auto y = static_cast<uint8_t>(std::lround(16 + 0.257 * r + 0.504 * g + 0.098 * b));
    const auto u = static_cast<uint8_t>(std::lround(128 - 0.148 * r - 0.291 * g + 0.439 * b));
    const auto v = static_cast<uint8_t>(std::lround(128 + 0.439 * r - 0.368 * g - 0.071 * b));
    AVFrame* picture = av_frame_alloc();
    picture->format = AV_PIX_FMT_YUV420P;
    picture->width = shape.width;
    picture->height = shape.height;
    AVFrame* tone = av_frame_alloc();
    bool ok = av_frame_get_buffer(picture, 0) >= 0;
    if (shape.sound) {
        tone->format = audio.codec->sample_fmt;
        tone->sample_rate = kRate;
        tone->nb_samples = audio.codec->frame_size;
        av_channel_layout_copy(&tone->ch_layout, &audio.codec->ch_layout);
        ok = ok && av_frame_get_buffer(tone, 0) >= 0;
    }
    int64_t samplesOut = 0;
    for (int f = 0; ok && f < shape.frames; ++f) {
        if (shape.picture) {
            ok = av_frame_make_writable(picture) >= 0;
            for (int row = 0; row < shape.height; ++row) {
                uint8_t* line = picture->data[0] + row * picture->linesize[0];
                std::fill_n(line, shape.width, y);
                for (int x = 0; shape.moving && x < shape.width; ++x) {
                    uint32_t grain = (x * 73856093u) ^ (row * 19349663u) ^ (f * 83492791u);
                    line[x] = static_cast<uint8_t>(x + 2 * row + 3 * f + (grain >> 27));
                }
            }
            for (int row = 0; row < (shape.height + 1) / 2; ++row) {
                std::fill_n(picture->data[1] + row * picture->linesize[1], (shape.width + 1) / 2, u);
                std::fill_n(picture->data[2] + row * picture->linesize[2], (shape.width + 1) / 2, v);
            }
            picture->pts = f;
            ok = ok && Send(format, video, picture);
        }
        const int64_t until = static_cast<int64_t>(f + 1) * kRate / kFps;
        while (ok && shape.sound && samplesOut < until) {
            ok = av_frame_make_writable(tone) >= 0;
            for (int i = 0; i < tone->nb_samples; ++i) {
                double s = 0.5 * std::sin(2 * M_PI * 440.0 * (samplesOut + i) / kRate);
                for (int ch = 0; ch < 2; ++ch) {
                    if (tone->format == AV_SAMPLE_FMT_FLTP) {
                        reinterpret_cast<float*>(tone->data[ch])[i] = static_cast<float>(s);
                    } else {  // interleaved 16-bit
                        reinterpret_cast<int16_t*>(tone->data[0])[2 * i + ch] =
                            static_cast<int16_t>(s * 32767);
                    }
                }
            }
            tone->pts = samplesOut;
            samplesOut += tone->nb_samples;
            ok = ok && Send(format, audio, tone);
        }
    }
    av_frame_free(&picture);
    av_frame_free(&tone);
    ok = ok && (!shape.picture || Send(format, video, nullptr)) &&
         (!shape.sound || Send(format, audio, nullptr));
    return ok && av_write_trailer(format) >= 0;
}

TempFolder::TempFolder() {
    static std::atomic<int> serial{0};
    root = std::filesystem::temp_directory_path() /
           ("velmora-video-" + std::to_string(getpid()) + "-" + std::to_string(serial++));
    std::filesystem::create_directories(root);
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
}
