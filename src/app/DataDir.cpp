#include "app/DataDir.h"

#include <algorithm>
#include <filesystem>

#include "util/AssetPath.h"
#include "util/AssetTable.h"
#include "util/FileData.h"

namespace fs = std::filesystem;

namespace {

std::string WithSlash(std::string dir) {
    if (dir.empty() || dir.back() != '/') dir += '/';
    return dir;
}

std::string Clean(const std::string& dir) {
    return WithSlash(fs::path(dir).lexically_normal().string());
}

bool SameFolder(const std::string& a, const std::string& b) {
    std::error_code e;
    return fs::equivalent(a, b, e);
}

// Whether path lies in folder or is it, after links and dot segments.
bool Inside(const std::string& path, const std::string& folder) {
    auto real = [](const std::string& name, std::error_code& e) {
        std::string s = fs::weakly_canonical(name, e).string();
        while (s.size() > 1 && s.back() == '/')
            s.pop_back();
        return s;
    };
    std::error_code e;
    std::string p = real(path, e), f = real(folder, e);
    if (e || f == "/") return false;  // everything lies under /
    return p == f || (p.starts_with(f) && p[f.size()] == '/');
}

}  // namespace

bool HasMedia(const std::string& dir) {
    std::error_code error;
    return fs::is_directory(dir + "Media", error);
}

DataDir FindDataDir(const std::string& given, const std::string& exeDir,
                    const std::vector<Installation>& installed) {
    DataDir found{exeDir, ""};
    if (!given.empty()) {
        found.dir = WithSlash(given);
    } else if (!HasMedia(exeDir)) {
        auto first = std::find_if(installed.begin(), installed.end(),
                                  [](const Installation& i) { return HasMedia(Clean(i.dataDir)); });
        if (first != installed.end()) found.dir = Clean(first->dataDir);
    }
    for (const Installation& i : installed) {
        if (HasMedia(found.dir) && SameFolder(found.dir, i.dataDir)) {
            found.installPrefix = Clean(i.prefix);
            break;
        }
    }
    return found;
}

std::string MissingPack(const std::string& mediaDir) {
    const char* stage = AssetAt(AssetKind::Script, 0).file;
    std::string why;
    if (IsRegularFile(ResolveAssetPath(mediaDir + stage), why)) return "";
    return mediaDir + " holds no game files (" + stage + ": " + why + ")";
}

std::string UserDataDir(const char* xdgDataHome, const char* home,
                        const std::string& installPrefix) {
    // A relative folder would depend on where the game was started; the XDG
    // rules say to ignore it. One in the installation is ignored the same way.
    if (xdgDataHome && *xdgDataHome == '/') {
        std::string dir = std::string(xdgDataHome) + "/velmora/";
        if (installPrefix.empty() || !Inside(dir, installPrefix)) return dir;
    }
    // A relative HOME is as good as none: files would land wherever the game
    // was started from.
    if (home && *home == '/') return std::string(home) + "/.local/share/velmora/";
    return "";
}
