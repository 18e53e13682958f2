#include "BenchTexts.h"
#include "RatioReporter.h"
#include "convert/AlternateCase.h"

#include <cstdio>
#include <functional>

namespace {

constexpr qsizetype Size = 8 << 20;

const std::pair<const char *, QString (*)(qsizetype)> Kinds[] = {
    {"ascii", BenchTexts::asciiProse},
    {"cyrillic", BenchTexts::cyrillicProse},
    {"mixed", BenchTexts::mixed},
};

void copy(benchmark::State &state, QString (*make)(qsizetype))
{
    const QString text = make(Size);
    for (auto _ : state) {
        // A deep copy: the physical floor of any function that writes a new text.
        QString copied(text.constData(), text.size());
        benchmark::DoNotOptimize(copied.data());
    }
    state.SetBytesProcessed(state.iterations() * Size * 2);
}

void alternateCase(benchmark::State &state, QString (*make)(qsizetype))
{
    const QString text = make(Size);
    const QLocale locale(QLocale::English);
    for (auto _ : state) {
        QString converted = AlternateCase(text, locale);
        benchmark::DoNotOptimize(converted.data());
    }
    state.SetBytesProcessed(state.iterations() * Size * 2);
}

} // namespace

int main(int argc, char **argv)
{
    for (const auto &[name, make] : Kinds) {
        benchmark::RegisterBenchmark((std::string("copy/") + name).c_str(), copy, make)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((std::string("AlternateCase/") + name).c_str(), alternateCase, make)
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    std::printf("\nAlternateCase on 8 MiB, as a share of a plain copy's throughput\n");
    std::printf("%-10s %12s %12s %8s %8s\n", "text", "copy ms", "convert ms", "share", "target");
    for (const auto &[name, make] : Kinds) {
        const double copied = reporter.seconds[std::string("copy/") + name];
        const double converted = reporter.seconds[std::string("AlternateCase/") + name];
        const double target = std::string(name) == "ascii" ? 1.0 / 3 : 1.0 / 10;
        const double share = copied / converted;
        std::printf("%-10s %12.2f %12.2f %8.3f %8.3f %s\n", name, copied * 1e3, converted * 1e3, share,
                    target, share >= target ? "met" : "MISSED");
    }
    benchmark::Shutdown();
}
