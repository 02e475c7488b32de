// The default video is what the player expects from a background: a .wmv that
// is dark, moving, loops without a jump, and has a soft sound track.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "MediaFiles.h"
#include "video/platform/FfmpegHandles.h"

namespace {

struct Decoded {
    std::vector<std::vector<uint8_t>> luma;  // the Y plane of every frame, in order
    double peak = 0;                         // of the sound track
    int soundSamples = 0;
};

void Drain(AVCodecContext* c, AVFrame* frame, Decoded& out) {
    while (avcodec_receive_frame(c, frame) == 0) {
        if (c->codec_type == AVMEDIA_TYPE_VIDEO) {
            std::vector<uint8_t> y;
            for (int r = 0; r < frame->height; ++r) {
                const uint8_t* row = frame->data[0] + r * frame->linesize[0];
                y.insert(y.end(), row, row + frame->width);
            }
            out.luma.push_back(std::move(y));
        } else if (frame->format == AV_SAMPLE_FMT_FLTP) {
            for (int ch = 0; ch < frame->ch_layout.nb_channels; ++ch) {
                const auto* s = reinterpret_cast<const float*>(frame->data[ch]);
                for (int i = 0; i < frame->nb_samples; ++i)
                    out.peak = std::max(out.peak, static_cast<double>(std::fabs(s[i])));
            }
            out.soundSamples += frame->nb_samples;
        }
    }
}

double Mean(const std::vector<uint8_t>& a) {
    double sum = 0;
    for (uint8_t v : a)
        sum += v;
    return sum / a.size();
}

double MeanDifference(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
    double sum = 0;
    for (size_t i = 0; i < a.size(); ++i)
        sum += std::abs(a[i] - b[i]);
    return sum / a.size();
}

}  // namespace

TEST(VideoFile, IsADarkMovingWmvThatLoopsWithoutAJumpWithASoftSoundTrack) {
    const std::string path = (media_files::Dir() / "video2.wmv").string();
    AVFormatContext* opened = nullptr;
    ASSERT_EQ(avformat_open_input(&opened, path.c_str(), nullptr, nullptr), 0);
    FormatPtr format(opened);
    ASSERT_GE(avformat_find_stream_info(format.get(), nullptr), 0);
    EXPECT_STREQ(format->iformat->name, "asf");
    const double seconds = static_cast<double>(format->duration) / AV_TIME_BASE;
    EXPECT_GE(seconds, 20.0);
    EXPECT_LE(seconds, 40.0);
    CodecPtr codecs[2];
    int streams[2];
    for (AVMediaType type : {AVMEDIA_TYPE_VIDEO, AVMEDIA_TYPE_AUDIO}) {
        const int i = av_find_best_stream(format.get(), type, -1, -1, nullptr, 0);
        ASSERT_GE(i, 0);
        const AVCodecParameters* p = format->streams[i]->codecpar;
        EXPECT_EQ(p->codec_id, type == AVMEDIA_TYPE_VIDEO ? AV_CODEC_ID_WMV2 : AV_CODEC_ID_WMAV2);
        CodecPtr& c = codecs[type == AVMEDIA_TYPE_AUDIO];
        c.reset(avcodec_alloc_context3(avcodec_find_decoder(p->codec_id)));
        avcodec_parameters_to_context(c.get(), p);
        ASSERT_EQ(avcodec_open2(c.get(), c->codec, nullptr), 0);
        streams[type == AVMEDIA_TYPE_AUDIO] = i;
    }
    Decoded d;
    PacketPtr packet(av_packet_alloc());
    FramePtr frame(av_frame_alloc());
    while (av_read_frame(format.get(), packet.get()) >= 0) {
        for (int k = 0; k < 2; ++k) {
            if (packet->stream_index == streams[k] &&
                avcodec_send_packet(codecs[k].get(), packet.get()) == 0)
                Drain(codecs[k].get(), frame.get(), d);
        }
        av_packet_unref(packet.get());
    }
    for (CodecPtr& c : codecs) {
        avcodec_send_packet(c.get(), nullptr);
        Drain(c.get(), frame.get(), d);
    }

    ASSERT_GE(d.luma.size(), 20u * 20);
    const auto &first = d.luma.front(), &middle = d.luma[d.luma.size() / 2], &last = d.luma.back();
    // Dark overall, under additive blending; but not black.
    for (const auto* f : {&first, &middle, &last}) {
        EXPECT_LT(Mean(*f), 60.0);
        EXPECT_GT(Mean(*f), 8.0);
    }
    // The last frame flows into the first: they differ about as much as any two
    // neighbours, far less than frames half a loop apart.
    const double seam = MeanDifference(last, first);
    EXPECT_LT(seam, 2.0 * MeanDifference(d.luma[1], first) + 0.5);
    EXPECT_GT(MeanDifference(middle, first), 3.0 * seam);
    // Turning the video sound on is audible, and soft.
    EXPECT_GT(d.soundSamples, 44100 * 20);
    EXPECT_GT(d.peak, 0.05);
    EXPECT_LT(d.peak, 0.6);
}
