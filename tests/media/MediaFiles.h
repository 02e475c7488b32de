#pragma once
// Where the generated asset pack is (Media/ beside the test binary in the build
// directory) and what it must hold.
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "util/AssetTable.h"

namespace media_files {

inline std::filesystem::path Dir() {
    std::error_code e;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", e);
    if (!e && std::filesystem::is_directory(exe.parent_path() / "Media")) {
        return exe.parent_path() / "Media";
    }
    return "Media";
}

// The file names of one kind of asset, without their folder, each once, in table order.
inline std::vector<std::string> FileNames(AssetKind kind) {
    std::vector<std::string> names;
    for (const Asset& a : kAssets) {
        if (a.kind != kind) continue;
        std::string name = std::filesystem::path(a.file).filename().string();
        if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
    }
    return names;
}

// Models are named by their handles, which are their files' base names.
inline const std::vector<std::string> kModels = [] {
    std::vector<std::string> names;
    for (int i = 0; i < kModelCount; ++i)
        names.emplace_back(AssetAt(AssetKind::Model, i).handle);
    return names;
}();
inline const std::vector<std::string> kTextures = FileNames(AssetKind::Texture);
inline const std::vector<std::string> kSounds = FileNames(AssetKind::Sound);
inline const std::vector<std::string> kMusic = FileNames(AssetKind::Music);
// The later stages' pieces, in their stages' folders; a stage names them "theme" and "boss".
inline const std::vector<std::string> kStageMusic = {"stage2/theme.mid", "stage2/boss.mid",
                                                     "stage3/theme.mid", "stage3/boss.mid",
                                                     "stage4/theme.mid", "stage4/boss.mid"};

inline std::string Model(const std::string& name) {
    return (Dir() / "Model" / (name + ".x")).string();
}

// Each later stage's own craft, mid-boss and boss, in the stage's folder of the pack.
inline const std::vector<std::string> kStageModels = [] {
    std::vector<std::string> files;
    for (const char* stage : {"stage2", "stage3", "stage4"}) {
        for (const char* name : {"craft_a", "craft_b", "craft_c", "midboss", "boss"}) {
            std::string file = stage;
            files.push_back(file.append("/").append(name).append(".x"));
        }
    }
    return files;
}();

}  // namespace media_files
