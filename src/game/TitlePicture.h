#pragma once
class SceneScreen;

// The title's picture over the whole screen, behind the title's menus.
void DrawTitlePicture(const SceneScreen& screen);
