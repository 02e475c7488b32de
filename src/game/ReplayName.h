#pragma once
// The names the replay shelf gives its files: the local date and time, the
// score and the stage, "20261208-143012-000000101730-script_easy.replay".
#include <ctime>
#include <optional>
#include <string>
#include <string_view>

inline constexpr std::string_view kReplayExtension = ".replay";

std::string ReplayFileName(std::time_t when, const std::string& score,
                           const std::string& stageName);

// When a file was kept, "20261208-143012", in local time: such stamps sort as
// the times they stand for.
std::string StampOf(std::time_t when);

// What a name the shelf gave tells; nothing for a name of another shape.
struct ShelfName {
    std::string stamp, score;
};
std::optional<ShelfName> ReadShelfName(std::string_view name);
