#include "video/VideoTextureRenderer.h"

#include <cstdlib>

#include "video/FrameConversion.h"
#include "video/VideoErrors.h"
#include "video/VideoResult.h"

using namespace video_result;

uint32_t VideoTextureRenderer::CheckMediaType(const MediaType* type) const {
    if (!type) return kPointer;
    if (type->formatType != FormatType::VideoInfo) return kInvalidArg;
    if (type->major == MajorType::Video && type->subtype == MediaSubtype::Rgb24) return kOk;
    return kFail;
}

uint32_t VideoTextureRenderer::SetMediaType(const MediaType& type) {
    videoWidth = type.width;
    videoHeight = std::abs(type.height);
    videoPitch = ::VideoPitch(videoWidth);
    texture.reset();
    if (videoWidth <= 0 || videoHeight <= 0 || videoWidth > kMaxSide || videoHeight > kMaxSide) {
        errors.ShowCode("Could not create the D3DX texture!  hr=0x%x", kInvalidCall);
        return kInvalidCall;
    }
    if (device)
        texture = device->CreateDynamicTexture(videoWidth, videoHeight, TextureFormat::X8R8G8B8);
    if (!texture) {
        errors.ShowCode("Could not create the D3DX texture!  hr=0x%x", kOutOfMemory);
        return kOutOfMemory;
    }
    textureFormat = texture->Format();
    if (textureFormat != TextureFormat::X8R8G8B8 && textureFormat != TextureFormat::A1R5G5B5) {
        texture.reset();
        errors.ShowCode("Texture is format we can't handle! Format = 0x%x",
                        static_cast<uint32_t>(textureFormat));
        return kTypeNotAccepted;
    }
    texturePitch = videoWidth * TexelBytes(textureFormat);
    const size_t bytes = static_cast<size_t>(texturePitch) * videoHeight;
    for (auto* frame : {&filling, &waiting, &uploading})
        frame->assign(bytes, 0);
    frameWaiting = false;
    return kOk;
}

uint32_t VideoTextureRenderer::DoRenderSample(std::span<const uint8_t> sample) {
    if (!sample.data()) return kPointer;
    if (!texture) return kUnexpected;
    if (sample.size() < static_cast<size_t>(videoPitch) * videoHeight) return kInvalidArg;
    if (textureFormat == TextureFormat::X8R8G8B8) {
        ConvertToX8R8G8B8(sample.data(), videoPitch, videoWidth, videoHeight, filling.data(),
                          texturePitch);
    } else {
        ConvertToA1R5G5B5(sample.data(), videoPitch, videoWidth, videoHeight, filling.data(),
                          texturePitch);
    }
    std::lock_guard guard(frameLock);
    filling.swap(waiting);
    frameWaiting = true;
    return kOk;
}

bool VideoTextureRenderer::UploadNewestFrame() {
    {
        std::lock_guard guard(frameLock);
        if (!frameWaiting) return false;
        waiting.swap(uploading);
        frameWaiting = false;
    }
    texture->Upload(uploading.data(), texturePitch);
    return true;
}
