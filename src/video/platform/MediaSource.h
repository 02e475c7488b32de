#pragma once
// An opened media file and the decoders of its streams, with the FFmpeg
// handles owned. Used by one thread at a time.
#include <cstdint>
#include <memory>
#include <string>

#include "FfmpegHandles.h"

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
