// The cost of one number's text: formatReal on the kinds of values meshes hold, and formatInt.
// One number per iteration, so the time column reads as nanoseconds per number.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "codegen/number_text.h"

namespace meshwright {
namespace {

constexpr size_t kValueCount = 4096;  // a power of two: the index wraps with a mask

// Coordinates with four decimals, as exporters write them: most floats need all 17 digits.
std::vector<double> coordinates() {
    std::vector<double> values;
    for (size_t i = 0; i < kValueCount; ++i) {
        values.push_back(double(float(double(long(i * 7919 % 200000) - 100000) / 1000.0)));
    }
    return values;
}

// Unit normal components: mostly below 1, some below 0.1 (the exponent form).
std::vector<double> normalComponents() {
    std::vector<double> values;
    for (size_t i = 0; i < kValueCount; ++i) {
        values.push_back(double(float(std::sin(double(i) * 0.0137))));
    }
    return values;
}

// Short texts: whole numbers and halves, such as texture coordinates on a grid.
std::vector<double> shortValues() {
    std::vector<double> values;
    for (size_t i = 0; i < kValueCount; ++i) {
        values.push_back(double(float(double(i % 64) * 0.5)));
    }
    return values;
}

void formatEach(benchmark::State& state, const std::vector<double>& values) {
    char text[kNumberTextCapacity];
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(formatReal(values[i++ & (kValueCount - 1)], text));
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_FormatRealCoordinates(benchmark::State& state) {
    formatEach(state, coordinates());
}
void BM_FormatRealNormals(benchmark::State& state) {
    formatEach(state, normalComponents());
}
void BM_FormatRealShortTexts(benchmark::State& state) {
    formatEach(state, shortValues());
}

void BM_FormatInt(benchmark::State& state) {
    char text[kNumberTextCapacity];
    int32_t n = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(formatInt(n, text));
        benchmark::ClobberMemory();
        n = (n + 7919) & 0xfffff;
    }
    state.SetItemsProcessed(state.iterations());
}

BENCHMARK(BM_FormatRealCoordinates);
BENCHMARK(BM_FormatRealNormals);
BENCHMARK(BM_FormatRealShortTexts);
BENCHMARK(BM_FormatInt);

}  // namespace
}  // namespace meshwright
