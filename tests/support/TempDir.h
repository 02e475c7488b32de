#pragma once
#include <atomic>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <unistd.h>

// A private folder under the temp directory, removed with the object. Its name
// holds the process id and a serial number, so tests running side by side
// never share one.
class TempDir {
public:
    explicit TempDir(const std::string& name) {
        static std::atomic<int> serial{0};
        path =
            std::filesystem::temp_directory_path() /
            ("velmora_" + name + "_" + std::to_string(getpid()) + "_" + std::to_string(serial++));
        std::filesystem::create_directories(path);
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return path; }
    std::string operator/(const std::string& file) const { return (path / file).string(); }

private:
    std::filesystem::path path;
};

// A file's bytes as they are; empty when it cannot be read.
inline std::string FileText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}
