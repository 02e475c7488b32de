#include "video/platform/MediaSource.h"

#include <sys/stat.h>

#include <cstdio>

double MediaStream::Seconds(int64_t timestamp) const {
    int64_t start = stream->start_time == AV_NOPTS_VALUE ? 0 : stream->start_time;
    return static_cast<double>(timestamp - start) * av_q2d(stream->time_base);
}

int OpenMediaFile(const std::string& path, FormatPtr& format) {
    // FFmpeg would wait on a FIFO or a device for as long as nothing writes to it.
    struct stat info {};
    if (stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
        std::fprintf(stderr, "velmora: video %s: not a regular file\n", path.c_str());
        return AVERROR(EINVAL);
    }
    AVFormatContext* raw = nullptr;
    int result = avformat_open_input(&raw, path.c_str(), nullptr, nullptr);
    if (result < 0) return result;  // FFmpeg frees the context itself
    format.reset(raw);
    result = avformat_find_stream_info(raw, nullptr);
    return result < 0 ? result : 0;
}

bool OpenStream(AVFormatContext* format, AVMediaType kind, MediaStream& out) {
    const AVCodec* decoder = nullptr;
    int index = av_find_best_stream(format, kind, -1, -1, &decoder, 0);
    if (index < 0 || !decoder) return false;
    CodecPtr codec(avcodec_alloc_context3(decoder));
    if (!codec) return false;
    const AVStream* stream = format->streams[index];
    if (avcodec_parameters_to_context(codec.get(), stream->codecpar) < 0) return false;
    // wmv2 and its kind gain nothing from more threads, and the game needs the other core.
    codec->thread_count = 1;
    if (avcodec_open2(codec.get(), decoder, nullptr) < 0) return false;
    out.index = index;
    out.stream = stream;
    out.codec = std::move(codec);
    return true;
}
