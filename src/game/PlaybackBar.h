#pragma once
class BitmapFont;
class Playback;
class RenderBackend;

// The bar along the bottom while a replay plays: where it is (m:ss / m:ss) on
// the track of the whole game with the sections marked, the speed, and
// whether it is paused.
void DrawPlaybackBar(RenderBackend* device, const BitmapFont& font, const Playback& playback);
