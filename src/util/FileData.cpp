#include "util/FileData.h"

#include <filesystem>
#include <fstream>

bool ReadFileLimited(const std::string& path, std::size_t maxBytes, std::string& data,
                     std::string& error) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        error = "no such file";
        return false;
    }
    auto size = std::filesystem::file_size(path, ec);
    if (ec) {
        error = ec.message();
        return false;
    }
    if (size > maxBytes) {
        error = "file too large (" + std::to_string(size) + " bytes)";
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    data.resize(size);
    if (!in.read(data.data(), static_cast<std::streamsize>(size))) {
        error = "cannot read the file";
        return false;
    }
    return true;
}
