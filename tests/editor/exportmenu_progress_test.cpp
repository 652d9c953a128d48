#include "editor/exportmenu_fixture.h"
#include "export/exportjob.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QProgressDialog>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <chrono>
#include <thread>

namespace mrv::test {
namespace {

/// A job that reports 3 of 10 steps and then waits until it is cancelled (giving up after a
/// while, so that a broken Cancel fails the test instead of hanging it).
ExportResult WaitForCancel(const ExportProgress &progress, const std::atomic_bool *cancel)
{
    progress(3, 10);
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!IsCancelled(cancel)) {
        if (std::chrono::steady_clock::now() > giveUp)
            return ExportResult{};
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    ExportResult result;
    result.cancelled = true;
    result.status = Status::Fail(CancelledMessage());
    return result;
}

QPushButton *CancelButton(QProgressDialog &dialog)
{
    return dialog.findChild<QPushButton *>();
}

using ProgressRunnerTest = ExportMenuTest;

TEST_F(ProgressRunnerTest, DialogShowsProgressWhileTheWindowStaysResponsiveAndCancelStopsTheJob)
{
    frmEditer &w = Load();
    ImportExportRunner runner(w);
    runner.SetShowDelay(0);

    int ticks = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] { ++ticks; });
    tick.start(5);

    bool sawProgress = false;
    QObject::connect(&runner, &ImportExportRunner::started, [&] {
        EXPECT_TRUE(runner.Busy());
        QProgressDialog *dialog = runner.Dialog();
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->labelText(), QStringLiteral("正在导出"));
        EXPECT_EQ(dialog->windowModality(), Qt::WindowModal);
        // Once the dialog shows the job's progress, the user presses Cancel.
        auto *watch = new QTimer(dialog);
        QObject::connect(watch, &QTimer::timeout, dialog, [&, dialog] {
            if (!dialog->isVisible() || dialog->maximum() != 10 || dialog->value() != 3
                || ticks < 3)
                return;
            sawProgress = true;
            CancelButton(*dialog)->click();
        });
        watch->start(10);
    });

    const ExportResult result = runner.Run(QStringLiteral("正在导出"), WaitForCancel);
    EXPECT_TRUE(sawProgress);
    EXPECT_TRUE(result.cancelled);
    EXPECT_FALSE(runner.Busy());
    EXPECT_EQ(runner.Dialog(), nullptr);
}

TEST_F(ProgressRunnerTest, OneJobAtATimeAndResultsComeBackWhole)
{
    frmEditer &w = Load();
    ImportExportRunner runner(w);
    std::optional<ExportResult> second;
    QObject::connect(&runner, &ImportExportRunner::started, [&] {
        if (!second)
            second = runner.Run(QStringLiteral("b"), [](const ExportProgress &,
                                                        const std::atomic_bool *) {
                ADD_FAILURE() << "a second job ran";
                return ExportResult{};
            });
        runner.Cancel();
    });
    const ExportResult first = runner.Run(QStringLiteral("a"), WaitForCancel);
    EXPECT_TRUE(first.cancelled);
    ASSERT_TRUE(second.has_value());
    EXPECT_FALSE(second->status);
    EXPECT_EQ(second->status.message(), ImportExportRunner::BusyMessage());

    // A quick job's result, files and all, reaches the caller.
    const ExportResult quick = runner.Run(QStringLiteral("c"), [](const ExportProgress &progress,
                                                                  const std::atomic_bool *) {
        progress(1, 1);
        ExportResult done;
        done.written << QStringLiteral("x.png");
        return done;
    });
    EXPECT_TRUE(quick.status);
    EXPECT_EQ(quick.written, QStringList{QStringLiteral("x.png")});
}

TEST_F(ProgressRunnerTest, CancelledLongPictureSaysSoAndLeavesTheOldFileAlone)
{
    frmEditer &w = LoadProject(105);
    const QString target = Out(QStringLiteral("anim.bmp"));
    QFile old(target);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("previous");
    old.close();

    QObject::connect(&commands->Runner(), &ImportExportRunner::started, [&] {
        CancelButton(*commands->Runner().Dialog())->click();
    });
    ChooseFile(target, 2);
    prompts.answerOptions(QVariantMap{});
    w.Menus().Export(u"mnuExportLongPic")->trigger();

    const MessageRequest shown = LastMessage();
    EXPECT_EQ(shown.text, QStringLiteral("导出已取消") + u'\n' + NothingWrittenNote());
    EXPECT_EQ(shown.icon, MsgIcon::Information);
    EXPECT_EQ(ReadAll(target), QByteArray("previous"));
    EXPECT_EQ(OutFiles(), QStringList{QStringLiteral("anim.bmp")}); // no temporary left
}

TEST_F(ProgressRunnerTest, ACancelledSequenceLeavesNothing)
{
    frmEditer &w = LoadProject(105);
    // Cancel once the pictures are being written (the first 105 steps compose them).
    QObject::connect(&commands->Runner(), &ImportExportRunner::started, [&] {
        QProgressDialog *dialog = commands->Runner().Dialog();
        auto *watch = new QTimer(dialog);
        QObject::connect(watch, &QTimer::timeout, dialog, [dialog] {
            if (dialog->value() > 200)
                CancelButton(*dialog)->click();
        });
        watch->start(1);
    });
    ChooseFile(Out(QStringLiteral("seq")), 2);
    prompts.answerOptions(QVariantMap{{QStringLiteral("loops"), 255}});
    w.Menus().Export(u"mnuExAniFrame")->trigger();

    const MessageRequest shown = LastMessage();
    ASSERT_TRUE(shown.text.startsWith(QStringLiteral("导出已取消"))) << shown.text;
    EXPECT_TRUE(shown.text.endsWith(NothingWrittenNote())) << shown.text;
    EXPECT_TRUE(QDir(OutFolder())
                    .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)
                    .isEmpty());
}

} // namespace
} // namespace mrv::test
