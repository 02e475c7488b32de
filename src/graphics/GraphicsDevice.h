#pragma once
#include <memory>

#include "graphics/ImageDecoder.h"
#include "graphics/RenderBackend.h"

// The game's one rendering device: its mode, its back-buffer size, the frame
// operations the framework calls, and image decoding for the loaders.
class GraphicsDevice {
public:
    // backend: the device to create; clientWidth/Height: the window's client size.
    GraphicsDevice(std::unique_ptr<RenderBackend> backend, std::unique_ptr<ImageDecoder> images,
                   int clientWidth, int clientHeight);

    // Creates the device the first time, resets it afterwards.
    bool ResetOrCreate();
    void Clear(uint32_t argb);
    bool BeginScene();
    void EndScene();
    bool Present();
    // Finishes the frame's picture so that Present only shows it.
    void Compose();
    // The device to draw with; null until it was created.
    RenderBackend* GetDevice() { return created ? backend.get() : nullptr; }
    CooperativeLevel TestCooperativeLevel() { return backend->TestCooperativeLevel(); }
    // Every image the game loads comes through here, its name matched ignoring case.
    Image DecodeImage(const std::string& path);

    int GetWidth() const { return width; }
    int GetHeight() const { return height; }
    void SetWidth(int w) { width = w; }
    void SetHeight(int h) { height = h; }
    bool IsFullScreen() const { return fullScreen; }
    void SetFullScreen(bool f) { fullScreen = f; }
    int GetRefreshRate() const;
    void SetRefreshRate(int hz) { refreshRate = hz; }

    // Fills and enables one light.
    void SetLight(int index, LightType type, glm::vec3 position, glm::vec3 direction,
                  ColorValue diffuse, float range);

private:
    std::unique_ptr<RenderBackend> backend;
    std::unique_ptr<ImageDecoder> images;
    bool created = false;
    int width, height;
    bool fullScreen = false;
    int refreshRate = 60;
};
