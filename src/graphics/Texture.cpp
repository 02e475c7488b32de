#include "graphics/Texture.h"

#include "graphics/Quad.h"

Texture::Texture(GraphicsDevice& graphics, const std::string& path) : device(graphics.GetDevice()) {
    if (!device) return;
    Image image = graphics.DecodeImage(path);
    if (image.Empty()) return;
    texture = device->CreateTexture(image.width, image.height, image.pixels.data());
    if (!texture) return;
    surfaceWidth = texture->Width();
    surfaceHeight = texture->Height();
    imageWidth = image.width;
    imageHeight = image.height;
}

void Texture::Draw(float x, float y, float width, float height, float u, float v, float du,
                   float dv, uint32_t color) const {
    if (!device) return;
    UseTextureModulate(device);
    device->SetTexture(texture.get());
    DrawQuad(device, x, y, width, height, u, v, du, dv, color);
}
