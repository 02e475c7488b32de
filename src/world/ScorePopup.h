#pragma once
#include <string>

#include "world/GameObject.h"

// Points collected, shown as text at the place they were won, fading for a second.
class ScorePopup : public GameObject {
public:
    static constexpr std::size_t kSlotSize = 112;
    static ObjectPool& Pool();

    ScorePopup(float x, float y, int value);
    bool Update() override;
    void Draw() override;

    std::string text;  // short enough never to leave the string's own buffer
    int life = 60;
    int length;
};
