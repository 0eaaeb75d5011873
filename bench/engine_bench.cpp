// One whole calculation of the worked figure, and the batch mode on 100 000
// figures. Goals: under 1 µs a calculation, 1 000 000 figures a second
// (bench/batch_throughput.sh runs the real program on larger files).
#include <benchmark/benchmark.h>

#include <sstream>
#include <string>

#include "cli/batch.h"
#include "engine/calculation.h"

namespace {

corvanet::SurveyRecord WorkedFigure()
{
    corvanet::SurveyRecord r;
    r.PointName = "P1";
    r.Xa = 2500, r.Ya = 2600, r.Xb = 3000, r.Yb = 3000, r.Xc = 2450, r.Yc = 3550;
    r.S1 = 509.905, r.S2 = 412.308, r.S3 = 474.345;
    r.S1obs = 509.905f, r.S2obs = 412.308f, r.S3obs = 474.345f;
    return r;
}

void BM_WorkedFigure(benchmark::State& state)
{
    const corvanet::SurveyRecord input = WorkedFigure();
    corvanet::NullSink sink;
    for (auto _ : state) {
        corvanet::SurveyRecord r = input;
        const corvanet::Constants k = corvanet::SetUpConstants();
        benchmark::DoNotOptimize(corvanet::Calculate(r, k, sink));
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_WorkedFigure);

// The worked figure with the measured distances varied by up to ±5 mm.
std::string BatchFile(int rows)
{
    std::string csv = std::string(corvanet::kBatchHeader) + "\n";
    for (int i = 0; i < rows; ++i) {
        const double d1 = ((i * 7) % 11 - 5) * 0.001, d2 = ((i * 3) % 11 - 5) * 0.001, d3 = ((i * 5) % 11 - 5) * 0.001;
        csv += "P" + std::to_string(i) + ",2500,2600,3000,3000,2450,3550," + std::to_string(509.905 + d1) + "," +
               std::to_string(412.308 + d2) + "," + std::to_string(474.345 + d3) + "\n";
    }
    return csv;
}

void BM_Batch100k(benchmark::State& state)
{
    const std::string csv = BatchFile(100000);
    for (auto _ : state) {
        std::size_t written = 0;
        std::ostringstream log;
        benchmark::DoNotOptimize(corvanet::RunBatch(
            corvanet::ReadFromString(csv), [&written](std::string_view bytes) { written += bytes.size(); }, log));
        benchmark::DoNotOptimize(written);
    }
    state.SetItemsProcessed(state.iterations() * 100000);
}
BENCHMARK(BM_Batch100k)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
