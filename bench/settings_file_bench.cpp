// Timings of the settings file: parse and apply, a whole load, building the text and a whole
// save. The GUI's pacing pauses are not part of them (the host skips them).
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdlib>
#include <string>

#include "core/workspace.h"
#include "files/settings_file.h"
#include "report/report_text.h"

namespace {

using namespace tq530;

Workspace StartUpWorkspace() {
    Workspace ws;
    ws.SetModelType(1);
    ws.AtisEnabled = true;
    NewData(ws);
    for (ChannelRec& ch : ws.Model.Usa) {
        ch.ChTag = "CHANNEL " + std::to_string(ch.Position);
    }
    for (ChannelRec& ch : ws.Model.Exp) {
        ch.Enable = kOn;
        ch.Rxfreq = 156.0125 + ch.Position * 0.025;
        ch.Txfreq = 160.6125 + ch.Position * 0.025;
    }
    return ws;
}

std::string ScratchFile(const char* name) {
    const char* tmp = std::getenv("TMPDIR");
    return std::string(tmp != nullptr ? tmp : "/tmp") + "/" + name + "." + std::to_string(getpid());
}

void BM_ParseAndApplySettings(benchmark::State& state) {
    Workspace ws = StartUpWorkspace();
    const std::string text = BuildSettingsText(ws);
    SilentHost host;
    for (auto _ : state) {
        const ParsedSettings parsed = ParseSettingsText(text);
        ApplySettings(ws, host, parsed);
        benchmark::DoNotOptimize(ws.Model.Usa[0].ChTag.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ParseAndApplySettings)->Unit(benchmark::kMicrosecond);

// The whole load: new-data sequence, model-type check, file read, parse, apply.
void BM_ReadSettingsFile(benchmark::State& state) {
    Workspace ws = StartUpWorkspace();
    SilentHost host;
    const std::string path = ScratchFile("tq530-bench.dat");
    WriteSettingsFile(ws, host, path);
    for (auto _ : state) {
        if (ReadSettingsFile(ws, host, path) != Outcome::Ok) {
            state.SkipWithError("load failed");
            break;
        }
    }
    std::remove(path.c_str());
}
BENCHMARK(BM_ReadSettingsFile)->Unit(benchmark::kMicrosecond);

void BM_BuildSettingsText(benchmark::State& state) {
    const Workspace ws = StartUpWorkspace();
    for (auto _ : state) {
        benchmark::DoNotOptimize(BuildSettingsText(ws));
    }
}
BENCHMARK(BM_BuildSettingsText)->Unit(benchmark::kMicrosecond);

// The whole save: text, temporary file, flush to the disk, rename over the old file.
void BM_WriteSettingsFile(benchmark::State& state) {
    Workspace ws = StartUpWorkspace();
    SilentHost host;
    const std::string path = ScratchFile("tq530-bench-out.dat");
    for (auto _ : state) {
        if (WriteSettingsFile(ws, host, path) != Outcome::Ok) {
            state.SkipWithError("save failed");
            break;
        }
    }
    std::remove(path.c_str());
}
BENCHMARK(BM_WriteSettingsFile)->Unit(benchmark::kMicrosecond);

void BM_BuildReportText(benchmark::State& state) {
    const Workspace ws = StartUpWorkspace();
    for (auto _ : state) {
        benchmark::DoNotOptimize(BuildReportText(ws));
    }
}
BENCHMARK(BM_BuildReportText)->Unit(benchmark::kMicrosecond);

}  // namespace
