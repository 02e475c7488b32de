#include "XCorpus.h"

#include <zlib.h>

#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace xcorpus {
namespace {

constexpr std::size_t kHeaderSize = 16;

void Put(std::string& out, uint64_t v, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out += char(v >> (8 * i) & 0xFF);
}

struct Writer {
    std::string out;
    int floatBits;
    enum { None, Ints, Floats } run = None;
    std::size_t countAt = 0;
    uint32_t count = 0;

    void EndRun() {
        if (run == None) return;
        for (int i = 0; i < 4; ++i)
            out[countAt + i] = char(count >> (8 * i) & 0xFF);
        run = None;
    }
    void Token(int token) {
        EndRun();
        Put(out, token, 2);
    }
    void Number(const std::string& word) {
        bool isFloat = word.find_first_of(".eE") != std::string::npos;
        if (run != (isFloat ? Floats : Ints)) {
            Token(isFloat ? 7 : 6);
            run = isFloat ? Floats : Ints;
            countAt = out.size();
            count = 0;
            Put(out, 0, 4);
        }
        ++count;
        if (!isFloat) {
            Put(out, static_cast<uint32_t>(std::strtol(word.c_str(), nullptr, 10)), 4);
        } else if (floatBits == 64) {
            double d = std::strtod(word.c_str(), nullptr);
            uint64_t bits;
            std::memcpy(&bits, &d, 8);
            Put(out, bits, 8);
        } else {
            float f = std::strtof(word.c_str(), nullptr);
            uint32_t bits;
            std::memcpy(&bits, &f, 4);
            Put(out, bits, 4);
        }
    }
    void Text(int token, const std::string& s) {
        Token(token);
        Put(out, s.size(), 4);
        out += s;
        if (token == 2) Put(out, 0x14, 2);
    }
    void Guid(const std::string& g) {
        Token(5);
        std::string hex;
        for (char c : g) {
            if (std::isxdigit(static_cast<unsigned char>(c))) hex += c;
        }
        hex.resize(32, '0');
        auto field = [&](int at, int bytes) {
            return std::strtoull(hex.substr(at, bytes * 2).c_str(), nullptr, 16);
        };
        Put(out, field(0, 4), 4);
        Put(out, field(8, 2), 2);
        Put(out, field(12, 2), 2);
        for (int i = 0; i < 8; ++i)
            Put(out, field(16 + 2 * i, 1), 1);
    }
};

int Keyword(const std::string& word) {
    static const char* kKeywords[] = {"WORD",    "DWORD",   "FLOAT",  "DOUBLE", "CHAR",
                                      "UCHAR",   "SWORD",   "SDWORD", "void",   "string",
                                      "unicode", "cstring", "array"};
    if (word == "template") return 0x1F;
    for (int i = 0; i < 13; ++i) {
        if (strcasecmp(word.c_str(), kKeywords[i]) == 0) return 0x28 + i;
    }
    return 0;
}

bool IsNumber(const std::string& w) {
    char* end = nullptr;
    std::strtod(w.c_str(), &end);
    return !w.empty() && end == w.c_str() + w.size() &&
           (std::isdigit(static_cast<unsigned char>(w[0])) || w[0] == '-' || w[0] == '.');
}

}  // namespace

std::string ToBinary(const std::string& text, int floatBits) {
    Writer w{text.substr(0, 8) + "bin " + (floatBits == 64 ? "0064" : "0032"), floatBits};
    std::size_t i = text.find('\n', kHeaderSize);
    i = i == std::string::npos ? text.size() : i + 1;
    bool afterString = false;
    while (i < text.size()) {
        char c = text[i];
        if (std::isspace(static_cast<unsigned char>(c))) {
            ++i;
        } else if (c == '#' || text.compare(i, 2, "//") == 0) {
            i = text.find('\n', i);
            if (i == std::string::npos) i = text.size();
        } else if (c == ';' || c == ',') {
            ++i;
            if (c == ';' && afterString) afterString = false;  // written with the string
        } else if (std::strchr("{}()[].", c)) {
            const char* tokens = "{}()[].";
            static const int kTokens[] = {0x0A, 0x0B, 0x0C, 0x0D, 0x0E, 0x0F, 0x12};
            w.Token(kTokens[std::strchr(tokens, c) - tokens]);
            ++i;
        } else if (c == '"' || c == '<') {
            std::size_t end = text.find(c == '"' ? '"' : '>', i + 1);
            if (end == std::string::npos) end = text.size();
            std::string inside = text.substr(i + 1, end - i - 1);
            if (c == '"') {
                w.Text(2, inside);
                afterString = true;
            } else {
                w.Guid(inside);
            }
            i = end + 1;
        } else {
            std::size_t start = i;
            while (i < text.size() && !std::isspace(static_cast<unsigned char>(text[i])) &&
                   !std::strchr(";,{}()[]\"<", text[i]))
                ++i;
            std::string word = text.substr(start, i - start);
            if (IsNumber(word)) {
                w.Number(word);
            } else if (int k = Keyword(word)) {
                w.Token(k);
            } else {
                w.Text(1, word);
            }
        }
    }
    w.EndRun();
    return w.out;
}

std::string Compress(const std::string& file, std::size_t blockSize) {
    bool text = file.compare(8, 4, "txt ") == 0;
    std::string out = file.substr(0, 8) + (text ? "tzip" : "bzip") + file.substr(12, 4);
    Put(out, file.size(), 4);
    z_stream z{};
    deflateInit2(&z, 9, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    std::vector<unsigned char> packed(compressBound(static_cast<uLong>(blockSize)) + 64);
    for (std::size_t at = kHeaderSize; at < file.size(); at += blockSize) {
        std::size_t size = std::min(blockSize, file.size() - at);
        deflateReset(&z);
        if (at > kHeaderSize) {
            deflateSetDictionary(&z, reinterpret_cast<const Bytef*>(file.data() + at - blockSize),
                                 static_cast<uInt>(blockSize));
        }
        z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(file.data() + at));
        z.avail_in = static_cast<uInt>(size);
        z.next_out = packed.data();
        z.avail_out = static_cast<uInt>(packed.size());
        deflate(&z, Z_FINISH);
        std::size_t length = packed.size() - z.avail_out;
        Put(out, size, 2);
        Put(out, length + 2, 2);
        out += "CK";
        out.append(reinterpret_cast<const char*>(packed.data()), length);
    }
    deflateEnd(&z);
    return out;
}

}  // namespace xcorpus
