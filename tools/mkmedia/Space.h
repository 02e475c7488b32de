#pragma once
// The drifting nebula and star field behind the play field. It is both the
// background model's still texture and the picture of the looping video.
//
// A frame is laid over a background copy that, seen in play, is far wider than
// it is tall (about 870 x 288 screen pixels), so everything is shaped in those
// screen pixels and squeezed into the frame: round stars stay round in play.
// Every motion repeats with the phase, and the frame repeats vertically, so
// copies stacked above each other join without a seam.
#include <cstdint>
#include <vector>

#include "Image.h"

namespace mkmedia {

class SpaceScene {
public:
    SpaceScene(int width, int height);

    // phase in [0, 1): position in the loop. Writes width * height * 3 bytes, RGB.
    void Render(float phase, std::vector<uint8_t>& rgb) const;
    Image RenderImage(float phase) const;

private:
    struct Star {
        float u, v;  // place in the frame, 0..1
        float size, brightness, twinklePhase;
        int twinkles;  // twinkle cycles per loop
        int scroll;    // frame heights scrolled per loop
        Color tint;
    };
    void RenderFloat(float phase, std::vector<float>& rgb) const;

    int width, height;
    std::vector<float> cloudA, cloudB, tint;
    std::vector<Star> stars;
};

}  // namespace mkmedia
