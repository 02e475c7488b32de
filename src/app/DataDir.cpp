#include "app/DataDir.h"

#include <filesystem>

namespace {

std::string WithSlash(std::string dir) {
    if (dir.empty() || dir.back() != '/') dir += '/';
    return dir;
}

}  // namespace

bool HasMedia(const std::string& dir) {
    std::error_code error;
    return std::filesystem::is_directory(dir + "Media", error);
}

std::string FindDataDir(const std::string& given, const std::string& exeDir,
                        const std::vector<std::string>& installed) {
    if (!given.empty()) return WithSlash(given);
    if (HasMedia(exeDir)) return exeDir;
    for (const std::string& dir : installed) {
        std::string clean = WithSlash(std::filesystem::path(dir).lexically_normal().string());
        if (HasMedia(clean)) return clean;
    }
    return exeDir;
}
