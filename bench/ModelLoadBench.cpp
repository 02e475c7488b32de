// Loading the pack's 25 models: the structure check alone, the importer alone,
// and whole Mesh loads, so the check's share of start-up stays visible.
#include <assimp/cimport.h>
#include <assimp/postprocess.h>
#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>

#include "app/HeadlessPlatform.h"
#include "graphics/Mesh.h"
#include "graphics/XFileCheck.h"
#include "media/MediaFiles.h"

namespace {

std::vector<std::string> ModelFiles() {
    std::vector<std::string> files;
    for (const std::string& name : media_files::kModels) {
        std::ifstream in(media_files::Model(name), std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        files.push_back(s.str());
    }
    return files;
}

void BM_ModelCheck(benchmark::State& state) {
    const std::vector<std::string> files = ModelFiles();
    for (auto _ : state) {
        for (std::string file : files) {
            std::string why;
            benchmark::DoNotOptimize(PrepareXFile(file, why));
        }
    }
}
BENCHMARK(BM_ModelCheck)->Unit(benchmark::kMillisecond);

void BM_ModelImport(benchmark::State& state) {
    const std::vector<std::string> files = ModelFiles();
    for (auto _ : state) {
        for (const std::string& file : files) {
            aiReleaseImport(aiImportFileFromMemory(file.data(), static_cast<unsigned>(file.size()),
                                                   aiProcess_ConvertToLeftHanded |
                                                       aiProcess_Triangulate |
                                                       aiProcess_ValidateDataStructure,
                                                   "x"));
        }
    }
}
BENCHMARK(BM_ModelImport)->Unit(benchmark::kMillisecond);

void BM_ModelLoad(benchmark::State& state) {
    GraphicsDevice device(std::make_unique<NullBackend>(), std::make_unique<NullImageDecoder>(),
                          640, 480);
    device.ResetOrCreate();
    for (auto _ : state) {
        for (const std::string& name : media_files::kModels)
            benchmark::DoNotOptimize(Mesh(device, media_files::Model(name)).MaterialCount());
    }
}
BENCHMARK(BM_ModelLoad)->Unit(benchmark::kMillisecond);

}  // namespace
