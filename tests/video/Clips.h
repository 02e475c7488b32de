#pragma once
// Small video files made at test time with FFmpeg's encoders.
#include <cstdint>
#include <filesystem>
#include <string>

enum class Container { Wmv, Avi, Mpg };

struct ClipShape {
    Container container = Container::Wmv;
    int width = 64, height = 48;
    int frames = 25;  // at 25 per second
    uint8_t red = 0, green = 0, blue = 0;
    bool sound = false;  // a loud 440 Hz tone
    bool picture = true;
    bool moving = false;  // a drifting, grainy pattern instead of the plain colour
};

// Writes the clip; false when FFmpeg refused.
bool WriteClip(const std::filesystem::path& file, const ClipShape& shape);

// A folder of its own for one test, removed afterwards.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    std::filesystem::path operator/(const std::string& name) const { return root / name; }
    const std::filesystem::path& Path() const { return root; }

private:
    std::filesystem::path root;
};
