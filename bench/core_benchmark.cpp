// The configuration core: reading a KDX.cfg and writing it back in place, for
// the 256 lines the reader takes in and for longer files whose tail is carried
// through, against copying the same bytes.
#include "config/config_reader.h"
#include "config/config_writers.h"
#include "config/setting_table.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

// A file as users keep one: each setting under a comment and followed by a blank
// line, a few custom commands, then comment lines up to lineCount lines.
std::string configFile(int lineCount)
{
    std::string file;
    int lines = 0;
    const auto add = [&](const std::string &line) {
        file += line + "\r\n";
        ++lines;
    };
    for (const kdx::SettingDefinition &setting : kdx::SettingDefinitions) {
        add("# " + std::string(setting.key) + ": what it does and which values it takes");
        add(std::string(setting.key) + ' ' + std::string(setting.defaultValue));
        add("");
    }
    for (const char *command : {"mp_roundtime 3.5", "mp_timelimit 20", "sv_gravity 800", "mp_friendlyfire 1"})
        add(command);
    while (lines < lineCount)
        add("# remark " + std::to_string(lines + 1) + " about the server this bot plays on");
    return file;
}

void ReadAndSave(benchmark::State &state)
{
    const std::string file = configFile(static_cast<int>(state.range(0)));
    kdx::KDXCfg cfg;
    for (auto _ : state) {
        benchmark::DoNotOptimize(kdx::readConfiguration(cfg, file));
        benchmark::DoNotOptimize(kdx::annotatedSave(cfg));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.size()));
    state.SetComplexityN(state.range(0));
}

void CopyBytes(benchmark::State &state)
{
    const std::string file = configFile(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        std::string copy = file;
        benchmark::DoNotOptimize(copy.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.size()));
    state.SetComplexityN(state.range(0));
}

constexpr int sizes[] = {256, 1'000, 10'000, 100'000, 1'000'000};

void Sizes(benchmark::internal::Benchmark *benchmark)
{
    for (int lines : sizes)
        benchmark->Arg(lines);
    benchmark->Complexity(benchmark::oN);
}

} // namespace

BENCHMARK(ReadAndSave)->Apply(Sizes);
BENCHMARK(CopyBytes)->Apply(Sizes);

BENCHMARK_MAIN();
