// Output at scale: `pomuran-cli show` of the largest grid written as JSON, CSV and text, to a
// stream that only counts bytes (the whole process is measured by bench/process_figures.sh).
#include <benchmark/benchmark.h>

#include <ostream>
#include <streambuf>

#include "bench_support.h"
#include "cli/show_window.h"

namespace {

class CountingBuffer : public std::streambuf {
public:
    std::size_t bytes = 0;

protected:
    std::streamsize xsputn(const char*, std::streamsize count) override
    {
        bytes += static_cast<std::size_t>(count);
        return count;
    }
    int_type overflow(int_type ch) override
    {
        ++bytes;
        return ch;
    }
};

void BM_ShowGroupDivision10(benchmark::State& state)
{
    const DrawHistory history = generatedHistory(32767);
    ShowRequest request;
    request.window = "分割10データ分析";
    request.format = static_cast<ShowFormat>(state.range(0));
    std::size_t bytes = 0;
    for (auto _ : state) {
        CountingBuffer buffer;
        std::ostream out(&buffer);
        showWindow(out, request, history);
        bytes = buffer.bytes;
    }
    state.counters["MB"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK(BM_ShowGroupDivision10)
    ->Arg(static_cast<int>(ShowFormat::Json))
    ->Arg(static_cast<int>(ShowFormat::Csv))
    ->Arg(static_cast<int>(ShowFormat::Text))
    ->Unit(benchmark::kMillisecond);

}  // namespace
