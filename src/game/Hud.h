#pragma once

class BitmapFont;
class RenderBackend;
class Texture;
class World;

// The row along the top of the screen, drawn over everything, the title
// included: the boss's gauge, the score, the high score and the spare lives;
// in practice, a word that says so.
void DrawHeadUpDisplay(RenderBackend* device, const BitmapFont& font, const Texture& lifeIcon,
                       const World& world, int screenHeight, bool practice);
