#include "game/ReplayName.h"

#include <filesystem>

#include "world/World.h"

namespace {

constexpr std::size_t kStampSize = 15;  // "20261208-143012"

// Letters, digits, '-' and '_' survive in every file system; the rest becomes '_'.
std::string SafeName(const std::string& stage) {
    std::string name = std::filesystem::path(stage).stem().string().substr(0, 40);
    for (char& c : name) {
        bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                     c == '-' || c == '_';
        if (!plain) c = '_';
    }
    return name;
}

}  // namespace

std::string StampOf(std::time_t when) {
    std::tm local{};
    localtime_r(&when, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    return stamp;
}

std::string ReplayFileName(std::time_t when, const std::string& score,
                           const std::string& stageName) {
    return StampOf(when) + "-" + score + "-" + SafeName(stageName) + std::string(kReplayExtension);
}

std::optional<ShelfName> ReadShelfName(std::string_view name) {
    // The stamp, the score, then anything.
    const std::string shape =
        "00000000-000000-" + std::string(static_cast<std::size_t>(kScoreDigits), '0') + "-";
    if (name.size() < shape.size() + kReplayExtension.size() || !name.ends_with(kReplayExtension))
        return std::nullopt;
    for (std::size_t i = 0; i < shape.size(); ++i) {
        bool digit = name[i] >= '0' && name[i] <= '9';
        if (shape[i] == '0' ? !digit : name[i] != '-') return std::nullopt;
    }
    return ShelfName{std::string(name.substr(0, kStampSize)),
                     std::string(name.substr(kStampSize + 1, kScoreDigits))};
}
