// The desktop's icons: the window icon's art at the hicolor theme's sizes.
#include <filesystem>

#include "Image.h"
#include "Media.h"
#include "app/IconArt.h"

namespace mkmedia {

bool WriteIcons(const std::filesystem::path& themeDir) {
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        std::string name = std::to_string(size) + "x" + std::to_string(size);
        std::filesystem::path dir = themeDir / name / "apps";
        std::error_code error;
        std::filesystem::create_directories(dir, error);
        if (error) return false;
        std::vector<uint32_t> art = DrawIcon(size);
        Image image(size, size);
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                uint32_t c = art[static_cast<size_t>(y) * size + x];
                auto channel = [c](int shift) { return ((c >> shift) & 0xFF) / 255.0f; };
                image.At(x, y) = {channel(16), channel(8), channel(0), channel(24)};
            }
        }
        if (!image.WritePng((dir / "velmora.png").string())) return false;
    }
    return true;
}

}  // namespace mkmedia
