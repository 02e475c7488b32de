// libFuzzer target: the model and image loaders on arbitrary bytes. They must
// come back empty or loaded, never crash, hang or run out of memory.
#include "fuzz/FuzzInput.h"
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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Mesh mesh(Device(), WriteFuzzInput("input.x", data, size));
    mesh.Draw({0, 0, 0}, {1, 1, 1}, {0, 0, 0}, RotationOrder::ZYX, 1, false);
    Texture texture(Device(), WriteFuzzInput("input.png", data, size));
    texture.Draw(0, 0, 8, 8, 0, 0, 1, 1, 0xFFFFFFFF);
    return 0;
}
