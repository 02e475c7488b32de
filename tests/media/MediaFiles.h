#pragma once
// Where the generated asset pack is (Media/ beside the test binary in the build
// directory) and what it must hold.
#include <array>
#include <filesystem>
#include <string>

namespace media_files {

inline std::filesystem::path Dir() {
    std::error_code e;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", e);
    if (!e && std::filesystem::is_directory(exe.parent_path() / "Media")) {
        return exe.parent_path() / "Media";
    }
    return "Media";
}

inline const std::array<const char*, 25> kModels = {
    "obj1",  "beam",    "crash_1", "crash_2", "obj2",    "big1",    "obj3",   "obj4",  "item1",
    "item2", "effect1", "bg1",     "ship",    "shot",    "obj5",    "obj6",   "bomb1", "bomb2",
    "bomb3", "bomb4",   "bomb5",   "bullet1", "bullet2", "needle1", "needle2"};
inline const std::array<const char*, 4> kTextures = {"title.png", "ship.png", "bomb.png", "a.png"};
inline const std::array<const char*, 9> kSounds = {"shot.wav",  "laser.wav",    "bom1.wav",
                                                   "crash.wav", "boss_out.wav", "cap.wav",
                                                   "bomb.wav",  "kasuri.wav",   "voice_option.wav"};
inline const std::array<const char*, 3> kMusic = {"qz_disky.mid", "qz_megami(or).mid",
                                                  "qz_bossbattle1.mid"};

inline std::string Model(const std::string& name) {
    return (Dir() / "Model" / (name + ".x")).string();
}

}  // namespace media_files
