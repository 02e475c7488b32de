// The default video is what the player expects from a background: wmv2 in ASF,
// dark, moving, with an audible soft sound track, and a loop without a jump.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

#include "MediaFiles.h"

namespace {

struct Decoded {
    std::vector<std::vector<uint8_t>> luma;  // the Y plane of every frame, in order
    int width = 0, height = 0;
    double peak = 0;  // of the sound track
    int soundSamples = 0;
};

class VideoFile : public ::testing::Test {
protected:
    void SetUp() override {
        path = (media_files::Dir() / "video2.wmv").string();
        ASSERT_EQ(avformat_open_input(&format, path.c_str(), nullptr, nullptr), 0);
        ASSERT_GE(avformat_find_stream_info(format, nullptr), 0);
    }
    void TearDown() override { avformat_close_input(&format); }

    const AVStream* Stream(AVMediaType type) {
        int i = av_find_best_stream(format, type, -1, -1, nullptr, 0);
        return i >= 0 ? format->streams[i] : nullptr;
    }

    Decoded DecodeAll() {
        Decoded out;
        const AVStream* vs = Stream(AVMEDIA_TYPE_VIDEO);
        const AVStream* as = Stream(AVMEDIA_TYPE_AUDIO);
        auto open = [](const AVStream* s) {
            AVCodecContext* c = avcodec_alloc_context3(avcodec_find_decoder(s->codecpar->codec_id));
            avcodec_parameters_to_context(c, s->codecpar);
            EXPECT_EQ(avcodec_open2(c, c->codec, nullptr), 0);
            return c;
        };
        AVCodecContext* video = open(vs);
        AVCodecContext* audio = open(as);
        AVPacket* packet = av_packet_alloc();
        AVFrame* frame = av_frame_alloc();
        auto drain = [&](AVCodecContext* c) {
            while (avcodec_receive_frame(c, frame) == 0) {
                if (c == video) {
                    out.width = frame->width;
                    out.height = frame->height;
                    std::vector<uint8_t> y(static_cast<size_t>(frame->width) * frame->height);
                    for (int r = 0; r < frame->height; ++r) {
                        std::copy_n(frame->data[0] + r * frame->linesize[0], frame->width,
                                    y.begin() + r * frame->width);
                    }
                    out.luma.push_back(std::move(y));
                } else if (frame->format == AV_SAMPLE_FMT_FLTP) {
                    for (int ch = 0; ch < frame->ch_layout.nb_channels; ++ch) {
                        const auto* s = reinterpret_cast<const float*>(frame->data[ch]);
                        for (int i = 0; i < frame->nb_samples; ++i) {
                            out.peak = std::max(out.peak, static_cast<double>(std::fabs(s[i])));
                        }
                    }
                    out.soundSamples += frame->nb_samples;
                }
            }
        };
        while (av_read_frame(format, packet) >= 0) {
            AVCodecContext* c = packet->stream_index == vs->index   ? video
                                : packet->stream_index == as->index ? audio
                                                                    : nullptr;
            if (c && avcodec_send_packet(c, packet) == 0) drain(c);
            av_packet_unref(packet);
        }
        for (AVCodecContext* c : {video, audio}) {
            avcodec_send_packet(c, nullptr);
            drain(c);
        }
        av_frame_free(&frame);
        av_packet_free(&packet);
        avcodec_free_context(&video);
        avcodec_free_context(&audio);
        return out;
    }

    static double MeanDifference(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
        double sum = 0;
        for (size_t i = 0; i < a.size(); ++i)
            sum += std::abs(a[i] - b[i]);
        return sum / a.size();
    }
    static double Mean(const std::vector<uint8_t>& a) {
        double sum = 0;
        for (uint8_t v : a)
            sum += v;
        return sum / a.size();
    }

    std::string path;
    AVFormatContext* format = nullptr;
};

}  // namespace

TEST_F(VideoFile, IsWmv2InAsfWithASoftStereoTrack) {
    EXPECT_STREQ(format->iformat->name, "asf");
    const AVStream* video = Stream(AVMEDIA_TYPE_VIDEO);
    const AVStream* audio = Stream(AVMEDIA_TYPE_AUDIO);
    ASSERT_TRUE(video && audio);
    EXPECT_EQ(video->codecpar->codec_id, AV_CODEC_ID_WMV2);
    EXPECT_TRUE((video->codecpar->width == 320 && video->codecpar->height == 240) ||
                (video->codecpar->width == 640 && video->codecpar->height == 480));
    EXPECT_EQ(audio->codecpar->codec_id, AV_CODEC_ID_WMAV2);
    EXPECT_EQ(audio->codecpar->ch_layout.nb_channels, 2);
    double seconds = static_cast<double>(format->duration) / AV_TIME_BASE;
    EXPECT_GE(seconds, 20.0);
    EXPECT_LE(seconds, 40.0);
}

TEST_F(VideoFile, DecodesDarkAndMovingAndLoopsWithoutAJump) {
    Decoded d = DecodeAll();
    ASSERT_GE(d.luma.size(), 20u * 20);
    const auto& first = d.luma.front();
    const auto& middle = d.luma[d.luma.size() / 2];
    const auto& last = d.luma.back();
    // Dark overall, under additive blending; but not black.
    for (const auto* f : {&first, &middle, &last}) {
        EXPECT_LT(Mean(*f), 60.0);
        EXPECT_GT(Mean(*f), 8.0);
    }
    // The last frame flows into the first: they differ about as much as any two
    // neighbours, far less than frames half a loop apart.
    double seam = MeanDifference(last, first);
    double step = MeanDifference(d.luma[1], first);
    double apart = MeanDifference(middle, first);
    EXPECT_LT(seam, 2.0 * step + 0.5);
    EXPECT_GT(apart, 3.0 * seam);
    // Turning the video sound on is audible, and soft.
    EXPECT_GT(d.soundSamples, 44100 * 20);
    EXPECT_GT(d.peak, 0.05);
    EXPECT_LT(d.peak, 0.6);
}
