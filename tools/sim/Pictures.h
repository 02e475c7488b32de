#pragma once
// The game's real picture for a headless run: OpenGL on an offscreen surface,
// the pack's images and its video, so a run can be looked at frame by frame.
#include <string>

#include "app/HeadlessPlatform.h"

class GameApp;

// Null back ends but for the picture: offscreen GL, real images, the real video.
HeadlessPlatform::Options WithPictures();
// Draws the current frame and writes it as a PNG; false when it could not.
bool SaveFrame(GameApp& app, const std::string& file);
