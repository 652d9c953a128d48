// Opening and saving projects of typical and very large frame counts.
#include "project/mvk.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

mrv::MVK projectWith(int frames, const QString &folder)
{
    mrv::MVK project;
    project.AddNew();
    project.aFileFolder = folder;
    project.aFrame = mrv::aFrame();
    for (int i = 0; i < frames; ++i)
        project.aFrame.Add(folder + QStringLiteral("/frames/%1.png").arg(i, 5, 10, QChar(u'0')),
                           qint16(i % 200), qint16(-(i % 100)));
    return project;
}

void SaveFile(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("p.mrv"));
    const bool pretty = state.range(1) != 0;
    for (auto _ : state) {
        state.PauseTiming();
        mrv::MVK project = projectWith(int(state.range(0)), dir.path());
        state.ResumeTiming();
        if (!project.SaveFile(path, mrv::SaveOptions{pretty, dir.path()}).ok())
            state.SkipWithError("save failed");
    }
}

void OpenFile(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("p.mrv"));
    mrv::MVK source = projectWith(int(state.range(0)), dir.path());
    if (!source.SaveFile(path, mrv::SaveOptions{state.range(1) != 0, dir.path()}).ok())
        state.SkipWithError("save failed");
    for (auto _ : state) {
        mrv::MVK project;
        if (!mrv::CheckProjectFile(path).ok() || !project.OpenFile(path).ok())
            state.SkipWithError("open failed");
        benchmark::DoNotOptimize(project.aFrame.Count());
    }
}

} // namespace

BENCHMARK(SaveFile)->ArgsProduct({{105, 10000}, {0, 1}})->Unit(benchmark::kMillisecond);
BENCHMARK(OpenFile)->ArgsProduct({{105, 10000}, {0, 1}})->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
