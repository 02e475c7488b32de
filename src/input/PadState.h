#pragma once
// What the game's buttons do; each is an index into PadState::buttons.
enum PadButton : int {
    kButtonFire = 0,     // Z, Space, Enter or the pad's first button; also confirms in the menu
    kButtonHover = 1,    // X: the options hover over the enemies
    kButtonPause = 2,    // C: pause; also confirms in the menu
    kButtonFreeze = 3,   // V: freezes the game
    kButtonCatchUp = 4,  // B: switches the catch-up of missed frames
};

// The held state of one pad record, read once per update step.
struct PadState {
    bool up = false, down = false, left = false, right = false;
    bool buttons[128] = {};
    bool up2 = false, down2 = false, left2 = false, right2 = false;
    float axisX = 0.0f, axisY = 0.0f;
    float axis2X = 0.0f, axis2Y = 0.0f;

    bool Held(PadButton b) const { return buttons[b]; }
};
