#pragma once
// What the game's buttons do; each is an index into PadState::buttons.
enum PadButton : int {
    kButtonFire = 0,     // Z, Space, Enter or the pad's A; also confirms in the menu
    kButtonHover = 1,    // X or the pad's B: the options hover over the enemies
    kButtonPause = 2,    // C, the pad's X or Start: pause; also confirms in the menu
    kButtonFreeze = 3,   // V or the pad's Y: freezes the game
    kButtonCatchUp = 4,  // B or the pad's Back: switches the catch-up of missed frames
    kButtonFocus = 5,    // Shift or the pad's right shoulder: slow, with the hit box shown
    kButtonCount = 6,
};

// The held state the game reads once per update step: the keyboard and the
// first controller together. A stick counts as its four directions, which is
// all the ship reads.
struct PadState {
    bool up = false, down = false, left = false, right = false;
    bool buttons[kButtonCount] = {};

    bool Held(PadButton b) const { return buttons[b]; }
    bool operator==(const PadState&) const = default;
};
