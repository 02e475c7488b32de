#pragma once
#include <cstdint>
#include <string>

// Where the video tells what went wrong: the game shows it to the player in an
// error box with the video player's caption.
class VideoErrors {
public:
    static constexpr const char* kCaption = "DirectShow CaptureTex9 Sample";

    virtual ~VideoErrors() = default;
    // A finished text, shown as it stands.
    virtual void Show(const std::string& text) = 0;
    // The format's "%x" receives the result code.
    void ShowCode(const char* format, uint32_t result);
};
