// The editor's speed targets: a frame step at a 1920 x 1080 preview, opening projects of
// 1,000 and 10,000 frames into the window (rows included), importing a folder of 105 frames
// until the preview shows frame 1, and a row command on 10,000 frames. Runs offscreen.

#include "settings/settings.h"
#include "settings/settingslocation.h"
#include "document/projectdocument.h"
#include "editor/framecommands.h"
#include "editor/framelist.h"
#include "editor/frmediter.h"
#include "editor/framemodel.h"
#include "editor/thumbnailstrip.h"
#include "widgets/picturesurface.h"
#include "widgets/prompts.h"
#include "project/mvk.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QLayout>
#include <QListView>
#include <QMenuBar>
#include <QPainter>
#include <QScrollBar>
#include <QSlider>
#include <QTemporaryDir>
#include <QUndoStack>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace mrv;

/// Answers every question with Cancel; the benchmarks ask none.
class SilentPrompts : public Prompts
{
public:
    MsgAnswer Message(const MessageRequest &) override { return MsgAnswer::Cancel; }
    std::optional<QString> Input(const InputRequest &) override { return std::nullopt; }
    std::optional<FileDialogAnswer> File(const FileDialogRequest &) override { return std::nullopt; }
    std::optional<ExportOptions> Options(const OptionsRequest &) override { return std::nullopt; }
};

/// Counts the paint events a widget receives.
class PaintCounter : public QObject
{
public:
    int count = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++count;
        return QObject::eventFilter(watched, event);
    }
};

/// A project folder with a background of the screen size and 105 frames of 200 x 200 with
/// transparency; projects of any frame count cycle through those pictures.
class Fixture
{
public:
    explicit Fixture(QSize screen) : m_screen(screen)
    {
        QImage bg(screen, QImage::Format_RGB32);
        QPainter p(&bg);
        QLinearGradient g(0, 0, screen.width(), screen.height());
        g.setColorAt(0, QColor(20, 60, 110));
        g.setColorAt(1, QColor(5, 10, 25));
        p.fillRect(bg.rect(), g);
        p.end();
        bg.save(m_dir.filePath(QStringLiteral("bg.png")));
        for (int i = 0; i < 105; ++i) {
            QImage frame(200, 200, QImage::Format_ARGB32);
            frame.fill(Qt::transparent);
            QPainter fp(&frame);
            fp.setRenderHint(QPainter::Antialiasing);
            fp.setBrush(QColor::fromHsv(i * 3, 200, 250));
            fp.drawEllipse(QPointF(100, 100), 20 + i % 60, 20 + i % 60);
            fp.end();
            frame.save(m_dir.filePath(QStringLiteral("f%1.png").arg(i)));
        }
        QFile config(m_dir.filePath(ConfigFileName));
        config.open(QIODevice::WriteOnly);
        config.write(DefaultConfiguration());
        config.close();
        m_settings = std::move(*LoadSettings(m_dir.path()));
    }

    QString Project(int frames)
    {
        MVK project;
        project.aName = QStringLiteral("bench");
        project.aWidth = qint16(m_screen.width());
        project.aHeight = qint16(m_screen.height());
        project.aBackground = aImage{QStringLiteral("bg.png"), 0, 0};
        project.aFrame.Reserve(frames);
        for (int i = 0; i < frames; ++i)
            project.aFrame.Add(QStringLiteral("f%1.png").arg(i % 105), 0, 0);
        const QString path = m_dir.filePath(QStringLiteral("p%1.mrv").arg(frames));
        if (!QFile::exists(path))
            static_cast<void>(project.SaveFile(path, {}));
        return path;
    }

    /// A folder holding a copy of the 105 frame pictures.
    QString FrameFolder(const QString &name)
    {
        QDir dir(m_dir.path());
        dir.mkpath(name);
        for (int i = 0; i < 105; ++i) {
            const QString file = QStringLiteral("f%1.png").arg(i);
            QFile::copy(dir.filePath(file), dir.filePath(name + u'/' + file));
        }
        return dir.filePath(name);
    }

    std::unique_ptr<frmEditer> Window(QSize client)
    {
        auto w = std::make_unique<frmEditer>(m_settings, m_prompts);
        w->Form_Load();
        w->show();
        // The menu bar and the thumbnail strip take what lies around the client area.
        w->layout()->activate();
        w->resize(w->size() + client - w->Client().size());
        w->layout()->activate();
        return w;
    }

private:
    QTemporaryDir m_dir;
    QSize m_screen;
    Settings m_settings;
    SilentPrompts m_prompts;
};

// A client area whose preview box is 1920 x 1080 for a 16:9 project.
constexpr QSize FullHdClient{1920 + 420, 1080 + 78};

/// The 105-frame project open in a window whose preview is about 1920 x 1080, every frame
/// shown once (decoded and scaled, as after the first cycle of playback).
std::unique_ptr<frmEditer> PlayedThrough(Fixture &fixture)
{
    auto w = fixture.Window(FullHdClient);
    w->Commands().OpenProjectFile(fixture.Project(105));
    for (int i = 1; i <= 105; ++i)
        w->Controls().sldFrame->setValue(i);
    return w;
}

void BM_FrameStep(benchmark::State &state)
{
    Fixture fixture({1920, 1080});
    auto w = PlayedThrough(fixture);
    QSlider &slider = *w->Controls().sldFrame;
    int frame = 1;
    for (auto _ : state) {
        frame = frame % 105 + 1;
        slider.setValue(frame);
    }
    state.counters["preview_w"] = w->Controls().picBG->width();
    state.counters["preview_h"] = w->Controls().picBG->height();
}
BENCHMARK(BM_FrameStep)->Unit(benchmark::kMicrosecond);

void BM_FrameStepPainted(benchmark::State &state)
{
    Fixture fixture({1920, 1080});
    auto w = PlayedThrough(fixture);
    QSlider &slider = *w->Controls().sldFrame;
    PictureSurface &activity = *w->Controls().picA0;
    PaintCounter paints;
    activity.installEventFilter(&paints);
    // The offscreen platform exposes no window, so the activity box is painted into an image
    // of its size, through its own paint event, as the screen would receive it.
    QImage screen(activity.size(), QImage::Format_ARGB32_Premultiplied);
    int frame = 1;
    for (auto _ : state) {
        frame = frame % 105 + 1;
        slider.setValue(frame);
        activity.render(&screen);
    }
    state.counters["paints_per_step"] =
        benchmark::Counter(double(paints.count), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_FrameStepPainted)->Unit(benchmark::kMicrosecond);

void BM_FirstCycleFrameStep(benchmark::State &state)
{
    // Every step decodes and scales its picture: the first pass through the frames.
    Fixture fixture({1920, 1080});
    auto w = fixture.Window(FullHdClient);
    w->Commands().OpenProjectFile(fixture.Project(105));
    QSlider &slider = *w->Controls().sldFrame;
    int frame = 1;
    for (auto _ : state) {
        state.PauseTiming();
        w->Cache().Clear();
        w->PicRedraw(0);
        state.ResumeTiming();
        frame = frame % 104 + 2;
        slider.setValue(frame);
    }
}
BENCHMARK(BM_FirstCycleFrameStep)->Unit(benchmark::kMicrosecond);

void BM_ResizeRedraw(benchmark::State &state)
{
    // Live resizing: every size rescales the background and redraws the preview.
    Fixture fixture({1920, 1080});
    auto w = fixture.Window(FullHdClient);
    w->Commands().OpenProjectFile(fixture.Project(105));
    int step = 0;
    for (auto _ : state) {
        step = (step + 1) % 40;
        w->resize(FullHdClient.width() - step * 10, FullHdClient.height() - step * 6);
        w->layout()->activate();
    }
}
BENCHMARK(BM_ResizeRedraw)->Unit(benchmark::kMillisecond);

void BM_OpenProject(benchmark::State &state)
{
    Fixture fixture({1024, 768});
    const QString path = fixture.Project(int(state.range(0)));
    auto w = fixture.Window({1160, 680});
    for (auto _ : state) {
        if (!w->Commands().OpenProjectFile(path))
            state.SkipWithError("the project did not open");
    }
    state.counters["rows"] = w->Frames().RowCount();
}
BENCHMARK(BM_OpenProject)->Arg(105)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_OpenProjectCold(benchmark::State &state)
{
    // As the first open after start: no picture decoded yet.
    Fixture fixture({1024, 768});
    const QString path = fixture.Project(int(state.range(0)));
    auto w = fixture.Window({1160, 680});
    for (auto _ : state) {
        state.PauseTiming();
        w->Cache().Clear();
        state.ResumeTiming();
        if (!w->Commands().OpenProjectFile(path))
            state.SkipWithError("the project did not open");
    }
    state.counters["rows"] = w->Frames().RowCount();
}
BENCHMARK(BM_OpenProjectCold)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_ImportFolder105(benchmark::State &state)
{
    // From the command to the preview showing frame 1: picture heads read, one undo step, the
    // rows rebuilt, frame 1 decoded and drawn. Two folders take turns, so each import changes
    // every frame.
    Fixture fixture({1024, 768});
    const QString folders[2] = {fixture.FrameFolder(QStringLiteral("a")),
                                fixture.FrameFolder(QStringLiteral("b"))};
    auto w = fixture.Window({1160, 680});
    w->Commands().OpenProjectFile(fixture.Project(105));
    FrameCommands &commands = FrameCommands::Install(w->Context());
    int turn = 0;
    for (auto _ : state) {
        state.PauseTiming();
        w->Cache().Clear();
        state.ResumeTiming();
        if (!commands.ImportFrom(folders[turn++ % 2]))
            state.SkipWithError("the import changed nothing");
    }
    state.counters["rows"] = w->Frames().RowCount();
}
BENCHMARK(BM_ImportFolder105)->Unit(benchmark::kMillisecond);

void BM_DeleteAndUndo10000(benchmark::State &state)
{
    // A row command on a long list: the rows, the slider and the preview follow the count.
    Fixture fixture({1024, 768});
    auto w = fixture.Window({1160, 680});
    w->Commands().OpenProjectFile(fixture.Project(10000));
    FrameCommands &commands = FrameCommands::Install(w->Context());
    w->Controls().sldFrame->setValue(5000);
    for (auto _ : state) {
        commands.DeleteFrames();
        w->Document().UndoStack()->undo();
    }
    state.counters["rows"] = w->Frames().RowCount();
}
BENCHMARK(BM_DeleteAndUndo10000)->Unit(benchmark::kMillisecond);

/// The longest a single pass of the window's event loop took, and the passes, while
/// `done` is false (at most 30 s).
struct UiFrames
{
    double maxMs = 0.0;
    double totalMs = 0.0;
    int passes = 0;
};

template <typename Done> UiFrames PumpUntil(Done done)
{
    UiFrames frames;
    QElapsedTimer total;
    total.start();
    while (!done() && total.elapsed() < 30000) {
        QElapsedTimer pass;
        pass.start();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        const double ms = pass.nsecsElapsed() / 1e6;
        frames.maxMs = std::max(frames.maxMs, ms);
        frames.totalMs += ms;
        ++frames.passes;
    }
    return frames;
}

bool VisibleThumbnailsDrawn(frmEditer &w)
{
    QListView &view = w.Strip().View();
    view.viewport()->repaint();
    const FrameModel &model = w.Strip().Model();
    for (int row = 0; row < model.rowCount(); ++row) {
        const QModelIndex index = model.index(row);
        if (!view.viewport()->rect().intersects(view.visualRect(index)))
            continue;
        if (model.data(index, Qt::DecorationRole).value<QImage>().isNull())
            return false;
    }
    return true;
}

/// Opening the 105-frame demo-like project until every thumbnail in view is drawn; the
/// thumbnails are made off the window's thread, so no pass of its loop should be long.
void BM_StripOpen105(benchmark::State &state)
{
    Fixture fixture({1024, 768});
    auto w = fixture.Window({1024, 640});
    const QString path = fixture.Project(105);
    UiFrames worst;
    for (auto _ : state) {
        if (!w->Commands().OpenProjectFile(path))
            state.SkipWithError("the project did not open");
        const UiFrames frames = PumpUntil([&] { return VisibleThumbnailsDrawn(*w); });
        worst.maxMs = std::max(worst.maxMs, frames.maxMs);
        state.PauseTiming();
        w->Commands().New();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["max_ui_pass_ms"] = worst.maxMs;
}
BENCHMARK(BM_StripOpen105)->Unit(benchmark::kMillisecond)->Iterations(5);

/// A 10,000-frame project's strip scrolled from end to end, half a view per step, each step
/// painted; the frame times of the window's thread.
void BM_StripScroll10000(benchmark::State &state)
{
    Fixture fixture({1024, 768});
    auto w = fixture.Window({1024, 640});
    w->Commands().OpenProjectFile(fixture.Project(10000));
    QListView &view = w->Strip().View();
    QScrollBar &bar = *view.horizontalScrollBar();
    double maxMs = 0.0, totalMs = 0.0;
    int steps = 0;
    for (auto _ : state) {
        bar.setValue(0);
        for (int value = 0; value <= bar.maximum(); value += view.viewport()->width() / 2) {
            QElapsedTimer step;
            step.start();
            bar.setValue(value);
            view.viewport()->repaint();
            QCoreApplication::processEvents();
            const double ms = step.nsecsElapsed() / 1e6;
            maxMs = std::max(maxMs, ms);
            totalMs += ms;
            ++steps;
        }
    }
    state.counters["steps"] = steps;
    state.counters["mean_frame_ms"] = steps ? totalMs / steps : 0.0;
    state.counters["max_frame_ms"] = maxMs;
}
BENCHMARK(BM_StripScroll10000)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
