#include "audio/WavCheck.h"

#include <cstdint>

namespace {

constexpr int kMinRate = 4000;
constexpr int kMaxRate = 192000;
constexpr int kMaxChannels = 8;
constexpr std::uint64_t kMaxSeconds = 60;
// A minute of 8 channels of 32-bit float at 48 kHz is 92 MB; anything over this
// is no sound effect of a game.
constexpr std::uint64_t kMaxDecodedBytes = 128ull << 20;

enum Format : std::uint32_t {
    kPcm = 1,
    kMsAdpcm = 2,
    kFloat = 3,
    kALaw = 6,
    kMuLaw = 7,
    kImaAdpcm = 0x11,
    kExtensible = 0xFFFE,
};

std::uint32_t Little(std::string_view d, std::size_t at, int n) {
    std::uint32_t v = 0;
    for (int i = n - 1; i >= 0; --i)
        v = (v << 8) | static_cast<std::uint8_t>(d[at + i]);
    return v;
}

struct Fmt {
    std::uint32_t format = 0, channels = 0, rate = 0, blockAlign = 0, bits = 0;
};

bool ReadFmt(std::string_view body, Fmt& fmt) {
    if (body.size() < 16) return false;
    fmt.format = Little(body, 0, 2);
    fmt.channels = Little(body, 2, 2);
    fmt.rate = Little(body, 4, 4);
    fmt.blockAlign = Little(body, 12, 2);
    fmt.bits = Little(body, 14, 2);
    if (fmt.format == kExtensible) {
        // The sub-format's GUID starts with the plain format's code.
        if (body.size() < 40) return false;
        fmt.format = Little(body, 24, 2);
    }
    return true;
}

// Frames the data decodes to, with the bytes of one decoded sample; false for a
// format or sample size no decoder here takes.
bool DecodedFrames(const Fmt& fmt, std::uint64_t dataBytes, std::uint64_t& frames,
                   std::uint64_t& sampleBytes) {
    std::uint64_t channels = fmt.channels;
    switch (fmt.format) {
        case kPcm:
            if (fmt.bits != 8 && fmt.bits != 16 && fmt.bits != 24 && fmt.bits != 32) return false;
            if (fmt.blockAlign != channels * fmt.bits / 8) return false;
            frames = dataBytes / fmt.blockAlign;
            sampleBytes = fmt.bits == 24 ? 4 : fmt.bits / 8;
            return true;
        case kFloat:
            if (fmt.bits != 32 || fmt.blockAlign != channels * 4) return false;
            frames = dataBytes / fmt.blockAlign;
            sampleBytes = 4;
            return true;
        case kALaw:
        case kMuLaw:
            if (fmt.bits != 8 || fmt.blockAlign != channels) return false;
            frames = dataBytes / fmt.blockAlign;
            sampleBytes = 2;
            return true;
        case kMsAdpcm:
        case kImaAdpcm: {
            // Four bits a sample after a block header per channel that holds two
            // (MS) or one (IMA) samples: the most a block can hold.
            std::uint64_t header = fmt.format == kMsAdpcm ? 7 : 4;
            std::uint64_t inHeader = fmt.format == kMsAdpcm ? 2 : 1;
            if (fmt.bits != 4 || fmt.blockAlign < header * channels) return false;
            std::uint64_t perBlock = (fmt.blockAlign - header * channels) * 2 / channels + inHeader;
            std::uint64_t blocks = (dataBytes + fmt.blockAlign - 1) / fmt.blockAlign;
            frames = blocks * perBlock;
            sampleBytes = 2;
            return true;
        }
        default:
            return false;
    }
}

}  // namespace

std::string CheckSoundWav(std::string_view bytes) {
    if (bytes.size() < 12 || bytes.substr(0, 4) != "RIFF" || bytes.substr(8, 4) != "WAVE")
        return "not a WAV file";
    // The decoder takes the first format chunk and the first data chunk after it.
    Fmt fmt;
    bool haveFmt = false, haveData = false;
    std::uint64_t dataBytes = 0;
    for (std::size_t at = 12; !haveData && at <= bytes.size() && bytes.size() - at >= 8;) {
        std::string_view id = bytes.substr(at, 4);
        std::uint64_t length = Little(bytes, at + 4, 4);
        at += 8;
        if (length > bytes.size() - at)
            return "its \"" + std::string(id) + "\" chunk runs past the end of the file";
        if (id == "fmt " && !haveFmt) {
            if (!ReadFmt(bytes.substr(at, length), fmt)) return "its format chunk is too short";
            haveFmt = true;
        } else if (id == "data" && haveFmt) {
            dataBytes = length;
            haveData = true;
        }
        at += length + (length & 1);  // chunks are padded to even lengths
    }
    if (!haveData) return "no format and data chunks";
    if (fmt.channels < 1 || fmt.channels > kMaxChannels)
        return std::to_string(fmt.channels) + " channels";
    if (fmt.rate < kMinRate || fmt.rate > kMaxRate)
        return "a rate of " + std::to_string(fmt.rate) + " Hz";
    std::uint64_t frames = 0, sampleBytes = 0;
    if (!DecodedFrames(fmt, dataBytes, frames, sampleBytes))
        return "format " + std::to_string(fmt.format) + " with " + std::to_string(fmt.bits) +
               "-bit samples";
    // At most 2^32 blocks of 2^17 frames: no product below can overflow.
    if (frames > kMaxSeconds * fmt.rate) return "longer than a minute";
    if (frames * fmt.channels * sampleBytes > kMaxDecodedBytes) return "too large once decoded";
    return "";
}
