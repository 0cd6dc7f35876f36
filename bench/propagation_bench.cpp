// Propagation: one width edit in the settings fields through to the main
// height, alternating two widths so that every edit is a change, against what
// the chain cannot do without: keep the width text twice and work out the
// height text from it.

#include "figures.h"

#include "player_size.h"
#include "session.h"

#include <benchmark/benchmark.h>

namespace popolun::bench {

namespace {

const std::string kWidths[2] = {"640", "320"}, kHeights[2] = {"544", "304"};

void measureChain(benchmark::State& state)
{
    Session session;
    session.load();
    std::size_t i = 0;
    for (auto _ : state) {
        session.settings().field(Setting::width).setText(kWidths[i]);
        benchmark::DoNotOptimize(session.main().text(FieldId::height).data());
        i ^= 1;
    }
    if (session.main().text(FieldId::height) != kHeights[i ^ 1])
        state.SkipWithError("the main height does not follow the settings width");
}

void measureFloor(benchmark::State& state)
{
    std::string settingsWidth, mainWidth, mainHeight;
    std::size_t i = 0;
    for (auto _ : state) {
        settingsWidth = kWidths[i];
        mainWidth = settingsWidth;
        mainHeight = playerHeight(mainWidth);
        benchmark::DoNotOptimize(mainHeight.data());
        i ^= 1;
    }
    if (mainHeight != kHeights[i ^ 1])
        state.SkipWithError("the floor worked out the wrong height");
}

} // namespace

void registerPropagationBenchmarks()
{
    benchmark::RegisterBenchmark("propagation/chain", measureChain)->MinTime(0.05);
    benchmark::RegisterBenchmark("propagation/floor", measureFloor)->MinTime(0.05);
    addFigure({"Propagation: settings width edit to main height (one chain)", "propagation/chain", "propagation/floor",
               Figure::Goal::medianBelow, 2000.0});
}

} // namespace popolun::bench
