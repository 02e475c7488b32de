#pragma once
#include "graphics/ImageDecoder.h"

// PNG, BMP, TGA, JPG and ICO files through SDL2_image.
class SdlImageDecoder : public ImageDecoder {
public:
    SdlImageDecoder();
    Image Decode(const std::string& path) override;
};
