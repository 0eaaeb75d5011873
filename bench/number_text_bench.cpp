// The shortest text of a double: std::to_chars beside WriteShortestText, on
// the 25 numbers of one ok row of the batch and on doubles of every magnitude
// a survey writes; and the reading of the nine numbers of a batch row,
// ReadNumberTelling beside the bare std::from_chars it checks the grammar for.
#include <benchmark/benchmark.h>

#include <bit>
#include <charconv>
#include <cstdint>
#include <string_view>
#include <vector>

#include "text/number_reading.h"
#include "text/number_text.h"

namespace {

// One ok row of the worked figure: w .. m, then Qxy .. routeSpread.
const std::vector<double> kRowNumbers = {
    -2.759147882461548,  4.003410772835984e-06, 3.3235526084899902, 509.9029949471595,   412.30682088763854,
    474.34262608772224,  2600.0039265632645,    3100.0002789279342, 2600.0039265722435,  3100.0002789638515,
    2600.0039264901893,  3100.00027893195,      0.9819534325321561, 0.5520563133292977,  3.293426752090454,
    2.4694159030914307,  4.116391181945801,     100162.203125,      0.17537397158569737, 3.396565997979946,
    2.3255137179297787,  19.605298082980198,    1.5962143606884638e-05, 8.803741449225813e-05, 2.0,
};

std::vector<double> SurveyMagnitudes()
{
    std::vector<double> values;
    std::uint64_t state = 1;
    for (int i = 0; i < 4096; ++i) {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        const std::uint64_t exponent = 1023 - 20 + (state >> 40) % 40;
        values.push_back(std::bit_cast<double>((state & 0x000FFFFFFFFFFFFFULL) | exponent << 52));
    }
    return values;
}

template <typename Write>
void WriteAll(benchmark::State& state, const std::vector<double>& values, Write write)
{
    char buf[64];
    for (auto _ : state)
        for (double v : values) {
            benchmark::DoNotOptimize(write(buf, v));
            benchmark::ClobberMemory();
        }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(values.size()));
}

char* StandardText(char* out, double v) { return std::to_chars(out, out + 64, v).ptr; }

void BM_ToCharsRow(benchmark::State& state) { WriteAll(state, kRowNumbers, StandardText); }
void BM_ShortestTextRow(benchmark::State& state) { WriteAll(state, kRowNumbers, corvanet::WriteShortestText); }
void BM_ToCharsSurvey(benchmark::State& state) { WriteAll(state, SurveyMagnitudes(), StandardText); }
void BM_ShortestTextSurvey(benchmark::State& state)
{
    WriteAll(state, SurveyMagnitudes(), corvanet::WriteShortestText);
}
// The nine numbers of a row as bench/batch_throughput.sh writes them.
constexpr std::string_view kRowFields[] = {"2500",    "2600",    "3000",    "3000",   "2450",
                                           "3550",    "509.900", "412.306", "474.347"};

void BM_ReadNumberRow(benchmark::State& state)
{
    for (auto _ : state)
        for (std::string_view field : kRowFields) {
            benchmark::DoNotOptimize(field.data());
            benchmark::DoNotOptimize(corvanet::ReadNumberTelling(field));
        }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(std::size(kRowFields)));
}

void BM_FromCharsRow(benchmark::State& state)
{
    for (auto _ : state)
        for (std::string_view field : kRowFields) {
            benchmark::DoNotOptimize(field.data());
            double value = 0.0;
            benchmark::DoNotOptimize(std::from_chars(field.data(), field.data() + field.size(), value).ptr);
            benchmark::DoNotOptimize(value);
        }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(std::size(kRowFields)));
}

BENCHMARK(BM_ReadNumberRow);
BENCHMARK(BM_FromCharsRow);
BENCHMARK(BM_ToCharsRow);
BENCHMARK(BM_ShortestTextRow);
BENCHMARK(BM_ToCharsSurvey);
BENCHMARK(BM_ShortestTextSurvey);

}  // namespace

BENCHMARK_MAIN();
