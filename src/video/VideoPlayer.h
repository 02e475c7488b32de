#pragma once
class GpuTexture;

// The background video: decodes into a texture while it runs. Positions are
// seconds. Every call comes from the main thread.
class VideoPlayer {
public:
    virtual ~VideoPlayer() = default;
    virtual void Run() = 0;
    // Keeps the position.
    virtual void Stop() = 0;
    virtual void Seek(double seconds) = 0;
    virtual double GetCurrentPosition() = 0;
    virtual double GetStopTime() = 0;
    // The texture the frames go to; null when there is none.
    virtual const GpuTexture* GetTexture() const = 0;
    // Before drawing: puts the newest decoded frame into the texture; false
    // when none came since the last call.
    virtual bool UploadNewestFrame() { return false; }
    // Ends the decoding and closes the file; the texture stays.
    virtual void ReleaseGraph() {}
};
