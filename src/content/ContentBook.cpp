#include "content/ContentBook.h"

#include <filesystem>

#include "content/ContentReader.h"
#include "util/StringUtil.h"

namespace {

// What the first stage's "play N" meant: its numbers stay names of these pieces.
constexpr const char* kNumberedPieces[] = {"qz_disky", "qz_megami(or)",  "qz_disky",
                                           "qz_disky", "qz_bossbattle1", "qz_disky",
                                           "qz_disky", "qz_disky"};

template <class Map>
auto Found(const Map& map, const std::string& name) -> decltype(map.begin()->second.get()) {
    auto found = map.find(name);
    return found == map.end() ? nullptr : found->second.get();
}

// The piece a number names; the name itself otherwise.
std::string PieceName(const std::string& nameOrNumber) {
    if (!IsWholeInt(nameOrNumber)) return nameOrNumber;
    int n = ToInt(nameOrNumber);
    if (n < 0 || n >= static_cast<int>(std::size(kNumberedPieces))) return "";
    return kNumberedPieces[n];
}

}  // namespace

ContentBook::ContentBook(const std::string& mediaDir, const std::string& stageFolder) {
    ContentReader reader(*this, mediaDir);
    reader.ReadFile(mediaDir + "kinds.toml", true);
    reader.ReadFile(mediaDir + "bosses.toml", false);
    std::error_code error;
    if (!stageFolder.empty() && std::filesystem::is_directory(stageFolder, error)) {
        for (const char* file : {"kinds.toml", "bosses.toml"}) {
            if (std::filesystem::exists(stageFolder + file, error))
                reader.ReadFile(stageFolder + file, std::string_view(file) == "kinds.toml");
        }
        reader.ReadPieces(stageFolder);
    }
    reader.Build();
}

const EnemyKind* ContentBook::Kind(const std::string& name) const {
    return Found(kinds, name);
}

const BossKind* ContentBook::Boss(const std::string& name) const {
    return Found(bosses, name);
}

const MusicChoice* ContentBook::Piece(const std::string& nameOrNumber) const {
    auto found = pieces.find(PieceName(nameOrNumber));
    return found == pieces.end() ? nullptr : &found->second;
}

uint64_t ContentBook::KindPrint(const std::string& name) const {
    auto found = kindPrints.find(name);
    return found == kindPrints.end() || !kinds.count(name) ? 0 : found->second;
}

uint64_t ContentBook::BossPrint(const std::string& name) const {
    auto found = bossPrints.find(name);
    return found == bossPrints.end() || !bosses.count(name) ? 0 : found->second;
}

uint64_t ContentBook::PiecePrint(const std::string& name) const {
    auto found = piecePrints.find(PieceName(name));
    return found == piecePrints.end() ? 0 : found->second;
}

std::vector<std::string> ContentBook::KindNames() const {
    std::vector<std::string> names;
    for (const auto& [name, kind] : kinds) {
        if (kind->movement != Movement::ChainLink && kind->movement != Movement::ArmSatellite &&
            kind->movement != Movement::RingSatellite)
            names.push_back(name);
    }
    return names;
}

std::vector<std::string> ContentBook::BossNames() const {
    std::vector<std::string> names;
    for (const auto& entry : bosses)
        names.push_back(entry.first);
    return names;
}

std::string StageFolderOf(const std::string& stagePath) {
    std::filesystem::path path(stagePath);
    return (path.parent_path() / path.stem()).string() + "/";
}

const std::vector<std::string>& KnownContentKeys() {
    static const std::vector<std::string> keys = {
        // a kind
        "model", "size", "hit_points", "score", "drops", "move", "fire", "parts",
        // its move
        "by", "pattern", "descent", "spin", "weave", "wave", "drift", "orbit", "chase", "leash",
        "bottom",
        // its fire, and a boss's volleys
        "every", "cycle", "window", "window_closed", "chance", "count", "spread", "speed",
        "acceleration", "lead", "alternate", "alternate_start",
        // a boss
        "mid", "enter_y", "phase",
        // its phases
        "time", "bonus", "pairs", "drift_time", "time_out"};
    return keys;
}
