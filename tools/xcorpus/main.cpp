// xcorpus SOURCE_DIR OUT_DIR: writes every text .x file of SOURCE_DIR into OUT_DIR
// as it stands and in its binary (32- and 64-bit) and compressed forms.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "XCorpus.h"

namespace fs = std::filesystem;

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: xcorpus SOURCE_DIR OUT_DIR\n";
        return 2;
    }
    fs::create_directories(argv[2]);
    for (const auto& entry : fs::directory_iterator(argv[1])) {
        if (entry.path().extension() != ".x") continue;
        std::ifstream in(entry.path(), std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        std::string stem = entry.path().stem().string();
        std::string bin32 = xcorpus::ToBinary(text.str(), 32);
        const std::pair<const char*, std::string> forms[] = {
            {".txt.x", text.str()},
            {".bin32.x", bin32},
            {".bin64.x", xcorpus::ToBinary(text.str(), 64)},
            {".tzip.x", xcorpus::Compress(text.str(), 1024)},
            {".bzip.x", xcorpus::Compress(bin32, 1024)}};
        for (const auto& [suffix, bytes] : forms) {
            std::ofstream(fs::path(argv[2]) / (stem + suffix), std::ios::binary) << bytes;
        }
    }
    return 0;
}
