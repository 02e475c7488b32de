#include "video/platform/VideoDecoder.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <limits>
#include <system_error>

namespace {

// Seconds of sound kept decoded ahead of the mixer.
constexpr double kSoundAhead = 0.3;
// Pictures read ahead while looking for sound; bounds memory on odd files.
constexpr size_t kMaxQueuedPictures = 256;
// A stopped or waiting thread looks round this often.
constexpr double kPollSeconds = 0.05;

}  // namespace

VideoDecoder::VideoDecoder(FormatPtr format, MediaStream video, MediaStream audio,
                           VideoTextureRenderer* renderer, std::unique_ptr<VideoSound> sound)
    : format(std::move(format)),
      video(std::move(video)),
      audio(std::move(audio)),
      renderer(renderer),
      sound(std::move(sound)),
      packet(av_packet_alloc()),
      frame(av_frame_alloc()),
      soundFrame(av_frame_alloc()) {
    const int64_t duration = this->format->duration;
    declaredLength = duration != AV_NOPTS_VALUE && duration > 0
                         ? static_cast<double>(duration) / AV_TIME_BASE
                         : -1.0;
    if (this->video.Open()) {
        bgr.resize(static_cast<size_t>(renderer->VideoPitch()) * renderer->VideoHeight());
        AVRational rate = av_guess_frame_rate(this->format.get(),
                                              const_cast<AVStream*>(this->video.stream), nullptr);
        if (rate.num > 0 && rate.den > 0) frameSeconds = av_q2d(av_inv_q(rate));
    }
    if (this->sound && this->audio.Open()) {
        AVChannelLayout out;
        av_channel_layout_default(&out, this->sound->Channels());
        SwrContext* s = nullptr;
        AVCodecContext* in = this->audio.codec.get();
        if (swr_alloc_set_opts2(&s, &out, this->sound->SampleFormat(), this->sound->Rate(),
                                &in->ch_layout, in->sample_fmt, in->sample_rate, 0, nullptr) >= 0 &&
            swr_init(s) >= 0) {
            resampler.reset(s);
        } else {
            swr_free(&s);
            std::fprintf(stderr,
                         "velmora: the video plays silent: its sound cannot be converted\n");
        }
        av_channel_layout_uninit(&out);
    }
}

VideoDecoder::~VideoDecoder() {
    {
        std::lock_guard guard(lock);
        quit = true;
    }
    wake.notify_all();
    if (thread.joinable()) thread.join();
}

bool VideoDecoder::Start() {
    try {
        thread = std::thread(&VideoDecoder::ThreadMain, this);
    } catch (const std::system_error& e) {
        std::fprintf(stderr, "velmora: no video thread: %s\n", e.what());
        return false;
    }
    return true;
}

double VideoDecoder::Now() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

void VideoDecoder::Run() {
    {
        std::lock_guard guard(lock);
        clock.Run(Now());
        if (sound) sound->SetPlaying(true);
    }
    wake.notify_all();
}

void VideoDecoder::Stop() {
    std::lock_guard guard(lock);
    clock.Stop(Now());
    if (sound) sound->SetPlaying(false);
}

void VideoDecoder::Seek(double seconds) {
    {
        std::lock_guard guard(lock);
        clock.Seek(seconds, Now());
        seekTo = seconds;
        if (sound) sound->Clear();
    }
    wake.notify_all();
}

double VideoDecoder::Position() {
    double end = StopTime();
    std::lock_guard guard(lock);
    return std::clamp(clock.Position(Now()), 0.0, end);
}

double VideoDecoder::StopTime() {
    std::lock_guard guard(lock);
    if (declaredLength >= 0 && dataLength >= 0) return std::min(declaredLength, dataLength);
    if (declaredLength >= 0) return declaredLength;
    // Nothing said how long it is: it ends where the data ends.
    return dataLength >= 0 ? dataLength : std::numeric_limits<double>::infinity();
}

void VideoDecoder::NotePlayed(double seconds) {
    // Some files state a length (or one is estimated for them) that their data
    // runs past; then their end is where the data ends.
    std::lock_guard guard(lock);
    if (declaredLength >= 0 && seconds >= declaredLength) declaredLength = -1.0;
}

void VideoDecoder::NoteEnd(double seconds) {
    std::lock_guard guard(lock);
    dataLength = std::max(seconds, 0.0);
}

void VideoDecoder::ThreadMain() {
    std::unique_lock guard(lock);
    while (!quit) {
        if (seekTo) {
            double target = *seekTo;
            seekTo.reset();
            pictureReady = false;
            guard.unlock();
            SeekFile(target);
            guard.lock();
            continue;
        }
        if (video.Open() && !pictureReady && !picturesEnded) {
            guard.unlock();
            std::optional<double> time = DecodePicture();
            guard.lock();
            if (time && !seekTo) {
                pictureReady = true;
                pictureTime = *time;
            }
            continue;
        }
        if (resampler && !dataEnded && pictures.size() < kMaxQueuedPictures) {
            guard.unlock();
            bool more = TopUpSound();
            guard.lock();
            if (more) continue;
        }
        double wait = kPollSeconds;
        if (pictureReady && clock.Running()) {
            double due = pictureTime - clock.Position(Now());
            if (due <= 0) {
                guard.unlock();
                renderer->DoRenderSample(bgr);
                guard.lock();
                pictureReady = false;
                continue;
            }
            wait = std::min(wait, due);
        }
        wake.wait_for(guard, std::chrono::duration<double>(wait));
    }
}

void VideoDecoder::SeekFile(double seconds) {
    const int64_t start = format->start_time == AV_NOPTS_VALUE ? 0 : format->start_time;
    const int64_t target = start + static_cast<int64_t>(seconds * AV_TIME_BASE);
    if (avformat_seek_file(format.get(), -1, INT64_MIN, target, target, 0) < 0 &&
        av_seek_frame(format.get(), -1, target, AVSEEK_FLAG_BACKWARD) < 0 && !seekFailed) {
        std::fprintf(stderr, "velmora: the video cannot seek; it plays on from where it is\n");
        seekFailed = true;
    }
    for (MediaStream* s : {&video, &audio}) {
        if (s->Open()) avcodec_flush_buffers(s->codec.get());
    }
    if (resampler) swr_init(resampler.get());
    if (sound) sound->Clear();
    pictures.clear();
    dataEnded = picturesEnded = flushed = false;
    discardBefore = seconds;
    lastPicture = seconds - frameSeconds;
    soundEnd = seconds;
}

std::optional<double> VideoDecoder::DecodePicture() {
    AVCodecContext* codec = video.codec.get();
    for (;;) {
        int result = avcodec_receive_frame(codec, frame.get());
        if (result == 0) {
            const int64_t ts = frame->best_effort_timestamp;
            double time = ts == AV_NOPTS_VALUE ? lastPicture + frameSeconds : video.Seconds(ts);
            lastPicture = time;
            NotePlayed(time);
            bool wanted = time + frameSeconds / 2 >= discardBefore && ConvertPicture(frame.get());
            av_frame_unref(frame.get());
            if (wanted) return time;
            continue;
        }
        // Once drained, anything but a picture is the end, even from a confused decoder.
        if (result == AVERROR_EOF || flushed) {
            picturesEnded = true;
            NoteEnd(lastPicture + frameSeconds);
            return std::nullopt;
        }
        if (Interrupted()) return std::nullopt;
        if (!pictures.empty()) {
            avcodec_send_packet(codec, pictures.front().get());  // a bad packet is skipped
            pictures.pop_front();
        } else if (dataEnded) {
            avcodec_send_packet(codec, nullptr);  // drains the frames it still holds
            flushed = true;
        } else if (!ReadPacket()) {
            dataEnded = true;
        }
    }
}

bool VideoDecoder::ReadPacket() {
    if (av_read_frame(format.get(), packet.get()) < 0) {
        if (!video.Open()) NoteEnd(soundEnd);
        return false;
    }
    if (packet->stream_index == video.index && video.Open()) {
        PacketPtr queued(av_packet_alloc());
        av_packet_move_ref(queued.get(), packet.get());
        pictures.push_back(std::move(queued));
    } else if (packet->stream_index == audio.index && resampler) {
        DecodeSound(packet.get());
    }
    av_packet_unref(packet.get());
    return true;
}

bool VideoDecoder::TopUpSound() {
    bool read = false;
    while (!dataEnded && pictures.size() < kMaxQueuedPictures &&
           sound->BufferedSeconds() < kSoundAhead) {
        if (!ReadPacket()) dataEnded = true;
        read = true;
        if (Interrupted()) break;
    }
    return read;
}

bool VideoDecoder::Interrupted() {
    std::lock_guard guard(lock);
    return seekTo || quit;
}

void VideoDecoder::DecodeSound(const AVPacket* p) {
    AVCodecContext* codec = audio.codec.get();
    if (avcodec_send_packet(codec, p) < 0) return;
    const int bytesPerFrame = sound->Channels() * av_get_bytes_per_sample(sound->SampleFormat());
    while (avcodec_receive_frame(codec, soundFrame.get()) == 0) {
        const AVFrame* f = soundFrame.get();
        const int64_t ts = f->best_effort_timestamp;
        double time = ts == AV_NOPTS_VALUE ? soundEnd : audio.Seconds(ts);
        soundEnd = time + static_cast<double>(f->nb_samples) / std::max(f->sample_rate, 1);
        if (!video.Open()) NotePlayed(time);
        if (soundEnd >= discardBefore) {
            int room = swr_get_out_samples(resampler.get(), f->nb_samples);
            if (room > 0) {
                samples.resize(std::max(samples.size(), static_cast<size_t>(room) * bytesPerFrame));
                uint8_t* out[] = {samples.data()};
                int made =
                    swr_convert(resampler.get(), out, room,
                                const_cast<const uint8_t**>(f->extended_data), f->nb_samples);
                if (made > 0) sound->Push(samples.data(), made * bytesPerFrame);
            }
        }
        av_frame_unref(soundFrame.get());
    }
}

bool VideoDecoder::ConvertPicture(const AVFrame* picture) {
    const int width = renderer->VideoWidth(), height = renderer->VideoHeight();
    if (picture->width <= 0 || picture->height <= 0) return false;
    scaler.reset(sws_getCachedContext(scaler.release(), picture->width, picture->height,
                                      static_cast<AVPixelFormat>(picture->format), width, height,
                                      AV_PIX_FMT_BGR24, SWS_BILINEAR, nullptr, nullptr, nullptr));
    if (!scaler) return false;
    uint8_t* rows[4] = {bgr.data(), nullptr, nullptr, nullptr};
    const int pitch[4] = {renderer->VideoPitch(), 0, 0, 0};
    return sws_scale(scaler.get(), picture->data, picture->linesize, 0, picture->height, rows,
                     pitch) > 0;
}
