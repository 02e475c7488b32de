// One busy frame on the OpenGL back end, offscreen on the software rasteriser:
// 2,000 model draws of a few hundred triangles in mixed blend modes, and 4,000 glyphs.
#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "game/RenderSetup.h"
#include "graphics/BitmapFont.h"
#include "graphics/Mesh.h"
#include "graphics/platform/GlBackend.h"
#include "graphics/platform/SdlImageDecoder.h"

namespace {

// A lit ring of rings: rings x sides quads; with two materials they alternate in bands.
std::string TorusModel(int rings, int sides, int materials = 2) {
    std::ostringstream v, n, f, m;
    v.imbue(std::locale::classic());
    n.imbue(std::locale::classic());
    v.setf(std::ios::fixed);
    n.setf(std::ios::fixed);
    for (int i = 0; i < rings; ++i) {
        for (int j = 0; j < sides; ++j) {
            float a = 6.2831853f * i / rings, b = 6.2831853f * j / sides;
            float x = (2 + 0.6f * std::cos(b)) * std::cos(a),
                  z = (2 + 0.6f * std::cos(b)) * std::sin(a);
            float y = 0.6f * std::sin(b);
            v << " " << x << "; " << y << "; " << z
              << (i == rings - 1 && j == sides - 1 ? ";;\n" : ";,\n");
            n << " " << std::cos(b) * std::cos(a) << "; " << std::sin(b) << "; "
              << std::cos(b) * std::sin(a) << (i == rings - 1 && j == sides - 1 ? ";;\n" : ";,\n");
        }
    }
    int faces = rings * sides * 2;
    for (int i = 0; i < rings; ++i) {
        for (int j = 0; j < sides; ++j) {
            int a = i * sides + j, b = ((i + 1) % rings) * sides + j;
            int c = ((i + 1) % rings) * sides + (j + 1) % sides, d = i * sides + (j + 1) % sides;
            bool last = i == rings - 1 && j == sides - 1;
            f << " 3; " << a << ", " << b << ", " << c << ";,\n 3; " << a << ", " << c << ", " << d
              << (last ? ";;\n" : ";,\n");
            int material = i % materials;
            m << " " << material << ",\n " << material << (last ? ";\n" : ",\n");
        }
    }
    std::string count = std::to_string(rings * sides);
    std::string second =
        materials > 1 ? " Material { 0.2; 0.6; 0.9; 1.0;; 5.0; 0.0; 0.0; 0.0;; 0.0; 0.0; 0.1;; }\n"
                      : "";
    return "xof 0303txt 0032\nMesh {\n " + count + ";\n" + v.str() + " " + std::to_string(faces) +
           ";\n" + f.str() + " MeshNormals {\n " + count + ";\n" + n.str() + " " +
           std::to_string(faces) + ";\n" + f.str() + " }\n MeshMaterialList {\n " +
           std::to_string(materials) + ";\n " + std::to_string(faces) + ";\n" + m.str() +
           " Material { 0.9; 0.5; 0.2; 1.0;; 5.0; 0.0; 0.0; 0.0;; 0.1; 0.0; 0.0;; }\n" + second +
           " }\n}\n";
}

struct Scene {
    Scene() {
        folder = std::filesystem::temp_directory_path() / "velmora_render_bench";
        std::filesystem::create_directories(folder);
        std::ofstream(folder / "torus.x") << TorusModel(12, 16);     // 384 triangles
        std::ofstream(folder / "bullet.x") << TorusModel(2, 6, 1);   // 24 triangles, one material
        std::ofstream(folder / "enemy.x") << TorusModel(8, 12);      // 192 triangles
        std::ofstream(folder / "plain.x") << TorusModel(12, 16, 1);  // the torus, one material
        std::string error;
        auto surface = CreateOffscreenSurface(error);
        if (!surface) return;
        KeepFreedHeapBetweenFrames();  // as the game sets it
        auto backend = std::make_unique<GlBackend>(std::move(surface));
        gl = backend.get();
        device = std::make_unique<GraphicsDevice>(std::move(backend),
                                                  std::make_unique<SdlImageDecoder>(), 640, 480);
        device->ResetOrCreate();
        ApplyGameRenderState(*device);
        mesh = std::make_unique<Mesh>(*device, (folder / "torus.x").string());
        bullets[0] = std::make_unique<Mesh>(*device, (folder / "bullet.x").string());
        bullets[1] = std::make_unique<Mesh>(*device, (folder / "bullet.x").string());
        enemy = std::make_unique<Mesh>(*device, (folder / "enemy.x").string());
        plain = std::make_unique<Mesh>(*device, (folder / "plain.x").string());
        // The game's own font sheet, from the asset pack beside the benchmark.
        auto sheet =
            std::filesystem::read_symlink("/proc/self/exe").parent_path() / "Media/Font/fonts.png";
        font = std::make_unique<BitmapFont>(*device, sheet.string(),
                                            "0123456789@?{}ABCDEFGHIJKLMNOPQRSTUVWXYZ=.", 0.03125f,
                                            0.14285715f, 8, 8, 2, 2);
    }
    ~Scene() {
        mesh.reset();
        plain.reset();
        enemy.reset();
        bullets[0].reset();
        bullets[1].reset();
        font.reset();
        device.reset();
        std::filesystem::remove_all(folder);
    }

    void Begin() {
        device->GetDevice()->SetViewport(Viewport{0, 0, 640, 480, 0, 1});
        device->Clear(0x00000000);
        device->BeginScene();
    }

    void Glyphs() {
        for (int line = 0; line < 50; ++line) {
            for (int k = 0; k < 10; ++k) {  // 50 lines x 10 strings x 8 glyphs
                font->DrawText("SCORE100", static_cast<float>(k * 64), static_cast<float>(line * 9),
                               0xFFFFFFFF);
            }
        }
    }

    void End() {
        device->EndScene();
        device->Present();
        gl->Finish();
    }

    static glm::vec3 Spot(int i, float depth) {
        return {-48.0f + static_cast<float>((i * 37) % 97), depth,
                -48.0f + static_cast<float>((i * 53) % 97)};
    }

    // What the play field draws at its busiest: pools in order, rings of bullets
    // alternating their two models, enemies with two materials, then the text.
    void GameFrame(int frame) {
        Begin();
        for (int i = 0; i < 500; ++i) {
            enemy->Draw(Spot(i, -200), {1, 1, 1}, {0.125f, frame * 0.01f, 0}, RotationOrder::ZYX, 1,
                        false);
        }
        for (int i = 0; i < 2000; ++i) {
            bullets[(i / 8) % 2]->Draw(Spot(i * 3, -100), {0.4f, 0.4f, 0.4f},
                                       {0, (frame + i) * 0.01f, 0}, RotationOrder::ZYX, 1, false);
        }
        Glyphs();
        End();
    }

    // The rasteriser's floor: the same triangles as the busy frame in one draw call.
    void OneCallFrame(int frame) {
        Begin();
        for (int i = 0; i < 2000; ++i) {
            plain->Draw(Spot(i, -100), {1, 1, 1}, {0.125f, (frame + i) * 0.01f, 0},
                        RotationOrder::ZYX, 1, false);
        }
        End();
    }

    void Frame(int frame) {
        Begin();
        for (int i = 0; i < 2000; ++i) {
            float x = -48.0f + static_cast<float>((i * 37) % 97),
                  z = -48.0f + static_cast<float>((i * 53) % 97);
            mesh->Draw({x, -100.0f - static_cast<float>(i % 7) * 100.0f, z}, {1, 1, 1},
                       {0.125f, static_cast<float>(frame + i) * 0.01f, 0}, RotationOrder::ZYX,
                       i % 5 ? 1.0f : 0.6f, i % 3 == 0);
        }
        Glyphs();
        End();
    }

    std::filesystem::path folder;
    GlBackend* gl = nullptr;
    std::unique_ptr<GraphicsDevice> device;
    std::unique_ptr<Mesh> mesh, plain, enemy, bullets[2];
    std::unique_ptr<BitmapFont> font;
};

// Draws frames of one kind and counts the GL draw calls they took.
void RunFrames(benchmark::State& state, void (Scene::*frame)(int)) {
    Scene scene;
    if (!scene.gl) {
        state.SkipWithError("no offscreen OpenGL");
        return;
    }
    int frames = 0;
    long before = scene.gl->GlDrawCalls();
    for (auto _ : state)
        (scene.*frame)(frames++);
    state.counters["drawCalls/frame"] =
        benchmark::Counter(static_cast<double>(scene.gl->GlDrawCalls() - before) / frames);
}

void BM_BusyFrame(benchmark::State& state) {
    RunFrames(state, &Scene::Frame);
}
void BM_SameTrianglesInOneCall(benchmark::State& state) {
    RunFrames(state, &Scene::OneCallFrame);
}
void BM_GameFrame(benchmark::State& state) {
    RunFrames(state, &Scene::GameFrame);
}

BENCHMARK(BM_BusyFrame)->Unit(benchmark::kMillisecond)->MinTime(3.0)->UseRealTime();
BENCHMARK(BM_SameTrianglesInOneCall)->Unit(benchmark::kMillisecond)->MinTime(3.0)->UseRealTime();
BENCHMARK(BM_GameFrame)->Unit(benchmark::kMillisecond)->MinTime(3.0)->UseRealTime();

}  // namespace
