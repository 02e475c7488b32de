#include "video/platform/FfmpegVideoPlayer.h"

#include "video/VideoErrors.h"
#include "video/VideoResult.h"

using namespace video_result;

namespace {

uint32_t ResultOf(int error) {
    if (error == AVERROR(ENOENT)) return kNotFound;
    if (error == AVERROR(EACCES)) return kAccessDenied;
    if (error == AVERROR(ENOMEM)) return kOutOfMemory;
    // The file is there but not understood; demuxers report that with many codes.
    return kUnknownFileType;
}

}  // namespace

uint32_t FfmpegVideoPlayer::Build(GraphicsDevice& device, const std::string& path, bool withSound) {
    renderer.SetDevice(device.GetDevice());
    FormatPtr format;
    if (int error = OpenMediaFile(path, format); error < 0) {
        uint32_t result = ResultOf(error);
        if (result == kNotFound) {
            errors.Show(
                "Could not add source filter to graph!  (hr==VFW_E_NOT_FOUND)\n\n"
                "This file was not found:\n" +
                path);
        } else {
            errors.ShowCode("Could not add source filter to graph!  hr=0x%x", result);
        }
        return result;
    }

    MediaStream video, audio;
    uint32_t connected = ConnectPicture(format.get(), video);
    std::unique_ptr<VideoSound> sound;
    if (!withSound) {
        // Only the picture: the sound track is never decoded.
        if (Failed(connected)) {
            errors.ShowCode("Could not connect pins!  hr=0x%x", connected);
            return connected;
        }
    } else {
        bool soundTrack = OpenStream(format.get(), AVMEDIA_TYPE_AUDIO, audio);
        if (Failed(connected) && !soundTrack) {
            errors.ShowCode("Could not render source output pin!  hr=0x%x", connected);
            return connected;
        }
        if (soundTrack) sound = VideoSound::Open();
        if (!sound) audio = MediaStream{};
    }

    decoder = std::make_unique<VideoDecoder>(std::move(format), std::move(video), std::move(audio),
                                             &renderer, std::move(sound));
    if (!decoder->Start()) {
        decoder.reset();
        errors.ShowCode("Could not run the DirectShow graph!  hr=0x%x", kFail);
        return kFail;
    }
    decoder->Run();
    textureTaken = true;
    return kOk;
}

uint32_t FfmpegVideoPlayer::ConnectPicture(AVFormatContext* format, MediaStream& video) {
    if (!OpenStream(format, AVMEDIA_TYPE_VIDEO, video)) return kCannotConnect;
    // Pictures come out of the scaler as 24-bit BGR, top row first.
    const AVCodecParameters* p = video.stream->codecpar;
    MediaType type{MajorType::Video, MediaSubtype::Rgb24, FormatType::VideoInfo, p->width,
                   -p->height};
    uint32_t result = renderer.CheckMediaType(&type);
    if (!Failed(result)) result = renderer.SetMediaType(type);
    if (Failed(result)) video = MediaStream{};
    return result;
}

void FfmpegVideoPlayer::Run() {
    if (decoder) decoder->Run();
}

void FfmpegVideoPlayer::Stop() {
    if (decoder) decoder->Stop();
}

void FfmpegVideoPlayer::Seek(double seconds) {
    if (decoder) decoder->Seek(seconds);
}

double FfmpegVideoPlayer::GetCurrentPosition() {
    return decoder ? decoder->Position() : 0.0;
}

double FfmpegVideoPlayer::GetStopTime() {
    return decoder ? decoder->StopTime() : 0.0;
}

const GpuTexture* FfmpegVideoPlayer::GetTexture() const {
    return textureTaken ? renderer.GetTexture() : nullptr;
}

bool FfmpegVideoPlayer::UploadNewestFrame() {
    return textureTaken && renderer.GetTexture() && renderer.UploadNewestFrame();
}
