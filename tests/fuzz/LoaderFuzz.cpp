// libFuzzer target: the model and image loaders on arbitrary bytes. They must
// come back empty or loaded, never crash, hang or run out of memory.
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>

#include "graphics/Mesh.h"
#include "graphics/NullBackend.h"
#include "graphics/Texture.h"
#include "graphics/platform/SdlImageDecoder.h"

namespace {

GraphicsDevice& Device() {
    static GraphicsDevice* device = [] {
        auto* d = new GraphicsDevice(std::make_unique<NullBackend>(),
                                     std::make_unique<SdlImageDecoder>(), 640, 480);
        d->ResetOrCreate();
        return d;
    }();
    return *device;
}

const std::filesystem::path& Folder() {
    static const std::filesystem::path folder = [] {
        auto f =
            std::filesystem::temp_directory_path() / ("velmora_fuzz_" + std::to_string(getpid()));
        std::filesystem::create_directories(f);
        return f;
    }();
    return folder;
}

void Write(const std::filesystem::path& path, const uint8_t* data, size_t size) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Write(Folder() / "input.x", data, size);
    Write(Folder() / "input.png", data, size);
    Mesh mesh(Device(), (Folder() / "input.x").string());
    mesh.Draw({0, 0, 0}, {1, 1, 1}, {0, 0, 0}, RotationOrder::ZYX, 1, false);
    Texture texture(Device(), (Folder() / "input.png").string());
    texture.Draw(0, 0, 8, 8, 0, 0, 1, 1, 0xFFFFFFFF);
    return 0;
}
