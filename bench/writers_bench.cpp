// Writing speed in output bytes per second for each kind, the disk left out (see CountingSink).
#include <benchmark/benchmark.h>

#include "bench/bench_models.h"
#include "codegen/writers.h"

namespace meshwright {
namespace {

template <void (*write)(const MeshData&, Output&)>
void BM_Writer(benchmark::State& state) {
    const MeshData& mesh = torusMesh(state.range(0));
    size_t bytes = 0;
    for (auto _ : state) {
        CountingSink sink;
        Output out(sink);
        write(mesh, out);
        out.flush();
        bytes += sink.bytes;
    }
    state.SetBytesProcessed(int64_t(bytes));
}

BENCHMARK(BM_Writer<writeDisplayList>)
    ->Name("BM_WriteDisplayList")
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Writer<writeVertexArray>)
    ->Name("BM_WriteVertexArray")
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Writer<writeIndexedVertexArray>)
    ->Name("BM_WriteIndexedVertexArray")
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace meshwright
