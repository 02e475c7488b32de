#include "graphics/XFileInflate.h"

#include <zlib.h>

#include <cstdint>
#include <vector>

namespace {

constexpr std::size_t kHeaderSize = 16;
constexpr std::size_t kMaxBlock = 32768;

uint32_t Little(std::string_view s, std::size_t at, int bytes) {
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = v << 8 | uint8_t(s[at + i]);
    return v;
}

bool Fail(std::string& why, const char* reason) {
    why = reason;
    return false;
}

class RawInflater {
public:
    RawInflater() { ready = inflateInit2(&stream, -MAX_WBITS) == Z_OK; }
    ~RawInflater() {
        if (ready) inflateEnd(&stream);
    }
    RawInflater(const RawInflater&) = delete;
    RawInflater& operator=(const RawInflater&) = delete;

    // Inflates one block into out[0, size), seeded with the dictionary.
    bool Block(std::string_view in, std::string_view dictionary, char* out, std::size_t size) {
        if (!ready || inflateReset(&stream) != Z_OK) return false;
        if (!dictionary.empty() &&
            inflateSetDictionary(&stream, reinterpret_cast<const Bytef*>(dictionary.data()),
                                 static_cast<uInt>(dictionary.size())) != Z_OK) {
            return false;
        }
        stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in.data()));
        stream.avail_in = static_cast<uInt>(in.size());
        stream.next_out = reinterpret_cast<Bytef*>(out);
        stream.avail_out = static_cast<uInt>(size);
        int result = inflate(&stream, Z_FINISH);
        return (result == Z_STREAM_END || result == Z_OK || result == Z_BUF_ERROR) &&
               stream.avail_out == 0;
    }

private:
    z_stream stream{};
    bool ready = false;
};

// One MSZIP block as framed in the file.
struct Block {
    std::string_view data;  // raw deflate
    std::size_t inflated;
};

// Reads the block framing, so nothing is allocated for sizes the file cannot back.
bool Frame(std::string_view file, std::vector<Block>& blocks, std::size_t& total,
           std::string& why) {
    std::size_t in = kHeaderSize + 4;
    total = 0;
    while (in < file.size()) {
        if (file.size() - in < 6) return Fail(why, "a compressed block cut short");
        std::size_t inflated = Little(file, in, 2), packed = Little(file, in + 2, 2);
        if (packed < 2 || file.compare(in + 4, 2, "CK") != 0)
            return Fail(why, "not an MSZIP block");
        if (inflated == 0 || inflated > kMaxBlock) return Fail(why, "a compressed block too large");
        if (file.size() - in - 4 < packed) return Fail(why, "a compressed block cut short");
        blocks.push_back({file.substr(in + 6, packed - 2), inflated});
        total += inflated;
        in += 4 + packed;
    }
    return true;
}

}  // namespace

bool InflateXFileBody(std::string_view file, std::size_t maxBytes, std::string& body,
                      std::string& why) {
    if (file.size() < kHeaderSize + 4) return Fail(why, "a compressed file cut short");
    uint32_t declared = Little(file, kHeaderSize, 4);
    if (declared < kHeaderSize || declared - kHeaderSize > maxBytes)
        return Fail(why, "a compressed file whose inflated size is out of bounds");
    std::vector<Block> blocks;
    std::size_t total = 0;
    if (!Frame(file, blocks, total, why)) return false;
    if (total != declared - kHeaderSize)
        return Fail(why, "compressed blocks that do not add up to the declared size");

    body.assign(total, '\0');
    RawInflater inflater;
    std::size_t out = 0, previous = 0;
    for (const Block& block : blocks) {
        std::string_view dictionary(body.data() + previous, out - previous);
        if (!inflater.Block(block.data, dictionary, body.data() + out, block.inflated))
            return Fail(why, "a compressed block does not inflate");
        previous = out;
        out += block.inflated;
    }
    return true;
}
