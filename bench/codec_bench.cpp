// Timings of the image codec and of a whole image-file conversion.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <random>
#include <string>

#include "core/workspace.h"
#include "files/image_file.h"
#include "model/image_codec.h"

namespace {

using namespace tq530;

// A start-up data set whose image is then filled with random bytes behind valid model words,
// so that every field decodes to something non-trivial.
Workspace RandomWorkspace() {
    Workspace ws;
    NewData(ws);
    std::mt19937 rng(6120);
    for (int a = 0; a <= ws.Image.ImageEnd; ++a) {
        ws.Image[a] = static_cast<uint8_t>(rng());
    }
    ws.Image[0] = ws.Image[8190] = 0x17;
    ws.Image[1] = ws.Image[8191] = 0xE8;
    return ws;
}

void BM_DecodeImage(benchmark::State& state) {
    Workspace ws = RandomWorkspace();
    for (auto _ : state) {
        DecodeImage(ws.Model, ws.Image, ws.ModelType);
        benchmark::DoNotOptimize(ws.Model);
    }
}
BENCHMARK(BM_DecodeImage)->Unit(benchmark::kMicrosecond);

void BM_EncodeFixupsChecksum(benchmark::State& state) {
    Workspace ws = RandomWorkspace();
    DecodeImage(ws.Model, ws.Image, ws.ModelType);
    for (auto _ : state) {
        PrepareImageForWrite(ws.Model, ws.Image, ws.ModelType);
        benchmark::DoNotOptimize(ws.Image);
    }
}
BENCHMARK(BM_EncodeFixupsChecksum)->Unit(benchmark::kMicrosecond);

void BM_ConvertImageFile(benchmark::State& state) {
    Workspace source = RandomWorkspace();
    SilentHost host;
    const std::string in = "/tmp/tq530_bench_in.hex";
    const std::string out = "/tmp/tq530_bench_out.hex";
    WriteImageFile(source, host, in);
    for (auto _ : state) {
        Workspace ws;
        NewData(ws);
        LoadImageFile(ws, host, in);
        SaveImageFile(ws, host, out);
    }
    std::remove(in.c_str());
    std::remove(out.c_str());
}
BENCHMARK(BM_ConvertImageFile)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
