#pragma once
#include <memory>
#include <vector>

#include "audio/AudioBackend.h"
#include "audio/platform/Mixer.h"

struct Mix_Chunk;

// Sound effects on SDL2_mixer: each start takes a free mixer channel, and when
// every channel is busy there are twice as many, so no start is ever dropped.
class MixerSounds : public AudioBackend {
public:
    explicit MixerSounds(std::shared_ptr<Mixer> mixer);
    ~MixerSounds() override;

    int Load(const std::string& path) override;
    void Play(int sound) override;
    // The player's effects volume, 0..1 of the amplitude.
    void SetGain(float amplitude);

private:
    std::shared_ptr<Mixer> mixer;
    std::vector<Mix_Chunk*> chunks;
    int chunkVolume;
};
