#pragma once
// The decoding thread of one video file: it reads ahead, decodes, converts
// each picture to 24-bit BGR and hands it to the renderer when the player's
// clock reaches its time; the sound goes to the mixer as it is decoded.
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "video/PlaybackClock.h"
#include "video/VideoTextureRenderer.h"
#include "video/platform/MediaSource.h"
#include "video/platform/VideoSound.h"

class VideoDecoder {
public:
    // video: open or not; audio and sound: both or neither. renderer: set for a video.
    VideoDecoder(FormatPtr format, MediaStream video, MediaStream audio,
                 VideoTextureRenderer* renderer, std::unique_ptr<VideoSound> sound);
    ~VideoDecoder();
    VideoDecoder(const VideoDecoder&) = delete;
    VideoDecoder& operator=(const VideoDecoder&) = delete;

    // Starts the thread; false when it cannot run.
    bool Start();

    // The player's operations; main thread.
    void Run();
    void Stop();
    void Seek(double seconds);
    double Position();
    double StopTime();

private:
    void ThreadMain();
    void SeekFile(double seconds);
    // Decodes until a picture is ready (its time) or the pictures have ended.
    std::optional<double> DecodePicture();
    // Reads one packet: pictures wait in the queue, sound is decoded at once.
    // False at the end of the data.
    bool ReadPacket();
    void DecodeSound(const AVPacket* packet);
    // Reads until enough sound waits; false when there was nothing to do.
    bool TopUpSound();
    bool ConvertPicture(const AVFrame* frame);
    // A seek or the end of the player waits: long reads stop early.
    bool Interrupted();
    // A picture or sound at this time was decoded.
    void NotePlayed(double seconds);
    void NoteEnd(double seconds);
    static double Now();

    FormatPtr format;
    MediaStream video, audio;
    VideoTextureRenderer* renderer;
    std::unique_ptr<VideoSound> sound;
    ScalerPtr scaler;
    ResamplerPtr resampler;
    PacketPtr packet;
    FramePtr frame, soundFrame;
    std::deque<PacketPtr> pictures;  // read ahead while topping up the sound
    std::vector<uint8_t> bgr;        // the next picture, videoPitch bytes a row
    std::vector<uint8_t> samples;    // resampled sound
    bool dataEnded = false, picturesEnded = false, flushed = false, seekFailed = false;
    double discardBefore = 0.0;  // after a seek, what lies before it is skipped
    double frameSeconds = 0.04, lastPicture = -0.04, soundEnd = 0.0;

    // Shared with the main thread.
    std::mutex lock;
    std::condition_variable wake;
    PlaybackClock clock;
    std::optional<double> seekTo;
    bool quit = false;
    bool pictureReady = false;
    double pictureTime = 0.0;
    double declaredLength;     // from the container; negative when it says nothing
    double dataLength = -1.0;  // where the data ended, once found
    std::thread thread;
};
