// The real clip dialog follows what is typed: the frame at the start, the result, what the
// import writes and where a video's end is cut.

#include "editing_fixture.h"
#include "import/clipplan.h"
#include "modalscript.h"
#include "widgets/clipplacementview.h"
#include "widgets/qtprompts.h"

#include <QDoubleSpinBox>
#include <QLabel>
#include <QProcess>

namespace mrv::test {
namespace {

class ClipDialogTest : public EditingTest
{
protected:
    void SetUp() override
    {
        EditingTest::SetUp();
        LoadPictures();
    }
};

/// A 320 x 240 video of two seconds at 10 frames a second, by the ffmpeg program.
QString WriteMp4(const TempFolder &folder)
{
    const QString path = folder.file(QStringLiteral("clip.mp4"));
    QProcess ffmpeg;
    ffmpeg.start(QStringLiteral("ffmpeg"),
                 {QStringLiteral("-loglevel"), QStringLiteral("error"), QStringLiteral("-f"),
                  QStringLiteral("lavfi"), QStringLiteral("-i"),
                  QStringLiteral("testsrc2=size=320x240:rate=10:duration=2"),
                  QStringLiteral("-pix_fmt"), QStringLiteral("yuv420p"), path});
    return ffmpeg.waitForFinished(60000) && ffmpeg.exitCode() == 0 ? path : QString();
}

TEST_F(ClipDialogTest, TheClipDialogShowsTheStartAndWhatTheTypedChoicesWriteAsTheyAreTyped)
{
    const QString video = WriteMp4(folder);
    if (video.isEmpty())
        GTEST_SKIP() << "the ffmpeg program (Debian package ffmpeg) writes the test video";
    const auto clip = OpenedClip::Open(video, ClipKind::Video);
    ASSERT_TRUE(clip);
    ClipImportRequest request;
    request.title = QStringLiteral("导入帧序列");
    request.source = (*clip)->Source();
    request.projectSize = {1024, 768};
    request.proposed = ProposedChoices(request.source, request.projectSize);
    request.plan = [&](const ClipChoices &c) { return PlanClip(**clip, c, 75, {1024, 768}); };
    request.frameAt = [&](qint64 ms) { return (*clip)->FrameAt(ms); };
    // Each box is typed into and keeps the focus: the result line follows at once.
    const struct
    {
        QString box;
        QString typed;
        QString said; ///< in the result line afterwards
    } steps[] = {
        // The proposal: two seconds, fitted to 200 x 150, the loop holding whole passes.
        {{}, {}, QStringLiteral("（第 61-105 帧循环播放原片 2 遍）")},
        {{}, {}, QStringLiteral("将写入 20 张 200 × 150 像素的图片（未压缩 2.4 MB）")},
        {QStringLiteral("txtStart"), QStringLiteral("1"), QStringLiteral("将写入 10 张")},
        {QStringLiteral("txtEnd"), QStringLiteral("9"),
         QStringLiteral("结束时间超过视频长度，只导入到第 2.00 秒")},
    };
    QtPrompts real;
    const ModalRun run = AnswerModals([&] { real.ClipImport(request); },
                                      {[&](QWidget &d) {
                                          auto *result = d.findChild<QLabel *>(QStringLiteral("lblResult"));
                                          auto *view = d.findChild<ClipPlacementView *>(
                                              QStringLiteral("picClipPreview"));
                                          ASSERT_TRUE(result && view);
                                          for (const auto &step : steps) {
                                              SCOPED_TRACE(step.said.toStdString());
                                              if (!step.box.isEmpty()) {
                                                  auto *box = d.findChild<QDoubleSpinBox *>(step.box);
                                                  box->setFocus();
                                                  QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
                                                  QTest::keyClicks(box, step.typed);
                                                  ASSERT_EQ(QApplication::focusWidget(), box);
                                              }
                                              EXPECT_TRUE(result->text().contains(step.said))
                                                  << result->text().toStdString();
                                          }
                                          // The picture is the frame at the start, 1 s.
                                          const QImage atStart = (*clip)->FrameAt(1000);
                                          ASSERT_NE(atStart, request.source.firstFrame);
                                          QTRY_COMPARE(view->Picture(), atStart);
                                          QTest::keyClick(&d, Qt::Key_Escape);
                                      }});
    EXPECT_EQ(run.answered, 1);
}

} // namespace
} // namespace mrv::test
