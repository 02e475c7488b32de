#include "graphics/GraphicsDevice.h"

#include "util/AssetPath.h"

GraphicsDevice::GraphicsDevice(std::unique_ptr<RenderBackend> backend,
                               std::unique_ptr<ImageDecoder> images, int clientWidth,
                               int clientHeight)
    : backend(std::move(backend)),
      images(std::move(images)),
      width(clientWidth),
      height(clientHeight) {}

Image GraphicsDevice::DecodeImage(const std::string& path) {
    return images->Decode(ResolveAssetPath(path));
}

bool GraphicsDevice::ResetOrCreate() {
    PresentParameters params;
    params.width = width;
    params.height = height;
    params.windowed = !fullScreen;
    if (!created) {
        if (!backend->CreateDevice(params)) return false;
        created = true;
    } else if (!backend->Reset(params)) {
        return false;
    }
    width = backend->BackBufferWidth();
    height = backend->BackBufferHeight();
    refreshRate = backend->DisplayRefreshRate();
    return true;
}

void GraphicsDevice::Clear(uint32_t argb) {
    if (created) backend->Clear(argb);
}

bool GraphicsDevice::BeginScene() {
    return created && backend->BeginScene();
}

void GraphicsDevice::EndScene() {
    if (created) backend->EndScene();
}

bool GraphicsDevice::Present() {
    return created && backend->Present();
}

void GraphicsDevice::Compose() {
    if (created) backend->Compose();
}

int GraphicsDevice::GetRefreshRate() const {
    // A back end can find out after creation that its presents do not wait.
    return created ? backend->DisplayRefreshRate() : refreshRate;
}

void GraphicsDevice::SetLight(int index, LightType type, glm::vec3 position, glm::vec3 direction,
                              ColorValue diffuse, float range) {
    if (!created) return;
    Light light;
    light.type = type;
    light.position = position;
    light.direction = glm::normalize(direction);
    light.diffuse = diffuse;
    light.range = range;
    backend->SetLight(index, light);
    backend->LightEnable(index, true);
    backend->SetRenderState(RenderState::Lighting, 1);
}
