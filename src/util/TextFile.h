#pragma once
#include <functional>
#include <string>
#include <vector>

// A text file as a list of lines, without their line ends (LF or CR LF). Also a
// small key=value store: the key of a line is the text before its first '=',
// the value everything after it, compared exactly.
class TextFile {
public:
    // The longest line read; a longer one ends the reading there.
    static constexpr size_t kMaxLine = 1023;
    // Larger files are not texts of this game; they are not read at all.
    static constexpr size_t kMaxFileBytes = 16 << 20;

    // Replaces the lines with the file's. False, with no lines, when it is
    // missing, unreadable or too large; a line over kMaxLine characters ends the
    // reading, keeping the lines before it.
    bool Load(const std::string& path);
    // Reads the file as Load does, handing each line over instead of keeping
    // it. cutAt: the line (from 1) that was too long and ended the reading, 0
    // when the file was read to its end.
    static bool ForEachLine(const std::string& path,
                            const std::function<void(const std::string&)>& each,
                            int* cutAt = nullptr);
    // Writes every line with a line end, replacing the file as one step (an old
    // file survives a failed write). False when that fails.
    bool Save(const std::string& path) const;

    int Count() const { return static_cast<int>(lines.size()); }
    // Line i, or "" when there is none.
    std::string GetLine(int i) const;
    void AddLine(const std::string& line) { lines.push_back(line); }

    std::string KeyOf(int i) const;
    std::string ValueOf(int i) const;
    // The first line with this key, or -1.
    int FindKey(const std::string& key) const;
    std::string GetValue(const std::string& key) const;
    // Rewrites the first line with the key, or adds one.
    void SetValue(const std::string& key, const std::string& value);

private:
    std::vector<std::string> lines;
};
