#pragma once
class Mesh;

// The two colours of a bullet model, picked by a variant of 0 or 1. Round
// bullets spin as they fly; needles keep their heading.
struct ModelTable {
    Mesh* models[2];
    float spin;
};
