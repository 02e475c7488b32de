#include "util/AssetPath.h"

#include <filesystem>
#include <optional>

#include "util/StringUtil.h"

namespace fs = std::filesystem;

namespace {

bool SameIgnoringAsciiCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    }
    return true;
}

// The single entry of `folder` named `name` in some case; none when there are several.
std::optional<std::string> FindEntry(const fs::path& folder, const std::string& name) {
    std::error_code ec;
    std::optional<std::string> found;
    fs::directory_iterator it(folder.empty() ? fs::path(".") : folder, ec), end;
    for (; !ec && it != end; it.increment(ec)) {
        std::string entry = it->path().filename().string();
        if (!SameIgnoringAsciiCase(entry, name)) continue;
        if (found) return std::nullopt;
        found = entry;
    }
    return found;
}

}  // namespace

std::string ResolveAssetPath(const std::string& path) {
    std::error_code ec;
    if (path.empty() || fs::exists(path, ec)) return path;

    fs::path resolved;
    for (const fs::path& part : fs::path(path)) {
        std::string name = part.string();
        fs::path next = resolved / part;
        if (name.empty() || name == "/" || name == "." || name == ".." || fs::exists(next, ec)) {
            resolved = next;
            continue;
        }
        std::optional<std::string> entry = FindEntry(resolved, name);
        if (!entry) return path;
        resolved /= *entry;
    }
    return resolved.string();
}
