#pragma once
// The loaders under fuzzing read files: each input is written to a file of this
// process's own, the same one every run.
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

inline std::string WriteFuzzInput(const std::string& name, const uint8_t* data, size_t size) {
    static const std::filesystem::path folder = [] {
        auto f =
            std::filesystem::temp_directory_path() / ("velmora_fuzz_" + std::to_string(getpid()));
        std::filesystem::create_directories(f);
        return f;
    }();
    const std::string path = (folder / name).string();
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return path;
}
