#include "script/StageCatalogue.h"

#include <algorithm>
#include <filesystem>

#include "graphics/Glyphs.h"
#include "script/StageLine.h"
#include "util/AssetTable.h"
#include "util/FileData.h"
#include "util/StringUtil.h"
#include "util/TextFile.h"

namespace fs = std::filesystem;

namespace {

// A stage names itself near its top; the listing reads no further.
constexpr std::size_t kHeadBytes = 64 << 10;

std::string Absolute(const std::string& path) {
    std::error_code e;
    fs::path absolute = fs::absolute(path, e);
    return (e ? fs::path(path) : absolute).lexically_normal().string();
}

// The text of the first "stage" line outside comments in the head of a stage
// file; empty without one.
std::string WrittenName(const std::string& head) {
    StageComments comments;
    std::size_t at = 0;
    while (at < head.size()) {
        std::size_t end = std::min(head.find('\n', at), head.size());
        std::string text = head.substr(at, end - at);
        at = end + 1;
        if (!text.empty() && text.back() == '\r') text.pop_back();
        StageLine line(text);
        if (comments.Counts(line) && line.Keyword() == StageKeyword::StageName &&
            line.rest.find_first_not_of(' ') != std::string::npos)
            return line.rest;
    }
    return "";
}

bool IsStageFileName(const fs::path& name) {
    std::string extension = name.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".txt";
}

}  // namespace

std::string StageFileProblem(const std::string& path) {
    std::string head, why;
    if (!ReadFileHead(path, kHeadBytes, head, why)) return why;
    std::error_code e;
    auto size = fs::file_size(path, e);
    if (!e && size > TextFile::kMaxFileBytes)
        return "too large to be a stage (" + std::to_string(size) + " bytes)";
    if (head.find('\0') != std::string::npos) return "not a text file";
    return "";
}

std::string ShownStageName(const std::string& written, const std::string& path) {
    std::string name = InFontGlyphs(written.empty() ? fs::path(path).stem().string() : written);
    std::size_t first = name.find_first_not_of(' ');
    if (first == std::string::npos) return "STAGE";
    name = name.substr(first, StageCatalogue::kNameLength);
    return name.substr(0, name.find_last_not_of(' ') + 1);
}

StageCatalogue::StageCatalogue(const std::string& deliveredPath,
                               const std::vector<std::string>& packStages,
                               const std::string& playerFolder, const std::string& commandLine,
                               const std::function<void(const std::string&)>& report) {
    Add(deliveredPath, StageOrigin::Delivered, "");
    for (const std::string& path : packStages) {
        if (std::string problem = StageFileProblem(path); !problem.empty()) {
            report(Printable(path) + ": " + problem + "; it is not listed");
        } else {
            Add(path, StageOrigin::Pack,
                std::string(kPackStageMark) + fs::path(path).filename().string());
        }
    }
    // With more than one, the game's own play as one game too: what a new
    // player starts, while the first alone is remembered by its file's name.
    if (stages.size() > 1) {
        CataloguedStage whole{"WHOLE GAME", stages[0].path, StageOrigin::WholeGame, "", {}, {}};
        for (const CataloguedStage& stage : stages) {
            whole.chain.push_back(stage.path);
            whole.chainNames.push_back(stage.name);
        }
        stages[0].setting =
            std::string(kPackStageMark) + fs::path(stages[0].path).filename().string();
        wholeGame = static_cast<int>(stages.size());
        stages.push_back(std::move(whole));
    }
    std::vector<fs::path> files;
    std::error_code e;
    if (!playerFolder.empty()) {
        for (fs::directory_iterator it(playerFolder, e), end; !e && it != end; it.increment(e)) {
            if (IsStageFileName(it->path().filename())) files.push_back(it->path());
        }
    }
    // By name as people read them: in any case.
    auto folded = [](const fs::path& file) {
        std::string name = file.filename().string();
        std::transform(name.begin(), name.end(), name.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        return name;
    };
    std::sort(files.begin(), files.end(), [&](const fs::path& a, const fs::path& b) {
        std::string x = folded(a), y = folded(b);
        return x != y ? x < y : a < b;
    });
    for (const fs::path& file : files) {
        std::string problem = StageFileProblem(file.string());
        if (problem.empty()) {
            Add(file.string(), StageOrigin::Player, file.filename().string());
        } else {
            report(Printable(file.string()) + ": " + problem + "; it is not listed");
        }
    }
    std::string problem;
    if (!commandLine.empty()) named = Include(commandLine, problem);
    if (!problem.empty()) report(Printable(commandLine) + ": " + problem);
}

void StageCatalogue::Add(const std::string& path, StageOrigin origin, const std::string& setting) {
    std::string head, why;
    ReadFileHead(path, kHeadBytes, head, why);
    std::string absolute = Absolute(path);
    stages.push_back({ShownStageName(WrittenName(head), absolute), absolute, origin, setting});
}

int StageCatalogue::Include(const std::string& path, std::string& problem) {
    std::string absolute = Absolute(path);
    for (int i = 0; i < Count(); ++i) {
        if (At(i).path == absolute) return i;
    }
    problem = StageFileProblem(absolute);
    if (!problem.empty()) return -1;
    Add(absolute, StageOrigin::CommandLine, "");
    return Count() - 1;
}

int StageCatalogue::Chosen(const std::string& setting) const {
    if (named >= 0) return named;
    for (int i = 0; i < Count(); ++i) {
        if (At(i).setting == setting) return i;
    }
    return wholeGame >= 0 ? wholeGame : 0;
}

int StageCatalogue::Named(const std::string& name) const {
    const std::string shown = InFontGlyphs(name);
    for (int i = 0; i < Count(); ++i) {
        if (At(i).name == shown) return i;
    }
    return -1;
}

std::string StageFileOf(const std::string& named, const std::string& mediaDir) {
    if (!named.starts_with(kPackStageMark)) return named;
    const std::string file = named.substr(kPackStageMark.size());
    // Only a file of the folder itself.
    if (file.empty() || file.find('/') != std::string::npos) return named;
    return mediaDir + file;
}

std::string DeliveredStage(const std::string& mediaDir) {
    return mediaDir + AssetAt(AssetKind::Script, 0).file;
}
