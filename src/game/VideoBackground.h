#pragma once
// The play field's video: the current player and its texture, the video-sound
// switch, the loop, the restarts, and the user's choice of another file.
#include <functional>
#include <memory>
#include <string>

#include "app/Platform.h"
#include "app/Window.h"
#include "video/VideoPlayer.h"

class VideoBackground {
public:
    // Builds the video the player chose last (remembered), silent, or, when
    // there is none or it is gone, the game's own: from the current folder when
    // it is there, else from beside the program. afterDialog runs once a modal
    // dialog has closed; the game restarts its frame clock there, so the time
    // the dialog was open is not caught up.
    VideoBackground(Platform& platform, GraphicsDevice& device, Window& window,
                    const std::string& mediaDir, const std::string& remembered,
                    std::function<void()> afterDialog);

    // Every step: a video that reached its end starts again.
    void Loop();
    // At the start of a game: from the beginning.
    void Restart();
    // Game over and game clear: stopped at the start; the last picture stays.
    void StopAndRewind();
    // The title menu's "VIDEO CHANGE": asks for a file; the new video waits,
    // stopped at its start, for the next game. A cancel keeps the old one.
    // True when one was chosen (its path: ChosenPath).
    bool ChooseVideo();
    // "DEFAULT VIDEO": the game's own again.
    void UseDefaultVideo();
    // The player's video in use; empty while the game's own plays.
    const std::string& ChosenPath() const { return chosenPath; }
    // The next chosen video plays with its own sound (and the music is silent).
    void ToggleSound() { soundOn = !soundOn; }
    bool IsSoundOn() const { return soundOn; }
    // Every frame, before the background is drawn.
    void UploadNewestFrame() { player->UploadNewestFrame(); }

    // Null when the video has no picture.
    const GpuTexture* Texture() const { return videoTexture; }
    VideoPlayer& Player() { return *player; }

private:
    void Play(const std::string& path);

    Platform& platform;
    GraphicsDevice& device;
    Window& window;
    std::function<void()> afterDialog;
    std::unique_ptr<VideoPlayer> player;
    const GpuTexture* videoTexture = nullptr;
    bool soundOn = false;
    std::string chosenPath;
    std::string defaultPath;
};
