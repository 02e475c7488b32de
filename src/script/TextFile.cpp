#include "script/TextFile.h"

#include <cstdio>
#include <fstream>

#include "util/AssetPath.h"
#include "util/AtomicFile.h"
#include "util/StringUtil.h"

namespace {

// Larger files are not texts of this game; they are not read at all.
constexpr std::streamoff kMaxFileBytes = 16 << 20;

// Reads one line of at most maxLength characters, a CR before its LF not
// counted. False at the end of the file, and for a longer line, which is read
// no further than one character past the limit.
bool ReadLine(std::streambuf& in, std::string& line, size_t maxLength) {
    line.clear();
    int c;
    while ((c = in.sbumpc()) != std::char_traits<char>::eof() && c != '\n') {
        if (line.size() > maxLength) return false;  // one more than allowed, a CR aside
        line.push_back(static_cast<char>(c));
    }
    if (c != '\n' && line.empty()) return false;  // the end itself is no line
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line.size() <= maxLength;
}

}  // namespace

bool TextFile::Load(const std::string& path) {
    lines.clear();
    std::ifstream in(ResolveAssetPath(path), std::ios::binary | std::ios::ate);
    if (!in) return false;
    if (in.tellg() > kMaxFileBytes) {
        std::fprintf(stderr, "velmora: %s not read: larger than any text of the game\n",
                     path.c_str());
        return true;
    }
    in.seekg(0);
    std::string line;
    while (ReadLine(*in.rdbuf(), line, kMaxLine))
        lines.push_back(line);
    return true;
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
    int p = Find(line, "=");
    return p < 0 ? std::string() : line.substr(0, p);
}

std::string TextFile::ValueOf(int i) const {
    std::string line = GetLine(i);
    int p = Find(line, "=");
    return p < 0 ? std::string() : line.substr(p + 1);
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
