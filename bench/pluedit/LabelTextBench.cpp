// Label text at full size: every description of the 65,535-PLU benchmark database read into the
// label text model and written back, beside a plain copy of the same bytes. Items are descriptions;
// "allocs/desc" counts heap allocations per description, which stay a few per run and line, never
// one per character.
#include "AllocationCount.h"
#include "BenchDescription.h"
#include "db/text/ScaleFontSets.h"
#include "pluedit/LabelTextEditForm.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cstring>
#include <string>
#include <vector>

namespace {

using namespace varnel;

constexpr std::uint32_t kPlus = 65535;
constexpr std::size_t kDescriptionBuffer = 2050;

const std::vector<std::string>& Descriptions()
{
    static const std::vector<std::string> descriptions = [] {
        std::vector<std::string> texts;
        texts.reserve(kPlus);
        for (std::uint32_t number = 1; number <= kPlus; ++number) texts.push_back(bench::BenchDescription(number));
        return texts;
    }();
    return descriptions;
}

std::int64_t TotalBytes()
{
    std::int64_t bytes = 0;
    for (const std::string& text : Descriptions()) bytes += static_cast<std::int64_t>(text.size());
    return bytes;
}

void ReportPerDescription(benchmark::State& state, std::uint64_t allocations)
{
    const auto descriptions = static_cast<std::int64_t>(state.iterations()) * kPlus;
    state.SetItemsProcessed(descriptions);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * TotalBytes());
    state.counters["allocs/desc"] = static_cast<double>(allocations) / static_cast<double>(descriptions);
}

void ReadAndWriteBack(benchmark::State& state)
{
    CGeneralSetup setup;
    CScaleFontList fonts(MakeScaleFontSet(setup, 0, 0));
    LabelTextEditForm form(LabelTextSettings::Of(setup, true, fonts, CDefLineFont()));
    std::array<char, kDescriptionBuffer> buffer{};
    const std::uint64_t before = bench::AllocationCount();
    for (auto _ : state) {
        for (const std::string& text : Descriptions()) {
            form.SetText(text);
            bool truncated = false;
            benchmark::DoNotOptimize(form.GetTextChecked(buffer, truncated));
        }
    }
    ReportPerDescription(state, bench::AllocationCount() - before);
}
BENCHMARK(ReadAndWriteBack)->Unit(benchmark::kMillisecond);

void CopyTheSameBytes(benchmark::State& state)
{
    std::array<char, kDescriptionBuffer> buffer{};
    const std::uint64_t before = bench::AllocationCount();
    for (auto _ : state) {
        for (const std::string& text : Descriptions()) {
            std::memcpy(buffer.data(), text.data(), text.size());
            buffer[text.size()] = '\0';
            benchmark::DoNotOptimize(buffer.data());
        }
    }
    ReportPerDescription(state, bench::AllocationCount() - before);
}
BENCHMARK(CopyTheSameBytes)->Unit(benchmark::kMillisecond);

}  // namespace
