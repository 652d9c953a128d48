// Stage timings of the export engine on the demo project: decoding one frame, decoding and
// composing the long picture, and encoding it. The whole-process figures come from bench/export.sh.
#include "imaging/pictureloader.h"
#include "export/demoproject.h"
#include "imaging/imageencoders.h"
#include "export/longpicture.h"
#include "project/mvk.h"

#include <QGuiApplication>
#include <QImageReader>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

struct Demo
{
    QTemporaryDir folder;
    mrv::MVK project;
    Demo()
    {
        const auto path = mrv::WriteDemoProject(folder.path());
        if (!path || !project.OpenFile(*path))
            qFatal("cannot write the demo project");
    }
};

Demo &demo()
{
    static Demo instance;
    return instance;
}

void BM_LoadFramePicture(benchmark::State &state)
{
    const QString path = demo().project.FramePaths().at(50);
    for (auto _ : state)
        benchmark::DoNotOptimize(mrv::LoadPicture(path));
}
BENCHMARK(BM_LoadFramePicture)->Unit(benchmark::kMicrosecond);

// The same frame through Qt's own reader, for comparison.
void BM_LoadFramePictureWithQt(benchmark::State &state)
{
    const QString path = demo().project.FramePaths().at(50);
    for (auto _ : state)
        benchmark::DoNotOptimize(
            QImageReader(path).read().convertToFormat(QImage::Format_ARGB32_Premultiplied));
}
BENCHMARK(BM_LoadFramePictureWithQt)->Unit(benchmark::kMicrosecond);

void BM_ComposeLongPicture(benchmark::State &state)
{
    const mrv::MVK &project = demo().project;
    for (auto _ : state)
        benchmark::DoNotOptimize(
            mrv::ComposeLongPicture(project, project.BackgroundPath(), project.FramePaths(), true));
}
BENCHMARK(BM_ComposeLongPicture)->Unit(benchmark::kMillisecond)->UseRealTime();

QImage &strip()
{
    static QImage image = *mrv::ComposeLongPicture(demo().project, demo().project.BackgroundPath(),
                                                   demo().project.FramePaths(), true);
    return image;
}

void BM_EncodeStrip(benchmark::State &state)
{
    const auto format = mrv::PictureFormat(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(mrv::EncodePicture(strip(), format));
}
BENCHMARK(BM_EncodeStrip)
    ->Arg(int(mrv::PictureFormat::Bmp))
    ->Arg(int(mrv::PictureFormat::Png))
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
