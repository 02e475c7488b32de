#include "game/TitlePicture.h"

#include "game/Scene.h"
#include "graphics/Texture.h"

void DrawTitlePicture(const SceneScreen& screen) {
    const Texture& title = screen.GetTexture("title");
    title.Draw(0, 0, static_cast<float>(title.ImageWidth()),
               static_cast<float>(title.ImageHeight()), 0, 0, 1, 1, 0xFFFFFFFF);
}
