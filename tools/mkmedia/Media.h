#pragma once
// The parts of the asset pack. Each writes its files into the given folder
// (created beforehand) and returns false when one cannot be written.
#include <filesystem>

namespace mkmedia {

bool WriteFont(const std::filesystem::path& fontDir);
bool WriteTextures(const std::filesystem::path& textureDir);
bool WriteModels(const std::filesystem::path& modelDir);
bool WriteSounds(const std::filesystem::path& soundDir);
bool WriteMusic(const std::filesystem::path& musicDir);
// The later stages' pieces, root/stageN/theme.mid and boss.mid; part of the music.
bool WriteStageMusic(const std::filesystem::path& root);
bool WriteVideo(const std::filesystem::path& file);
// The stage script, written by hand: a copy of its source in the repository.
// The stages, their order and the kinds, bosses, patterns and pieces they name.
bool WriteStage(const std::filesystem::path& root);
// The icon in the hicolor theme's sizes: themeDir/NxN/apps/velmora.png.
bool WriteIcons(const std::filesystem::path& themeDir);

}  // namespace mkmedia
