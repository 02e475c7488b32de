#include "util/TextFile.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

#include "util/AssetPath.h"
#include "util/AtomicFile.h"
#include "util/FileData.h"
#include "util/StringUtil.h"

namespace {

// Cuts the line that starts at `at` and moves past it; a CR before its LF is
// not counted. False at the end of the text, and for a line over maxLength.
bool ReadLine(std::string_view text, std::size_t& at, std::string& line, std::size_t maxLength) {
    if (at >= text.size()) return false;
    std::size_t end = std::min(text.find('\n', at), text.size());
    std::string_view cut = text.substr(at, end - at);
    at = end + 1;
    if (!cut.empty() && cut.back() == '\r') cut.remove_suffix(1);
    if (cut.size() > maxLength) return false;
    line.assign(cut);
    return true;
}

}  // namespace

bool TextFile::ForEachLine(const std::string& path,
                           const std::function<void(const std::string&)>& each, int* cutAt) {
    if (cutAt) *cutAt = 0;
    std::string file = ResolveAssetPath(path), text, why;
    if (!FileExists(file)) return false;  // not made yet: no fault
    if (!ReadFileLimited(file, kMaxFileBytes, text, why)) {
        std::fprintf(stderr, "velmora: %s not read: %s\n", path.c_str(), why.c_str());
        return false;
    }
    std::size_t at = 0;
    std::string line;
    for (int number = 1; at < text.size(); ++number) {
        if (!ReadLine(text, at, line, kMaxLine)) {
            if (cutAt) *cutAt = number;
            break;
        }
        each(line);
    }
    return true;
}

bool TextFile::Load(const std::string& path) {
    lines.clear();
    return ForEachLine(path, [this](const std::string& line) { lines.push_back(line); });
}

bool TextFile::Save(const std::string& path) const {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    // Into the folder as it is named on disk, whatever the case asked for.
    std::string folder = GetDirectory(path);
    std::string target = path;
    if (!folder.empty()) {
        folder = ResolveAssetPath(folder.substr(0, folder.size() - 1)) + "/";
        target = folder + path.substr(GetDirectory(path).size());
    }
    std::string why;
    if (WriteFileAtomically(target, text, why)) return true;
    std::fprintf(stderr, "velmora: %s not written: %s\n", path.c_str(), why.c_str());
    return false;
}

std::string TextFile::GetLine(int i) const {
    return i >= 0 && i < Count() ? lines[i] : std::string();
}

std::string TextFile::KeyOf(int i) const {
    std::string line = GetLine(i);
    size_t p = line.find('=');
    return p == std::string::npos ? std::string() : line.substr(0, p);
}

std::string TextFile::ValueOf(int i) const {
    std::string line = GetLine(i);
    size_t p = line.find('=');
    return p == std::string::npos ? std::string() : line.substr(p + 1);
}

int TextFile::FindKey(const std::string& key) const {
    for (int i = 0; i < Count(); ++i) {
        if (KeyOf(i) == key) return i;
    }
    return -1;
}

std::string TextFile::GetValue(const std::string& key) const {
    int i = FindKey(key);
    return i < 0 ? std::string() : ValueOf(i);
}

void TextFile::SetValue(const std::string& key, const std::string& value) {
    int i = FindKey(key);
    if (i >= 0) {
        lines[i] = key + "=" + value;
    } else {
        lines.push_back(key + "=" + value);
    }
}
