#pragma once
#include <span>
#include <string>

class BitmapFont;
class RenderBackend;
class Texture;
class World;

// What the HUD says besides the field's numbers.
struct HudWords {
    bool practice = false;  // a practice game
    bool catchUp = false;   // missed frames are caught up
    // Lines along the bottom: what reading the stage again found.
    std::span<const std::string> notice;
};

// The row along the top of the screen, drawn over everything, the title
// included: the boss's gauge, the score, the high score and the spare lives;
// in practice, a word that says so, and the switches that are on (a frozen
// game says FREEZE over the field, so it never looks hung).
void DrawHeadUpDisplay(RenderBackend* device, const BitmapFont& font, const Texture& lifeIcon,
                       const World& world, int screenHeight, HudWords words);
