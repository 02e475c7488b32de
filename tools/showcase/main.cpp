// Poses the asset pack the way the game draws it, on the real renderer
// offscreen, and writes the pictures for people to look at:
//   showcase [folder]   (default: screenshots/ beside the program)
// Each picture's mean brightness and share of blown-out white is printed, so a
// change that spoils the look shows in numbers too.
#include <SDL.h>
#include <SDL_image.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}

#include "game/RenderSetup.h"
#include "graphics/BitmapFont.h"
#include "graphics/Glyphs.h"
#include "graphics/GraphicsDevice.h"
#include "graphics/Mesh.h"
#include "graphics/Quad.h"
#include "graphics/Transform.h"
#include "graphics/platform/GlBackend.h"
#include "graphics/platform/SdlImageDecoder.h"

namespace {

namespace fs = std::filesystem;

const char* kModels[] = {"obj1",    "beam",    "crash_1", "crash_2", "obj2",  "big1",  "obj3",
                         "obj4",    "item1",   "item2",   "effect1", "bg1",   "ship",  "shot",
                         "obj5",    "obj6",    "bomb1",   "bomb2",   "bomb3", "bomb4", "bomb5",
                         "bullet1", "bullet2", "needle1", "needle2"};

// One frame from the middle of the default video, as ARGB rows.
Image VideoFrame(const std::string& path, int wanted) {
    Image image;
    AVFormatContext* format = nullptr;
    if (avformat_open_input(&format, path.c_str(), nullptr, nullptr) != 0) return image;
    avformat_find_stream_info(format, nullptr);
    int stream = av_find_best_stream(format, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    const AVCodecParameters* p = format->streams[stream]->codecpar;
    AVCodecContext* codec = avcodec_alloc_context3(avcodec_find_decoder(p->codec_id));
    avcodec_parameters_to_context(codec, p);
    avcodec_open2(codec, codec->codec, nullptr);
    AVPacket* packet = av_packet_alloc();
    AVFrame* frame = av_frame_alloc();
    int seen = 0;
    while (image.Empty() && av_read_frame(format, packet) >= 0) {
        if (packet->stream_index == stream && avcodec_send_packet(codec, packet) == 0) {
            while (image.Empty() && avcodec_receive_frame(codec, frame) == 0) {
                if (seen++ < wanted) continue;
                image.width = frame->width;
                image.height = frame->height;
                image.pixels.resize(static_cast<size_t>(frame->width) * frame->height);
                SwsContext* sws = sws_getContext(frame->width, frame->height,
                                                 static_cast<AVPixelFormat>(frame->format),
                                                 frame->width, frame->height, AV_PIX_FMT_BGRA,
                                                 SWS_BILINEAR, nullptr, nullptr, nullptr);
                uint8_t* out[1] = {reinterpret_cast<uint8_t*>(image.pixels.data())};
                int pitch[1] = {frame->width * 4};
                sws_scale(sws, frame->data, frame->linesize, 0, frame->height, out, pitch);
                sws_freeContext(sws);
            }
        }
        av_packet_unref(packet);
    }
    av_frame_free(&frame);
    av_packet_free(&packet);
    avcodec_free_context(&codec);
    avformat_close_input(&format);
    return image;
}

class Showcase {
public:
    Showcase(const fs::path& media, const fs::path& out) : media(media), out(out) {}

    bool Open() {
        std::string error;
        auto surface = CreateOffscreenSurface(error);
        if (!surface) {
            std::fprintf(stderr, "showcase: no offscreen OpenGL: %s\n", error.c_str());
            return false;
        }
        device = std::make_unique<GraphicsDevice>(std::make_unique<GlBackend>(std::move(surface)),
                                                  std::make_unique<SdlImageDecoder>(), 640, 480);
        if (!device->ResetOrCreate()) return false;
        ApplyGameRenderState(*device);
        for (const char* name : kModels) {
            models[name] =
                std::make_unique<Mesh>(*device, (media / "Model" / name).string() + ".x");
        }
        font = std::make_unique<BitmapFont>(*device, (media / "Font/fonts.png").string(),
                                            std::string(kGlyphOrder), 0.03125f, 0.14285715f, 8, 8, 2, 2);
        fs::create_directories(out);
        return true;
    }

    void Field();
    void Effects();
    void Bomb();
    void Title();

private:
    RenderBackend* Device() { return device->GetDevice(); }
    Mesh& M(const std::string& name) { return *models.at(name); }
    void BeginFrame(uint32_t clear) {
        Device()->SetViewport(Viewport{0, 0, 640, 480, 0.0f, 1.0f});
        device->Clear(clear);
        device->BeginScene();
    }
    // A model on the field at (x, y) as the game places it.
    void Put(const std::string& name, float x, float y, float depth, float scale, glm::vec3 turn,
             RotationOrder order, float alpha = 1, bool additive = false) {
        M(name).Draw({x, depth, -y}, glm::vec3(scale), turn, order, alpha, additive);
    }
    void Background(const GpuTexture* video, int counter, float roll) {
        if (video) M("bg1").ReplaceTextures(video);
        for (int i = 0; i < 4; ++i) {
            float z0 = -static_cast<float>(counter % 120);
            M("bg1").Draw({0, -800, z0 + 60.0f * i}, glm::vec3(40), {0.125f, 0, roll},
                          RotationOrder::ZX, 1, true);
        }
    }
    void Ring(const std::string& model, float x, float y, int n, float radius, float turn) {
        for (int i = 0; i < n; ++i) {
            float a = turn + static_cast<float>(i) / n;
            float bx = x + radius * std::cos(a * kTwoPi), by = y + radius * std::sin(a * kTwoPi);
            Put(model, bx, by, -100, 1, {0, a + 0.25f, 0}, RotationOrder::ZYX);
        }
    }
    // Writes the picture and says how it is exposed.
    void Save(const std::string& name) {
        std::vector<uint32_t> pixels = Device()->ReadBackBuffer();
        double sum = 0, white = 0;
        for (uint32_t& p : pixels) {
            int r = p >> 16 & 0xFF, g = p >> 8 & 0xFF, b = p & 0xFF;
            sum += (r + g + b) / 3.0;
            white += r > 250 && g > 250 && b > 250;
            p |= 0xFF000000u;  // the window shows no alpha
        }
        SDL_Surface* s = SDL_CreateRGBSurfaceWithFormatFrom(pixels.data(), 640, 480, 32, 640 * 4,
                                                            SDL_PIXELFORMAT_ARGB8888);
        fs::path file = out / (name + ".png");
        IMG_SavePNG(s, file.string().c_str());
        SDL_FreeSurface(s);
        std::printf("%-32s mean brightness %5.1f, blown out %4.1f%%\n", file.string().c_str(),
                    sum / pixels.size(), 100 * white / pixels.size());
    }

    fs::path media, out;
    std::unique_ptr<GraphicsDevice> device;
    std::map<std::string, std::unique_ptr<Mesh>> models;
    std::unique_ptr<BitmapFont> font;
};

void Showcase::Field() {
    Image frame = VideoFrame((media / "video2.wmv").string(), 300);
    if (frame.Empty()) std::fprintf(stderr, "showcase: the video gives no frame\n");
    auto video = Device()->CreateTexture(frame.width, frame.height, frame.pixels.data());
    BeginFrame(0x00000000);
    Background(video.get(), 40, 0.02f);
    const glm::vec3 tilt{0.125f, 0, 0};
    Put("crash_1", -30, -20, -600, 0.2f * 8 + 0.2f, {0, 0, 0}, RotationOrder::ZYX, 1 - 0.04f * 8);
    Put("crash_1", 25, 10, -600, 0.6f * 12 + 0.6f, {0, 0, 0}, RotationOrder::ZYX, 1 - 0.04f * 12);
    Put("shot", -4, 20, -500, 1, {0, 0.75f + 0.25f, 0}, RotationOrder::ZYX);
    Put("shot", 4, 14, -500, 1, {0, 0.75f + 0.25f, 0}, RotationOrder::ZYX);
    Put("shot", 0, 8, -500, 1, {0, 0.75f + 0.25f, 0}, RotationOrder::ZYX);
    Put("ship", 0, 34, -400, 1, {0.125f, 0, -0.06f}, RotationOrder::ZYX);
    Put("ship", -3, 39, -400, 0.6f, {0.125f, 0, -0.06f}, RotationOrder::ZYX);
    Put("ship", 3, 39, -400, 0.6f, {0.125f, 0, -0.06f}, RotationOrder::ZYX);
    Put("item2", -12, 22, -300, 3, {0.125f, 0.3f, 0}, RotationOrder::ZYX);
    Put("item2", -8, 26, -300, 3, {0.125f, 0.6f, 0}, RotationOrder::ZYX);
    Put("ship", 16, 24, -300, 0.6f, {0.125f, 0.2f, 0}, RotationOrder::ZYX);
    Put("bomb5", 22, 30, -300, 2, {0.125f, 0.4f, 0}, RotationOrder::ZYX);
    const char* small[] = {"obj1", "obj5", "obj2"};
    for (int k = 0; k < 3; ++k)
        Put(small[k], -40 + 10.0f * k, -40, -200, 1, tilt + glm::vec3(0, 0.1f * k, 0),
            RotationOrder::ZYX);
    for (int k = 0; k < 3; ++k)
        Put(small[k], -34 + 22.0f * k, -22, -200, 3, tilt, RotationOrder::ZYX);
    Put("obj6", 28, -40, -200, 3, tilt, RotationOrder::ZYX);
    for (int s = 1; s <= 5; ++s)
        Put("obj6", 28 + 2.5f * s, -40 + 3.5f * s, -200, 1, tilt, RotationOrder::ZYX);
    Put("obj4", 40, 0, -200, 3, tilt, RotationOrder::ZYX);
    for (int s = 0; s < 3; ++s) {
        float a = s * kTwoPi / 3;
        Put("obj4", 40 + 14 * std::cos(a), 14 * std::sin(a), -200, 1, tilt, RotationOrder::ZYX);
    }
    Put("obj3", -40, 5, -200, 3, tilt, RotationOrder::ZYX);
    for (int s = 0; s < 8; ++s) {
        float a = s * kTwoPi / 8;
        Put("obj3", -40 + 24 * std::cos(a), 5 + 24 * std::sin(a), -200, 1, tilt,
            RotationOrder::ZYX);
    }
    Put("big1", 0, -20, -200, 4, {0.125f, 0.05f, 0}, RotationOrder::ZYX);
    Ring("needle1", 0, -20, 8, 16, 0.02f);
    Ring("needle2", 0, -20, 8, 24, 0.08f);
    Ring("bullet1", -20, -5, 12, 9, 0);
    Ring("bullet2", 20, -5, 12, 9, 0.04f);
    Put("bullet2", 10, 20, -100, 2, {0, 0.3f, 0}, RotationOrder::ZYX);  // a bullet about to split
    Save("field");
}

void Showcase::Effects() {
    BeginFrame(0x00000000);
    for (int age = 0; age <= 25; age += 5) {
        float x = -42 + 16.0f * age / 5;
        Put("crash_1", x, -36, -600, age * 0.2f + 0.2f, {0, 0, 0}, RotationOrder::ZYX,
            1 - 0.04f * age);
        Put("crash_1", x, -12, -600, age * 0.6f + 0.6f, {0, 0, 0}, RotationOrder::ZYX,
            1 - 0.04f * age);
    }
    for (int age = 0; age < 40; age += 8) {
        Put("crash_2", -40 + 6.0f * age / 8, 12, -600, 0.6f - 0.015f * age, {0, 0, 0},
            RotationOrder::None, 1 - 0.025f * age);
        Put("effect1", -40 + 6.0f * age / 8, 22, -600, age / 40.0f, {0, age / 40.0f, 0},
            RotationOrder::Y);
    }
    for (int t = 0; t < 50; t += 12) {  // the death burst
        float s = 0.2f * t + 0.2f;
        Put("crash_2", 10 + 0.0f * t, 30, -600, 1, {0, 0, 0}, RotationOrder::ZYX, 1 - 0.02f * t);
        M("crash_2").Draw({10 + 0.5f * t * std::cos(0.12f * 3.14159f), -600,
                           -30 + 0.5f * t * std::sin(0.12f * 3.14159f)},
                          {s, 1, s}, {0, 0, 0}, RotationOrder::ZYX, 1 - 0.02f * t, false);
    }
    Put("crash_2", 30, 30, -500, 3.5f, {0, 0.2f, 0}, RotationOrder::Y, 0.7f);  // the respawn shield
    Put("ship", 30, 30, -400, 1, {0.125f, 0, 0}, RotationOrder::ZYX, 0.7f);
    Save("effects");
}

void Showcase::Bomb() {
    BeginFrame(0xFF000000);
    for (float s : {0.1f, 0.4f, 0.7f}) {
        M("bomb1").Draw({0, -700, 0}, glm::vec3(20 * s + 1), {0.2f, s, 0}, RotationOrder::YX, 1 - s,
                        false);
    }
    Save("bomb");
}

void Showcase::Title() {
    Texture title(*device, (media / "Texture/title.png").string());
    Texture life(*device, (media / "Texture/ship.png").string());
    BeginFrame(0x00000000);
    title.Draw(0, 0, 640, 480, 0, 0, 1, 1, 0xFFFFFFFF);
    const char* items[] = {"START", "VIDEO CHANGE", "VIDEO SOUND OFF", "EXIT"};
    for (int i = 0; i < 4; ++i)
        font->DrawText(items[i], 256, 240.0f + 32 * i, i ? 0xFF404040 : 0xFFFFFFFF);
    FillRect(Device(), 2, 10, 240, 4, 0x80404040);
    FillRect(Device(), 0, 8, 240, 4, 0xFFFF0000);
    font->DrawTextShadowed("1P", 0, 0, 0xFFFFFFFF, 0x80000000);
    font->DrawText("000000012340", 50, 0, 0xFFFFFFFF);
    font->DrawTextShadowed("HIGH SCORE", 200, 0, 0x00000000, 0xFFFFFFFF);
    font->DrawText("000000098760", 328, 0, 0xFFFFFFFF);
    for (int i = 0; i < 2; ++i) {
        life.Draw(500.0f + 32 * i, 0, static_cast<float>(life.ImageWidth()),
                  static_cast<float>(life.ImageHeight()), 0, 0, 1, 1, 0xFFFFFFFF);
    }
    font->DrawTextShadowed("GET READY", 288, 200, 0xFFFFFFFF, 0x80000000);
    Save("title");
}

}  // namespace

int main(int argc, char** argv) {
    fs::path exe = fs::read_symlink("/proc/self/exe").parent_path();
    fs::path media = exe / "Media";
    Showcase showcase(media, argc > 1 ? fs::path(argv[1]) : exe / "screenshots");
    if (!showcase.Open()) return 1;
    showcase.Field();
    showcase.Effects();
    showcase.Bomb();
    showcase.Title();
    return 0;
}
