// mkmedia: writes the game's default asset pack.
//   mkmedia MEDIA_DIR [PART...]   parts: font textures models sounds music video stage
//   mkmedia --icons THEME_DIR     the desktop icons, THEME_DIR/NxN/apps/velmora.png
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "Media.h"
#include "util/AssetTable.h"

namespace fs = std::filesystem;

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr,
                     "usage: mkmedia MEDIA_DIR [font|textures|models|sounds|music|video|stage]...\n"
                     "       mkmedia --icons THEME_DIR\n");
        return 2;
    }
    if (std::string(argv[1]) == "--icons" && argc == 3) {
        if (mkmedia::WriteIcons(argv[2])) return 0;
        std::fprintf(stderr, "mkmedia: could not write the icons into %s\n", argv[2]);
        return 1;
    }
    const fs::path root = argv[1];
    struct Part {
        const char* name;
        fs::path dir;
        std::function<bool()> write;
    };
    const std::vector<Part> parts = {
        {"font", root / "Font", [&] { return mkmedia::WriteFont(root / "Font"); }},
        {"textures", root / "Texture", [&] { return mkmedia::WriteTextures(root / "Texture"); }},
        {"models", root / "Model", [&] { return mkmedia::WriteModels(root / "Model"); }},
        {"sounds", root / "Sound", [&] { return mkmedia::WriteSounds(root / "Sound"); }},
        {"music", root / "Music", [&] { return mkmedia::WriteMusic(root / "Music"); }},
        {"video", root, [&] { return mkmedia::WriteVideo(root / "video2.wmv"); }},
        {"stage", root, [&] { return mkmedia::WriteStage(root); }},
    };
    std::vector<std::string> wanted(argv + 2, argv + argc);
    for (const std::string& w : wanted) {
        bool known = false;
        for (const Part& p : parts)
            known = known || w == p.name;
        if (!known) {
            std::fprintf(stderr, "mkmedia: no part named %s\n", w.c_str());
            return 2;
        }
    }
    for (const Part& p : parts) {
        if (!wanted.empty() && std::find(wanted.begin(), wanted.end(), p.name) == wanted.end()) {
            continue;
        }
        std::error_code error;
        fs::create_directories(p.dir, error);
        auto start = std::chrono::steady_clock::now();
        if (error || !p.write()) {
            std::fprintf(stderr, "mkmedia: could not write the %s into %s\n", p.name,
                         p.dir.string().c_str());
            return 1;
        }
        if (std::getenv("MKMEDIA_TIMES")) {
            std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
            std::fprintf(stderr, "mkmedia: %s %.2f s\n", p.name, took.count());
        }
    }
    if (wanted.empty()) {
        // A whole pack holds every file the game loads (the high score is the game's own).
        for (const Asset& asset : kAssets) {
            if (asset.kind != AssetKind::Settings && !fs::is_regular_file(root / asset.file)) {
                std::fprintf(stderr, "mkmedia: the pack lacks %s\n", asset.file);
                return 1;
            }
        }
    }
    return 0;
}
