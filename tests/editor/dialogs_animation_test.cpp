// The animated-picture export from the File menu: its options dialog driven by keys, the
// save dialog's own types, and the file it writes.

#include "widgets/qtprompts.h"

#include "editor/animationoptionsdialog.h"
#include "editor/exportmenu_fixture.h"
#include "editor/exportmenucommands.h"
#include "imaging/animationreader.h"
#include "modalscript.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QSpinBox>

namespace mrv::test {
namespace {

const QString AnimationDone = QStringLiteral("动画图片导出完成。");

/// In the options dialog: types the loop count over the proposed one, Tabs on to the area box
/// (Down picks the whole screen when asked), Tabs on to "循环播放" (Space ticks it when asked)
/// and presses Enter.
void AnswerOptions(QWidget &dialog, const QString &loops, bool screen, bool repeat)
{
    Focus(*dialog.findChild<QSpinBox *>(QStringLiteral("spnLoops")));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(QApplication::focusWidget(), loops);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    if (screen)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    if (repeat)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
}

TEST(AnimationOptionsDialog, KeysSetTheLoopsTheAreaAndRepeat)
{
    AnimationChoices chosen;
    AnimationOptionsDialog dialog({3, false, false});
    const ModalRun run = AnswerModals(
        [&] {
            if (dialog.exec() == QDialog::Accepted)
                chosen = dialog.Choices();
        },
        {[](QWidget &d) {
            // The loop box has the focus when the dialog opens.
            EXPECT_EQ(QApplication::focusWidget()->objectName(), QStringLiteral("spnLoops"));
            AnswerOptions(d, QStringLiteral("12"), true, true);
        }});
    EXPECT_EQ(run.answered, 1);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(chosen.loops, 12);
    EXPECT_TRUE(chosen.screen);
    EXPECT_TRUE(chosen.repeat);

    // A count out of range is not taken: the box keeps the number it can hold.
    AnimationOptionsDialog typed({3, false, false});
    AnswerModals([&] { typed.exec(); },
                 {[](QWidget &d) { AnswerOptions(d, QStringLiteral("999"), false, false); }});
    EXPECT_EQ(typed.result(), QDialog::Accepted);
    EXPECT_GE(typed.Choices().loops, 1);
    EXPECT_LE(typed.Choices().loops, 255);
    EXPECT_FALSE(typed.Choices().screen);

    AnimationOptionsDialog escaped({3, false, false});
    AnswerModals([&] { escaped.exec(); }, {[](QWidget &d) { PressKey(d, Qt::Key_Escape); }});
    EXPECT_EQ(escaped.result(), QDialog::Rejected);
}

using AnimationExportMenu = ExportMenuTest;

TEST_F(AnimationExportMenu, ExportsTheChosenTypeWithTheDialogsOptionsAndTheEditorsFrameTime)
{
    frmEditer &w = LoadProject(3);
    w.PlayTimer().SetFrameTime(50);
    ChooseFile(Out(QStringLiteral("anim")), 2);
    const ModalRun run =
        AnswerModals([&] { w.Menus().mnuExportAnimation->trigger(); },
                     {[](QWidget &d) { AnswerOptions(d, QStringLiteral("2"), false, true); }});
    EXPECT_EQ(run.answered, 1);
    EXPECT_EQ(run.unexpected, 0);

    ASSERT_EQ(prompts.files.size(), 1);
    const FileDialogRequest &dialog = prompts.files.first();
    EXPECT_EQ(dialog.title, QStringLiteral("选择保存的动画图片文件名"));
    ASSERT_NE(dialog.types, nullptr);
    ASSERT_EQ(dialog.types->Count(), 3);
    EXPECT_EQ(dialog.types->NameFilters().first(), QStringLiteral("GIF动画(*.gif) (*.gif)"));
    EXPECT_EQ(dialog.filterIndex, 0);
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages[0].text, AnimationDone);

    // Entry 2 is WebP: three frames start looping at frame 2, so 1, then 2-3 twice.
    EXPECT_EQ(OutFiles(), QStringList{QStringLiteral("anim.webp")});
    const Result<DecodedAnimation> read = ReadAnimation(Out(QStringLiteral("anim.webp")));
    ASSERT_TRUE(read) << read.message();
    ASSERT_EQ(read->frames.size(), 5);
    EXPECT_EQ(read->plays, 0);
    const int shows[] = {1, 2, 3, 2, 3};
    for (int f = 0; f < 5; ++f) {
        EXPECT_EQ(read->frames[f].delayMs, 50);
        EXPECT_EQ(read->frames[f].image.pixelColor(10, 10), FrameColour(shows[f])) << f;
        EXPECT_EQ(read->frames[f].image.pixelColor(150, 150), BackgroundColour);
    }
}

TEST_F(AnimationExportMenu, CancelledOptionsWriteNothingAndTheScreenAreaReplacesAConfirmedFile)
{
    frmEditer &w = LoadProject(2);
    ChooseFile(Out(QStringLiteral("anim.gif")), 1);
    AnswerModals([&] { w.Menus().mnuExportAnimation->trigger(); },
                 {[](QWidget &d) { PressKey(d, Qt::Key_Escape); }});
    EXPECT_TRUE(OutFiles().isEmpty());
    EXPECT_TRUE(prompts.messages.isEmpty());

    // The whole screen at the default width, over an older file the dialog asked about.
    QFile old(Out(QStringLiteral("anim.gif")));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.close();
    ChooseFile(Out(QStringLiteral("anim.gif")), 1);
    AnswerModals([&] { w.Menus().mnuExportAnimation->trigger(); },
                 {[](QWidget &d) { AnswerOptions(d, QStringLiteral("1"), true, false); }});
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages[0].text, AnimationDone);
    const Result<DecodedAnimation> read = ReadAnimation(Out(QStringLiteral("anim.gif")));
    ASSERT_TRUE(read) << read.message();
    EXPECT_EQ(read->frames.size(), 2);
    EXPECT_EQ(read->plays, 1);
    EXPECT_EQ(read->frames[0].image.size(), QSize(640, 480));
}

/// The editor with the real dialog adapter and Qt's own file dialog.
class AnimationExportRealDialogs : public ExportMenuTest
{
protected:
    void SetUp() override
    {
        ExportMenuTest::SetUp();
        QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    }
    void TearDown() override { window.reset(); }

    QtPrompts real;
};

TEST_F(AnimationExportRealDialogs, TheTypeChosenInTheSaveDialogDecidesTheFormat)
{
    const QString path = WriteProject(folder, QStringLiteral("anim"), 3);
    WritePicture(folder.file(QStringLiteral("bg.png")), {1024, 768}, BackgroundColour);
    for (int i = 1; i <= 3; ++i)
        WritePicture(folder.file(QStringLiteral("f%1.png").arg(i)), {40, 40}, FrameColour(i));
    window = std::make_unique<frmEditer>(settings, real);
    real.setParent(window.get());
    window->Form_Load({{path, path}});
    window->show();
    ExportMenuCommands::Install(*window);

    const ModalRun run =
        AnswerModals([&] { window->Menus().mnuExportAnimation->trigger(); },
                     {[](QWidget &d) { ChooseInFileDialog(d, 3, QStringLiteral("moving")); },
                      [](QWidget &d) { AnswerOptions(d, QStringLiteral("1"), false, false); },
                      [](QWidget &d) { PressKey(d, Qt::Key_Return); }});
    EXPECT_EQ(run.answered, 3);
    EXPECT_EQ(run.unexpected, 0);
    // Entry 3 is APNG, written with the .png extension.
    const QString written = folder.file(QStringLiteral("moving.png"));
    EXPECT_TRUE(IsAnimationFile(written));
    const Result<DecodedAnimation> read = ReadAnimation(written);
    ASSERT_TRUE(read) << read.message();
    EXPECT_EQ(read->frames.size(), 3);
}

} // namespace
} // namespace mrv::test
