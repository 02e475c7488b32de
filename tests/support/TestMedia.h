#pragma once
// A throwaway executable folder whose Media/ holds a one-triangle model for
// every model of the asset table, so that headless runs of the whole game draw
// (and count) them.
#include <atomic>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

#include "media/MediaFiles.h"
#include "support/TriangleModel.h"
#include "util/AssetTable.h"

class TestMedia {
public:
    // stage: the text of the stage script; none when empty.
    explicit TestMedia(const std::string& stage = "") {
        static std::atomic<int> serial{0};
        root = std::filesystem::temp_directory_path() /
               ("velmora-media-" + std::to_string(getpid()) + "-" + std::to_string(serial++));
        std::filesystem::create_directories(root / "Media" / "Model");
        for (int i = 0; i < kModelCount; ++i)
            std::ofstream(root / "Media" / AssetAt(AssetKind::Model, i).file) << kTriangleModel;
        if (!stage.empty())
            std::ofstream(root / "Media" / AssetAt(AssetKind::Script, 0).file) << stage;
        // The pack's own kinds and bosses, which stages name.
        for (int i = 0; i < AssetCount(AssetKind::Content); ++i) {
            const char* file = AssetAt(AssetKind::Content, i).file;
            std::filesystem::copy_file(media_files::Dir() / file, root / "Media" / file);
        }
    }
    ~TestMedia() {
        std::error_code ignored;
        std::filesystem::remove_all(root, ignored);
    }
    TestMedia(const TestMedia&) = delete;
    TestMedia& operator=(const TestMedia&) = delete;

    // The folder with its trailing '/', as the game expects it.
    std::string ExeDir() const { return root.string() + "/"; }
    const std::filesystem::path& Root() const { return root; }

private:
    std::filesystem::path root;
};
