// Stage timings of the export engine on the demo project: decoding one frame, undoing PNG row
// filters, decoding and composing the long picture, and encoding it. The whole-process figures
// come from bench/export.sh.
#include "imaging/pictureloader.h"
#include "import/demoproject.h"
#include "imaging/imageencoders.h"
#include "export/longpicture.h"
#include "imaging/pngrowfilter.h"
#include "project/mvk.h"

#include <QGuiApplication>
#include <QImageReader>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <array>
#include <random>
#include <string>
#include <vector>

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

// Undoing one filter type over the rows of a 200 x 200 frame, RGBA (4 bytes per pixel) or RGB
// (3). The bytes are random, so no predictor choice is easier than another.
void BM_UnfilterFrameRows(benchmark::State &state)
{
    const int filter = int(state.range(0));
    const int bpp = int(state.range(1));
    constexpr int Width = 200, Height = 200;
    const qsizetype rowBytes = qsizetype(Width) * bpp;
    std::vector<uchar> rows(size_t(rowBytes) * Height);
    std::mt19937 random(1);
    for (uchar &v : rows)
        v = uchar(random());
    for (auto _ : state) {
        const uchar *prev = nullptr;
        for (int y = 0; y < Height; ++y) {
            uchar *row = rows.data() + y * rowBytes;
            mrv::UnfilterPngRow(filter, row, prev, rowBytes, bpp);
            prev = row;
        }
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * rowBytes * Height);
    state.SetLabel(std::string(std::array{"None", "Sub", "Up", "Average", "Paeth"}[filter]) + ", " +
                   std::to_string(bpp) + " bytes per pixel");
}
BENCHMARK(BM_UnfilterFrameRows)->ArgsProduct({{1, 2, 3, 4}, {4, 3}})->Unit(benchmark::kMicrosecond);

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
