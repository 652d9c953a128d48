// Frames in bulk through the editor: the import command, the frame menu, row menus, keys
// and drops, each one undo step.

#include "editor/framecommands.h"
#include "editor/framemodel.h"
#include "editor/thumbnailstrip.h"

#include "document/projectdocument.h"
#include "editing_fixture.h"
#include "imaging/gifanimation.h"
#include "import/frameimport.h"
#include "widgets/clipplacementview.h"
#include "widgets/qtprompts.h"
#include "import/clipplan.h"
#include "modalscript.h"

#include <QAction>
#include <QAbstractItemView>
#include <QContextMenuEvent>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>
#include <QMimeData>
#include <QListView>
#include <QSlider>
#include <QUndoStack>
#include <QUrl>

namespace mrv::test {
namespace {

class FramesTest : public EditingTest
{
protected:
    frmEditer &LoadFrames(int frames = 3)
    {
        frmEditer &w = LoadPictures(frames);
        commands = &FrameCommands::Install(w.Context());
        return w;
    }

    QStringList Urls() const
    {
        QStringList urls;
        for (const aImage &frame : window->Document().Project().aFrame)
            urls << frame.aURL;
        return urls;
    }

    QStringList RowTexts() const
    {
        QStringList texts;
        for (int row = 1; row <= window->Frames().RowCount(); ++row)
            texts << window->Frames().RowText(row);
        return texts;
    }

    /// A folder of `count` pictures n<k>.png of 40 x 20, written in reverse order.
    QString WriteSequence(const QString &name, int count)
    {
        QDir().mkpath(folder.file(name));
        for (int k = count; k >= 1; --k)
            WritePicture(folder.file(QStringLiteral("%1/n%2.png").arg(name).arg(k)), {40, 20},
                         QColor(k * 20, 0, 0));
        return folder.file(name);
    }

    void ClickRowNumber(int row, Qt::KeyboardModifiers modifiers = {})
    {
        QLabel *label = window->Frames().RowLabel(row);
        ASSERT_NE(label, nullptr);
        QTest::mouseClick(label, Qt::LeftButton, modifiers, QPoint(4, label->height() / 2));
    }

    QByteArray SavedBytes()
    {
        EXPECT_TRUE(window->Commands().Save());
        return ReadAll(projectPath);
    }

    FrameCommands *commands = nullptr;
};

TEST_F(FramesTest, TheImportEntryFollowsTheStripImportAndTheFrameMenuHoldsTheRowCommands)
{
    frmEditer &w = LoadFrames();
    const QList<QAction *> file = w.Menus().mnuFile->actions();
    const qsizetype strip = file.indexOf(w.Menus().mnuImportLongPic);
    ASSERT_GE(strip, 0);
    EXPECT_EQ(file.value(strip + 1), w.Menus().mnuImportFrames);
    EXPECT_EQ(w.Menus().mnuImportFrames->text(), QStringLiteral("导入帧序列(&I)..."));
    EXPECT_TRUE(w.Menus().mnuImportFrames->isEnabled());
    EXPECT_EQ(w.Menus().mnuFrame->title(), QStringLiteral("帧(&R)"));
    QStringList captions;
    for (QAction *a : w.Menus().mnuFrame->actions())
        if (!a->isSeparator())
            captions << a->text().section(u'\t', 0, 0); // without the key shown beside it
    EXPECT_EQ(captions, (QStringList{QStringLiteral("在前面插入帧"), QStringLiteral("在后面插入帧"),
                                     QStringLiteral("复制帧"), QStringLiteral("删除帧"),
                                     QStringLiteral("上移"), QStringLiteral("下移"),
                                     QStringLiteral("反转顺序")}));
}

TEST_F(FramesTest, AFolderImportIsOneStepThatUndoTakesBackToTheSameFileBytes)
{
    frmEditer &w = LoadFrames();
    const QByteArray before = SavedBytes();
    const QString sequence = WriteSequence(QStringLiteral("seq"), 12);
    folder.write(QStringLiteral("seq/n5b.png"), "broken");
    folder.write(QStringLiteral("seq/notes.txt"), "not a picture");
    prompts.answerFile(FileDialogAnswer{sequence, 1});
    w.Menus().mnuImportFrames->trigger();

    ASSERT_EQ(prompts.files.size(), 1);
    EXPECT_EQ(prompts.files[0].kind, FileDialogKind::OpenFileOrFolder);
    EXPECT_EQ(w.Frames().RowCount(), 12);
    EXPECT_EQ(RowTexts().first(), QStringLiteral("seq\\n1.png"));
    EXPECT_EQ(RowTexts().last(), QStringLiteral("seq\\n12.png"));
    EXPECT_EQ(*w.Document().Frame(2), (aImage{QStringLiteral("seq\\n2.png"), 80, 90}));
    EXPECT_EQ(w.Controls().sldFrame->value(), 1);
    EXPECT_EQ(w.Controls().sldFrame->maximum(), 12);
    // One message: what 12 frames mean for the boot screen, and the broken file.
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messages[0].text.contains(QStringLiteral("第 13 至 105 格")))
        << prompts.messages[0].text;
    EXPECT_TRUE(prompts.messages[0].text.contains(QStringLiteral("n5b.png")));
    EXPECT_TRUE(prompts.messages[0].text.contains(QStringLiteral("notes.txt")));
    EXPECT_EQ(w.Document().UndoStack()->count(), 1);
    EXPECT_NE(SavedBytes(), before);

    w.Menus().mnuUndo->trigger();
    EXPECT_EQ(w.Frames().RowCount(), 3);
    EXPECT_EQ(SavedBytes(), before);
}

/// A wide GIF of three flat frames (green, yellow, magenta) of 100 ms.
QString WriteWideGif(const TempFolder &folder)
{
    AnimationSequence clip;
    for (QColor colour : {Green, Yellow, Magenta}) {
        QImage picture(480, 270, QImage::Format_ARGB32_Premultiplied);
        picture.fill(colour);
        clip.pictures.append(picture);
        clip.order.push_back(int(clip.order.size()));
    }
    clip.frameMs = 100;
    clip.repeat = true;
    const Result<QByteArray> gif = EncodeGifAnimation(clip);
    return gif ? folder.write(QStringLiteral("wide.gif"), *gif) : QString();
}

/// A 480 x 270 video of `seconds` at 24 frames a second, by the ffmpeg program; empty when it
/// is not installed or fails.
QString WriteVideo(const TempFolder &folder, int seconds)
{
    const QString path = folder.file(QStringLiteral("clip.mp4"));
    QProcess ffmpeg;
    ffmpeg.start(
        QStringLiteral("ffmpeg"),
        {QStringLiteral("-loglevel"), QStringLiteral("error"), QStringLiteral("-f"),
         QStringLiteral("lavfi"), QStringLiteral("-i"),
         QStringLiteral("testsrc2=size=480x270:rate=24:duration=%1").arg(seconds),
         QStringLiteral("-pix_fmt"), QStringLiteral("yuv420p"), path});
    return ffmpeg.waitForFinished(60000) && ffmpeg.exitCode() == 0 ? path : QString();
}

TEST_F(FramesTest, AClipsImportAsksThroughThePromptsHowToFitTimeAndCutIt)
{
    frmEditer &w = LoadFrames();
    const QString source = WriteWideGif(folder);
    ASSERT_FALSE(source.isEmpty());

    // Cancelled: nothing imported, nothing said. The dialog was shown the clip's first frame
    // and the proposal: fitted inside the area, by the boot's time, 105 frames playing 11
    // passes of its 300 ms in 3.375 s.
    prompts.answerFile(FileDialogAnswer{source, 1});
    prompts.answerClip(std::nullopt);
    w.Menus().mnuImportFrames->trigger();
    EXPECT_EQ(w.Document().UndoStack()->count(), 0);
    EXPECT_TRUE(prompts.messages.isEmpty());
    ASSERT_EQ(prompts.clips.size(), 1);
    const ClipImportRequest &asked = prompts.clips[0];
    EXPECT_EQ(asked.source.kind, ClipKind::Animation);
    EXPECT_EQ(asked.source.size, QSize(480, 270));
    EXPECT_EQ(asked.source.durationMs, 300);
    EXPECT_EQ(QColor(asked.source.firstFrame.pixel(10, 10)), Green);
    EXPECT_EQ(asked.proposed.fit, FrameFit::Contain);
    EXPECT_EQ(asked.proposed.timing, FrameTiming::Boot);
    EXPECT_EQ(ClipPlanText(asked.plan(asked.proposed)).section(u'\n', 0, 0),
              QStringLiteral("105 帧，7.9 秒（第 61-105 帧循环播放原片 11 遍），播放速度为原片的 98%"));

    // Cover, frame by frame: the three frames, cut to the area.
    prompts.answerFile(FileDialogAnswer{source, 1});
    prompts.answerClip([](ClipChoices &c) {
        c.fit = FrameFit::Cover;
        c.timing = FrameTiming::Frames;
    });
    w.Menus().mnuImportFrames->trigger();
    ASSERT_EQ(w.Frames().RowCount(), 3);
    EXPECT_EQ(w.Document().UndoStack()->count(), 1);
    aImage first = *w.Document().Frame(1);
    EXPECT_EQ(QPoint(first.aX, first.aY), QPoint(0, 0));
    EXPECT_EQ(QImage(folder.file(first.aURL.replace(u'\\', u'/'))).size(), QSize(200, 200));

    // A video: its part from second 1 to 2, frame by frame, one undoable step.
    const QString video = WriteVideo(folder, 3);
    if (video.isEmpty())
        GTEST_SKIP() << "the ffmpeg program (Debian package ffmpeg) writes the test video";
    prompts.answerFile(FileDialogAnswer{video, 1});
    prompts.answerClip([](ClipChoices &c) {
        c.timing = FrameTiming::Frames;
        c.startMs = 1000;
        c.endMs = 2000;
    });
    w.Menus().mnuImportFrames->trigger();
    ASSERT_EQ(prompts.clips.size(), 3);
    EXPECT_EQ(prompts.clips[2].source.kind, ClipKind::Video);
    EXPECT_EQ(prompts.clips[2].proposed.endMs, 3000);
    EXPECT_EQ(w.Frames().RowCount(), 24);
    EXPECT_EQ(w.Document().UndoStack()->count(), 2);
    w.Menus().mnuUndo->trigger();
    EXPECT_EQ(w.Frames().RowCount(), 3);
}

TEST_F(FramesTest, ACancelledVideoImportLeavesNothingBehind)
{
    frmEditer &w = LoadFrames();
    const QString video = WriteVideo(folder, 8);
    if (video.isEmpty())
        GTEST_SKIP() << "the ffmpeg program (Debian package ffmpeg) writes the test video";
    const QByteArray before = SavedBytes();
    // Cancel as soon as the progress dialog exists, with its own button.
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (auto *progress = w.findChild<QProgressDialog *>(QStringLiteral("exportProgress"))) {
            if (auto *cancel = progress->findChild<QPushButton *>())
                cancel->click();
        }
    });
    watch.start(1);
    prompts.answerFile(FileDialogAnswer{video, 1});
    prompts.answerClip(ScriptedPrompts::ClipChange());
    w.Menus().mnuImportFrames->trigger();
    watch.stop();
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messages[0].text.contains(QStringLiteral("已取消")))
        << prompts.messages[0].text;
    EXPECT_EQ(prompts.messages[0].icon, MsgIcon::Information);
    EXPECT_EQ(w.Document().UndoStack()->count(), 0);
    EXPECT_EQ(SavedBytes(), before);
    EXPECT_TRUE(
        QDir(folder.path()).entryList({QStringLiteral("clip_frames*")}, QDir::AllEntries).isEmpty());
}

TEST_F(FramesTest, TheRealClipDialogShowsThePlacementAndAnswersFromTheKeyboard)
{
    LoadFrames();
    const QString source = WriteWideGif(folder);
    const auto clip = OpenedClip::Open(source, ClipKind::Animation);
    ASSERT_TRUE(clip);
    ClipImportRequest request;
    request.title = QStringLiteral("导入帧序列");
    request.source = (*clip)->Source();
    request.projectSize = {1024, 768};
    request.proposed = ProposedChoices(request.source, request.projectSize);
    request.plan = [&](const ClipChoices &c) { return PlanClip(**clip, c, 75, {1024, 768}); };
    QtPrompts real;
    std::optional<ClipChoices> chosen;
    QString resultText;
    const ModalRun run = AnswerModals(
        [&] { chosen = real.ClipImport(request); },
        {[&](QWidget &d) {
            auto *view = d.findChild<ClipPlacementView *>(QStringLiteral("picClipPreview"));
            ASSERT_NE(view, nullptr);
            // Contain: as wide as the area, 112 of its 200 rows, centred.
            const QRectF area = view->AreaRect();
            const QRectF placed = view->PictureRect();
            EXPECT_NEAR(placed.width(), area.width(), 0.5);
            EXPECT_NEAR(placed.height() / area.height(), 112.0 / 200, 0.01);
            EXPECT_NEAR(placed.center().y(), area.center().y(), 1);
            QWidget *fit = QApplication::focusWidget();
            ASSERT_EQ(fit->objectName(), QStringLiteral("cboFit"));
            QTest::keyClick(fit, Qt::Key_Down); // 填满: fills the area, the sides cut off
            EXPECT_NEAR(view->PictureRect().height(), area.height(), 0.5);
            QTest::keyClick(fit, Qt::Key_Tab);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down); // 逐帧
            resultText = d.findChild<QLabel *>(QStringLiteral("lblResult"))->text().section(u'\n', 0, 0);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        }});
    EXPECT_EQ(run.answered, 1);
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(chosen->fit, FrameFit::Cover);
    EXPECT_EQ(chosen->timing, FrameTiming::Frames);
    EXPECT_EQ(resultText, QStringLiteral("3 帧，0.2 秒，播放速度为原片的 133%"));
}

TEST_F(FramesTest, TooManyOrNoPicturesChangeNothing)
{
    frmEditer &w = LoadFrames();
    QDir().mkpath(folder.file(QStringLiteral("empty")));
    prompts.answerFile(FileDialogAnswer{folder.file(QStringLiteral("empty")), 1});
    w.Menus().mnuImportFrames->trigger();
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages[0].icon, MsgIcon::Error);
    EXPECT_EQ(w.Document().UndoStack()->count(), 0);
    EXPECT_EQ(w.Frames().RowCount(), 3);
    // A cancelled dialog asks nothing more.
    w.Menus().mnuImportFrames->trigger();
    EXPECT_EQ(prompts.messages.size(), 1);
}

TEST_F(FramesTest, DeleteAndInsertKeysActOnTheCurrentRowOnlyWhileTheListHasTheFocus)
{
    frmEditer &w = LoadFrames();
    Activate();
    ClickRowNumber(2);
    ASSERT_EQ(w.Controls().sldFrame->value(), 2);
    ASSERT_TRUE(w.Controls().picFrame->isAncestorOf(QApplication::focusWidget()) ||
                QApplication::focusWidget() == w.Controls().picFrame);
    // The keys are the ones the frame menu shows beside its entries.
    const auto shownKey = [](const QAction *entry) {
        return QKeySequence::fromString(entry->text().section(u'\t', 1))[0].key();
    };
    QTest::keyClick(QApplication::focusWidget(), shownKey(w.Menus().mnuFrameDelete));
    EXPECT_EQ(Urls(), (QStringList{QStringLiteral("f1.png"), QStringLiteral("f3.png")}));
    EXPECT_EQ(RowTexts(), Urls());
    EXPECT_EQ(w.Controls().sldFrame->maximum(), 2);
    QTest::keyClick(QApplication::focusWidget(), shownKey(w.Menus().mnuFrameInsertBefore));
    EXPECT_EQ(Urls(), (QStringList{QStringLiteral("f1.png"), QString(), QStringLiteral("f3.png")}));
    EXPECT_EQ(w.Controls().sldFrame->value(), 2);

    // In the thumbnail strip they act on the thumbnail clicked.
    QListView &strip = w.Strip().View();
    QTest::mouseClick(strip.viewport(), Qt::LeftButton, {},
                      strip.visualRect(w.Strip().Model().index(2)).center());
    ASSERT_EQ(w.Controls().sldFrame->value(), 3);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
    EXPECT_EQ(Urls(), (QStringList{QStringLiteral("f1.png"), QString()}));
    EXPECT_EQ(w.Strip().Model().rowCount(), 2);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Insert);
    EXPECT_EQ(Urls(), (QStringList{QStringLiteral("f1.png"), QString(), QString()}));
    w.Document().UndoStack()->undo();
    w.Document().UndoStack()->undo();

    // In a path box the keys edit the text.
    QLineEdit *box = w.Frames().RowPath(1);
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(3, box->height() / 2));
    ASSERT_EQ(QApplication::focusWidget(), box);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
    EXPECT_EQ(w.Document().FrameCount(), 3);
    EXPECT_EQ(Urls().first(), QStringLiteral("1.png"));
}

TEST_F(FramesTest, RowCommandsKeepEachPathWithItsOffsetAndUndoOneByOne)
{
    frmEditer &w = LoadFrames(4);
    ProjectDocument &document = w.Document();
    for (int i = 1; i <= 4; ++i)
        document.SetFrameOffset(i, qint16(i), qint16(-i));
    const std::vector<aImage> start = document.Frames();
    const int steps = document.UndoStack()->count();
    const auto frame = [&](int k) { return start[size_t(k - 1)]; };

    w.Controls().sldFrame->setValue(2);
    w.Menus().mnuFrameDown->trigger();
    EXPECT_EQ(document.Frames(), (std::vector<aImage>{frame(1), frame(3), frame(2), frame(4)}));
    EXPECT_EQ(w.Controls().sldFrame->value(), 3); // the moved frame stays current
    w.Menus().mnuFrameUp->trigger();
    w.Menus().mnuFrameUp->trigger();
    EXPECT_EQ(document.Frames(), (std::vector<aImage>{frame(2), frame(1), frame(3), frame(4)}));
    w.Menus().mnuFrameCopy->trigger();
    EXPECT_EQ(document.Frames(),
              (std::vector<aImage>{frame(2), frame(2), frame(1), frame(3), frame(4)}));
    // The undo entry names the copy as its menu entry does.
    EXPECT_EQ(w.Menus().mnuUndo->text(), QStringLiteral("撤销 ") + w.Menus().mnuFrameCopy->text());
    w.Menus().mnuFrameInsertAfter->trigger();
    EXPECT_EQ(*document.Frame(3), aImage{});
    EXPECT_EQ(document.FrameCount(), 6);
    w.Menus().mnuFrameDelete->trigger();
    EXPECT_EQ(document.Frames(),
              (std::vector<aImage>{frame(2), frame(2), frame(1), frame(3), frame(4)}));
    EXPECT_EQ(RowTexts(), Urls());
    EXPECT_EQ(document.UndoStack()->count(), steps + 6);
    for (int i = 0; i < 6; ++i)
        w.Menus().mnuUndo->trigger();
    EXPECT_EQ(document.Frames(), start);
    EXPECT_EQ(RowTexts(), Urls());
}

TEST_F(FramesTest, AMissingPicturesMarkMovesWithItsFrame)
{
    frmEditer &w = LoadFrames(4); // f4.png does not exist
    FrameList &list = w.Frames();
    ASSERT_FALSE(list.RowProblem(4).isEmpty());
    ASSERT_TRUE(list.RowProblem(3).isEmpty());
    w.Controls().sldFrame->setValue(1);
    w.Menus().mnuFrameDelete->trigger();
    EXPECT_FALSE(list.RowProblem(3).isEmpty());
    EXPECT_TRUE(list.RowProblem(2).isEmpty());
    w.Menus().mnuFrameInsertBefore->trigger();
    EXPECT_TRUE(list.RowProblem(1).isEmpty());
    EXPECT_FALSE(list.RowProblem(4).isEmpty());
    EXPECT_TRUE(list.RowProblem(3).isEmpty());
    w.Menus().mnuUndo->trigger();
    w.Menus().mnuUndo->trigger();
    EXPECT_TRUE(list.RowProblem(1).isEmpty());
    EXPECT_FALSE(list.RowProblem(4).isEmpty());
    EXPECT_EQ(RowTexts(), Urls());
}

TEST_F(FramesTest, ShiftAndCtrlClicksPickRowsThatMoveAndReverseTogether)
{
    frmEditer &w = LoadFrames(5);
    Activate();
    const std::vector<aImage> start = w.Document().Frames();
    ClickRowNumber(2);
    ClickRowNumber(4, Qt::ShiftModifier);
    EXPECT_EQ(w.Frames().Selection(), (QList<int>{2, 3, 4}));
    ClickRowNumber(3, Qt::ControlModifier);
    EXPECT_EQ(w.Frames().Selection(), (QList<int>{2, 4}));
    ClickRowNumber(5, Qt::ControlModifier);
    EXPECT_EQ(w.Frames().Selection(), (QList<int>{2, 4, 5}));
    EXPECT_TRUE(w.Frames().RowLabel(4)->property("selected").toBool());
    EXPECT_FALSE(w.Frames().RowLabel(3)->property("selected").toBool());

    w.Menus().mnuFrameReverse->trigger();
    EXPECT_EQ(Urls(), (QStringList{QStringLiteral("f1.png"), QStringLiteral("f5.png"),
                                   QStringLiteral("f3.png"), QStringLiteral("f4.png"),
                                   QStringLiteral("f2.png")}));
    // Each picked row moves up by one and stays picked; the rows between them stay between.
    w.Menus().mnuFrameUp->trigger();
    EXPECT_EQ(Urls(), (QStringList{QStringLiteral("f5.png"), QStringLiteral("f1.png"),
                                   QStringLiteral("f4.png"), QStringLiteral("f2.png"),
                                   QStringLiteral("f3.png")}));
    EXPECT_EQ(w.Frames().Selection(), (QList<int>{1, 3, 4}));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
    EXPECT_EQ(Urls(), (QStringList{QStringLiteral("f1.png"), QStringLiteral("f3.png")}));
    w.Menus().mnuUndo->trigger();
    w.Menus().mnuUndo->trigger();
    w.Menus().mnuUndo->trigger();
    EXPECT_EQ(w.Document().Frames(), start);
}

TEST_F(FramesTest, TheRowMenuIsTheFrameMenuForTheRowUnderTheMouse)
{
    frmEditer &w = LoadFrames();
    Activate();
    QLabel *label = w.Frames().RowLabel(3);
    ASSERT_NE(label, nullptr);
    QStringList shown;
    // The real menu opens; the user goes down to "上移" and presses Enter.
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu || !shown.isEmpty())
            return;
        for (QAction *a : menu->actions())
            if (!a->isSeparator())
                shown << a->text();
        for (int i = 0; i < 12 && (!menu->activeAction() ||
                                   menu->activeAction()->text() != QStringLiteral("上移"));
             ++i)
            QTest::keyClick(menu, Qt::Key_Down);
        QTest::keyClick(menu, Qt::Key_Return);
    });
    poll.start();
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(4, 4),
                            label->mapToGlobal(QPoint(4, 4)));
    QCoreApplication::sendEvent(label, &event);
    poll.stop();
    EXPECT_EQ(shown.size(), 7) << shown.join(u',');
    EXPECT_EQ(Urls(), (QStringList{QStringLiteral("f1.png"), QStringLiteral("f3.png"),
                                   QStringLiteral("f2.png")}));
    EXPECT_EQ(w.Controls().sldFrame->value(), 2);
}

/// Drops files onto the list where row `row`'s number is, as a file manager does: the number
/// takes no drops itself, so the list's panel under it gets them.
bool DropOnRowNumber(FrameList &list, int row, const QStringList &files)
{
    QMimeData data;
    QList<QUrl> urls;
    for (const QString &file : files)
        urls.append(QUrl::fromLocalFile(file));
    data.setUrls(urls);
    const QPoint at = list.RowLabel(row)->geometry().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(list.Inner(), &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(list.Inner(), &drop);
    return drop.isAccepted();
}

TEST_F(FramesTest, DroppingManyFilesOrAFolderFillsRowsFromTheOneUnderTheCursor)
{
    frmEditer &w = LoadFrames();
    const QString seq = WriteSequence(QStringLiteral("drop"), 3);
    const QStringList files = {seq + QStringLiteral("/n3.png"), seq + QStringLiteral("/n1.png"),
                               seq + QStringLiteral("/n2.png")};
    ASSERT_TRUE(DropOnRowNumber(w.Frames(), 2, files));
    EXPECT_EQ(Urls(),
              (QStringList{QStringLiteral("f1.png"), QStringLiteral("drop\\n1.png"),
                           QStringLiteral("drop\\n2.png"), QStringLiteral("drop\\n3.png")}));
    EXPECT_EQ(RowTexts(), Urls());
    EXPECT_EQ(w.Document().Frame(4)->aX, 80);
    EXPECT_EQ(w.Document().UndoStack()->count(), 1);

    // A folder onto the first row's number; the file in it that is no picture is named.
    folder.write(QStringLiteral("drop/readme.txt"), "x");
    prompts.messages.clear();
    ASSERT_TRUE(DropOnRowNumber(w.Frames(), 1, {seq}));
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messages[0].text.contains(QStringLiteral("readme.txt")));
    EXPECT_EQ(Urls().mid(0, 3),
              (QStringList{QStringLiteral("drop\\n1.png"), QStringLiteral("drop\\n2.png"),
                           QStringLiteral("drop\\n3.png")}));
    EXPECT_EQ(w.Document().FrameCount(), 4);

    // A path box keeps taking the first file only, and one file anywhere is no list fill.
    ASSERT_TRUE(DropFiles(*w.Frames().RowPath(4), {folder.file(QStringLiteral("f1.png")), seq}));
    EXPECT_EQ(Urls().last(), QStringLiteral("f1.png"));
    EXPECT_EQ(w.Document().Frame(4)->aX, 80);
    EXPECT_FALSE(DropOnRowNumber(w.Frames(), 1, {folder.file(QStringLiteral("f1.png"))}));
    EXPECT_EQ(w.Document().FrameCount(), 4);
}

TEST_F(FramesTest, TheRealDialogAnswersWithAFolderOrAPictureFile)
{
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    LoadFrames();
    const QString seq = WriteSequence(QStringLiteral("real"), 2);
    QtPrompts real;
    const DlgFTlist types = FrameImportTypes();
    FileDialogRequest request;
    request.kind = FileDialogKind::OpenFileOrFolder;
    request.types = &types;
    request.startFolder = folder.path();
    std::optional<FileDialogAnswer> answer;
    // Enter on a typed folder goes into it, as in every file dialog; typed again, the Open
    // button takes it.
    QString entered;
    AnswerModals([&] { answer = real.File(request); },
                 {[&](QWidget &d) {
                     auto &dialog = static_cast<QFileDialog &>(d);
                     ChooseInFileDialog(d, 1, QStringLiteral("real"));
                     entered = dialog.isVisible() ? dialog.directory().absolutePath() : QString();
                     QTest::keyClicks(QApplication::focusWidget(), seq);
                     QTest::mouseClick(dialog.findChild<QDialogButtonBox *>()->button(
                                           QDialogButtonBox::Open),
                                       Qt::LeftButton);
                 }});
    EXPECT_EQ(entered, QDir(seq).absolutePath());
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->path, QDir::toNativeSeparators(seq));
    // Enter on the folder picked in the list takes it as well.
    answer.reset();
    AnswerModals([&] { answer = real.File(request); },
                 {[&](QWidget &d) {
                     QAbstractItemView *view = nullptr; // the list or the details, as shown
                     for (auto *shown : d.findChildren<QAbstractItemView *>())
                         if (shown->isVisible() && shown->objectName().endsWith(u"View"))
                             view = shown;
                     ASSERT_NE(view, nullptr);
                     ASSERT_TRUE(QTest::qWaitFor(
                         [&] { return view->model()->rowCount(view->rootIndex()) > 0; }));
                     Focus(*view);
                     QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("real"));
                     QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
                 }});
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->path, QDir::toNativeSeparators(seq));
    // A picture file is one too.
    request.startFolder = seq;
    AnswerModals([&] { answer = real.File(request); },
                 {[](QWidget &d) { ChooseInFileDialog(d, 4, QStringLiteral("n2.png")); }});
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->path, QDir::toNativeSeparators(seq + QStringLiteral("/n2.png")));
    EXPECT_EQ(answer->filterIndex, 4);
    // An ordinary open dialog still goes into a folder instead of answering with it.
    request.kind = FileDialogKind::Open;
    request.startFolder = folder.path();
    const ModalRun run =
        AnswerModals([&] { answer = real.File(request); },
                     {[](QWidget &d) { ChooseInFileDialog(d, 1, QStringLiteral("real")); }});
    EXPECT_FALSE(answer);
    EXPECT_EQ(run.answered, 1);
}

TEST(RowsToActOn, PickedRowsOnlyWhenTheRowIsOneOfThem)
{
    EXPECT_EQ(RowsToActOn(3, {}), QList<int>{3});
    EXPECT_EQ(RowsToActOn(3, {3}), QList<int>{3});
    EXPECT_EQ(RowsToActOn(3, {1, 3, 4}), (QList<int>{1, 3, 4}));
    EXPECT_EQ(RowsToActOn(2, {1, 3, 4}), QList<int>{2});
}

} // namespace
} // namespace mrv::test
