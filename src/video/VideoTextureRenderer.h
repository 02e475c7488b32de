#pragma once
// Puts decoded 24-bit BGR frames into a texture of the video's size. Frames
// arrive on the decoder's thread and land in a buffer; the main thread uploads
// the newest one before it draws, so the copy and the draw never overlap.
#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <vector>

#include "graphics/RenderBackend.h"
#include "video/MediaType.h"
#include "video/VideoErrors.h"

class VideoTextureRenderer {
public:
    // Frames wider or taller than this are refused before anything is allocated.
    static constexpr int kMaxSide = 4096;

    explicit VideoTextureRenderer(VideoErrors& errors) : errors(errors) {}

    void SetDevice(RenderBackend* d) { device = d; }
    const GpuTexture* GetTexture() const { return texture.get(); }

    // Only 24-bit BGR video with a plain bitmap header is accepted.
    uint32_t CheckMediaType(const MediaType* type) const;
    // Makes the texture for an accepted type; main thread, before any frame.
    uint32_t SetMediaType(const MediaType& type);
    // One frame of videoHeight rows, videoPitch bytes apart; any thread.
    uint32_t DoRenderSample(std::span<const uint8_t> sample);
    // Main thread: uploads the newest frame if one came since the last call.
    bool UploadNewestFrame();

    int VideoWidth() const { return videoWidth; }
    int VideoHeight() const { return videoHeight; }
    int VideoPitch() const { return videoPitch; }

private:
    VideoErrors& errors;
    RenderBackend* device = nullptr;
    std::unique_ptr<GpuTexture> texture;
    TextureFormat textureFormat = TextureFormat::X8R8G8B8;
    int videoWidth = 0, videoHeight = 0, videoPitch = 0;

    // Three frames in the texture's format: the decoder fills one, one waits,
    // the main thread uploads the third. Only the swaps take the lock.
    std::mutex frameLock;
    std::vector<uint8_t> filling, waiting, uploading;
    bool frameWaiting = false;
    int texturePitch = 0;
};
