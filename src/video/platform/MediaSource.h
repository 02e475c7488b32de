#pragma once
// An opened media file and the decoders of its streams, with the FFmpeg
// handles owned. Used by one thread at a time.
#include <cstdint>
#include <memory>
#include <string>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

struct FormatCloser {
    void operator()(AVFormatContext* f) const { avformat_close_input(&f); }
};
struct CodecCloser {
    void operator()(AVCodecContext* c) const { avcodec_free_context(&c); }
};
struct FrameCloser {
    void operator()(AVFrame* f) const { av_frame_free(&f); }
};
struct PacketCloser {
    void operator()(AVPacket* p) const { av_packet_free(&p); }
};
struct ScalerCloser {
    void operator()(SwsContext* s) const { sws_freeContext(s); }
};
struct ResamplerCloser {
    void operator()(SwrContext* s) const { swr_free(&s); }
};
using FormatPtr = std::unique_ptr<AVFormatContext, FormatCloser>;
using CodecPtr = std::unique_ptr<AVCodecContext, CodecCloser>;
using FramePtr = std::unique_ptr<AVFrame, FrameCloser>;
using PacketPtr = std::unique_ptr<AVPacket, PacketCloser>;
using ScalerPtr = std::unique_ptr<SwsContext, ScalerCloser>;
using ResamplerPtr = std::unique_ptr<SwrContext, ResamplerCloser>;

struct MediaStream {
    int index = -1;
    const AVStream* stream = nullptr;
    CodecPtr codec;

    bool Open() const { return codec != nullptr; }
    // Seconds from the stream's start for a timestamp in its time base.
    double Seconds(int64_t timestamp) const;
};

// Opens the file and reads its stream layout; the FFmpeg error code on failure.
int OpenMediaFile(const std::string& path, FormatPtr& format);
// Finds the best stream of the kind and opens its decoder; false when there is
// none or it cannot be decoded.
bool OpenStream(AVFormatContext* format, AVMediaType kind, MediaStream& stream);
