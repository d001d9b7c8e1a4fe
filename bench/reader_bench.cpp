// Reading speed in input bytes per second: the token reader alone, then readMesh on top of it.
#include <benchmark/benchmark.h>

#include "ase/byte_source.h"
#include "ase/section_readers.h"
#include "ase/token_reader.h"
#include "bench/bench_models.h"

namespace meshwright {
namespace {

void BM_ReadToken(benchmark::State& state) {
    const std::string& text = torusText(state.range(0));
    for (auto _ : state) {
        MemorySource source(text);
        TokenReader reader(source);
        size_t words = 0;
        while (reader.readToken()) {
            ++words;
        }
        benchmark::DoNotOptimize(words);
    }
    state.SetBytesProcessed(state.iterations() * int64_t(text.size()));
}

void BM_ReadMesh(benchmark::State& state) {
    const std::string& text = torusText(state.range(0));
    for (auto _ : state) {
        MemorySource source(text);
        TokenReader reader(source);
        MeshData mesh = readMesh(reader);
        benchmark::DoNotOptimize(mesh.faceCount);
    }
    state.SetBytesProcessed(state.iterations() * int64_t(text.size()));
}

BENCHMARK(BM_ReadToken)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadMesh)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace meshwright
