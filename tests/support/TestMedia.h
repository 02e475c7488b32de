#pragma once
// A throwaway executable folder whose Media/Model holds a one-triangle model
// for every model the game loads, so that headless runs draw (and count) them.
#include <atomic>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

class TestMedia {
public:
    TestMedia() {
        static std::atomic<int> serial{0};
        root = std::filesystem::temp_directory_path() /
               ("velmora-media-" + std::to_string(getpid()) + "-" + std::to_string(serial++));
        std::filesystem::create_directories(root / "Media" / "Model");
        for (const char* name :
             {"obj1",    "beam",    "crash_1", "crash_2", "obj2",  "big1",  "obj3",
              "obj4",    "item1",   "item2",   "effect1", "bg1",   "ship",  "shot",
              "obj5",    "obj6",    "bomb1",   "bomb2",   "bomb3", "bomb4", "bomb5",
              "bullet1", "bullet2", "needle1", "needle2"}) {
            std::ofstream(root / "Media" / "Model" / (std::string(name) + ".x")) << kTriangle;
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

private:
    static constexpr const char* kTriangle = R"(xof 0303txt 0032
Mesh triangle {
 3;
 0.0; 0.0; 0.0;,
 1.0; 0.0; 0.0;,
 0.0; 0.0; 1.0;;
 1;
 3; 0, 1, 2;;
 MeshMaterialList {
  1;
  1;
  0;;
  Material {
   1.0; 1.0; 1.0; 1.0;;
   0.0;
   0.0; 0.0; 0.0;;
   0.0; 0.0; 0.0;;
   TextureFilename { "skin.png"; }
  }
 }
}
)";
    std::filesystem::path root;
};
