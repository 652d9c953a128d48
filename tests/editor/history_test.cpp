#include "editing_fixture.h"
#include "editor/frmsetting.h"
#include "modal.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QUndoStack>

namespace mrv::test {
namespace {

QByteArray FileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class HistoryTest : public EditingTest
{
protected:
    frmEditer &LoadActive()
    {
        frmEditer &w = LoadPictures();
        Activate();
        return w;
    }

    /// Clicks into the box as a user would (it takes the focus) and puts the cursor at the end.
    void ClickInto(QWidget &box)
    {
        QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(5, box.height() / 2));
        ASSERT_TRUE(QApplication::focusWidget() == &box ||
                    box.isAncestorOf(QApplication::focusWidget()));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_End);
    }

    static void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier)
    {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }

    static void Type(const QString &text) { QTest::keyClicks(QApplication::focusWidget(), text); }

    bool Marked() const { return window->windowTitle().endsWith(u'*'); }
    QUndoStack &Stack() { return *window->Document().UndoStack(); }
};

TEST_F(HistoryTest, TypedNameIsOneStepThatCtrlZAndCtrlYTakeBackAndBringBack)
{
    frmEditer &w = LoadActive();
    QLineEdit &name = *w.Controls().txtProjectName;
    ClickInto(name);
    Type(QStringLiteral("xyz"));
    EXPECT_EQ(w.CurrentProject()->aName, QStringLiteral("animxyz"));
    EXPECT_EQ(Stack().count(), 1); // three keys, one step
    EXPECT_TRUE(Marked());
    EXPECT_EQ(w.Menus().mnuUndo->text(), QStringLiteral("撤销 修改工程名"));
    EXPECT_EQ(w.Menus().mnuRedo->text(), QStringLiteral("重做(&R)"));
    EXPECT_FALSE(w.Menus().mnuRedo->isEnabled());

    Press(Qt::Key_Z); // from the box that has the focus
    EXPECT_EQ(w.CurrentProject()->aName, QStringLiteral("anim"));
    EXPECT_EQ(name.text(), QStringLiteral("anim"));
    EXPECT_FALSE(Marked()) << w.windowTitle().toStdString();
    EXPECT_EQ(Stack().count(), 1); // showing the old name pushed nothing
    EXPECT_EQ(w.Menus().mnuUndo->text(), QStringLiteral("撤销(&U)"));
    EXPECT_FALSE(w.Menus().mnuUndo->isEnabled());
    EXPECT_EQ(w.Menus().mnuRedo->text(), QStringLiteral("重做 修改工程名"));

    // Nothing left to undo: the box must not fall back on a history of its own.
    Press(Qt::Key_Z);
    EXPECT_EQ(name.text(), QStringLiteral("anim"));

    Press(Qt::Key_Y);
    EXPECT_EQ(w.CurrentProject()->aName, QStringLiteral("animxyz"));
    EXPECT_EQ(name.text(), QStringLiteral("animxyz"));
    EXPECT_TRUE(Marked());
    Press(Qt::Key_Z);
    Press(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(name.text(), QStringLiteral("animxyz"));

    // The box losing and getting the focus again starts a new step.
    ClickInto(*w.Controls().txtBackground);
    ClickInto(name);
    Type(QStringLiteral("!"));
    EXPECT_EQ(Stack().count(), 2);
    Press(Qt::Key_Z);
    EXPECT_EQ(name.text(), QStringLiteral("animxyz"));
}

TEST_F(HistoryTest, UndoInAFramePathBoxTakesBackTheDocumentStepAndThePreviewFollows)
{
    frmEditer &w = LoadActive();
    w.Controls().sldFrame->setValue(2);
    ASSERT_EQ(ShownFrameColour(), Yellow);
    QLineEdit *row = w.Frames().RowPath(2);
    ASSERT_NE(row, nullptr);
    ClickInto(*row);
    Press(Qt::Key_Backspace, Qt::NoModifier);
    Press(Qt::Key_Backspace, Qt::NoModifier);
    Press(Qt::Key_Backspace, Qt::NoModifier);
    Press(Qt::Key_Backspace, Qt::NoModifier);
    Press(Qt::Key_Backspace, Qt::NoModifier);
    Type(QStringLiteral("3.png"));
    EXPECT_EQ(w.CurrentProject()->aFrame.Item(2)->aURL, QStringLiteral("f3.png"));
    EXPECT_EQ(ShownFrameColour(), Magenta);
    EXPECT_EQ(Stack().count(), 1);
    EXPECT_EQ(w.Menus().mnuUndo->text(), QStringLiteral("撤销 修改第 2 帧图片"));

    Press(Qt::Key_Z);
    EXPECT_EQ(w.CurrentProject()->aFrame.Item(2)->aURL, QStringLiteral("f2.png"));
    EXPECT_EQ(w.Frames().RowText(2), QStringLiteral("f2.png"));
    EXPECT_EQ(row->text(), QStringLiteral("f2.png"));
    EXPECT_EQ(w.FramePaths().at(1), folder.file(QStringLiteral("f2.png")));
    EXPECT_EQ(ShownFrameColour(), Yellow);
    EXPECT_TRUE(w.Frames().RowProblem(2).isEmpty());
    EXPECT_FALSE(Marked());

    Press(Qt::Key_Y);
    EXPECT_EQ(row->text(), QStringLiteral("f3.png"));
    EXPECT_EQ(ShownFrameColour(), Magenta);
}

TEST_F(HistoryTest, OffsetDialogSaveIsOneStepCancelIsNone)
{
    frmEditer &w = LoadActive();
    w.Controls().sldFrame->setValue(2);
    const auto editOffset = [&](const QString &x, bool save) {
        return WithModal([&] { w.Frames().RowSetting(2)->click(); },
                         [&](QWidget &modal) {
                             auto *dialog = qobject_cast<frmSetting *>(&modal);
                             ASSERT_NE(dialog, nullptr);
                             dialog->TxtX().setText(x);
                             dialog->TxtY().setText(QStringLiteral("5"));
                             (save ? dialog->CmdSave() : dialog->CmdCancel()).click();
                         });
    };
    ASSERT_TRUE(editOffset(QStringLiteral("40"), false));
    EXPECT_EQ(Stack().count(), 0);
    EXPECT_EQ(w.CurrentProject()->aFrame.Item(2)->aX, 0);
    EXPECT_FALSE(Marked());

    ASSERT_TRUE(editOffset(QStringLiteral("40"), true));
    EXPECT_EQ(Stack().count(), 1); // the live preview while typing pushed nothing
    EXPECT_EQ(w.CurrentProject()->aFrame.Item(2)->aX, 40);
    EXPECT_EQ(w.CurrentProject()->aFrame.Item(2)->aY, 5);
    EXPECT_EQ(w.Menus().mnuUndo->text(), QStringLiteral("撤销 移动第 2 帧图片"));
    EXPECT_TRUE(Marked());

    w.Menus().mnuUndo->trigger();
    EXPECT_EQ(w.CurrentProject()->aFrame.Item(2)->aX, 0);
    EXPECT_EQ(w.CurrentProject()->aFrame.Item(2)->aY, 0);
    EXPECT_FALSE(Marked());
}

TEST_F(HistoryTest, SaveThenEditThenUndoThenSaveWritesTheSavedFile)
{
    frmEditer &w = LoadActive();
    ClickInto(*w.Controls().txtProjectName);
    Type(QStringLiteral("2"));
    Press(Qt::Key_S);
    ASSERT_FALSE(Marked());
    const QByteArray saved = FileBytes(projectPath);
    ASSERT_TRUE(saved.contains("anim2"));

    Type(QStringLiteral("3"));
    ClickInto(*w.Controls().txtBackground);
    Type(QStringLiteral("x"));
    EXPECT_TRUE(Marked());
    Press(Qt::Key_Z);
    EXPECT_TRUE(Marked()); // the name is still edited
    Press(Qt::Key_Z);
    EXPECT_FALSE(Marked()); // back at the saved state
    Press(Qt::Key_S);
    EXPECT_EQ(FileBytes(projectPath), saved);

    // Undoing past the saved state marks the project again.
    Press(Qt::Key_Z);
    EXPECT_EQ(w.CurrentProject()->aName, QStringLiteral("anim"));
    EXPECT_TRUE(Marked());
}

TEST_F(HistoryTest, NewOpenAndRevertForgetTheHistory)
{
    frmEditer &w = LoadActive();
    ClickInto(*w.Controls().txtProjectName);
    Type(QStringLiteral("2"));
    prompts.answerMessage(MsgAnswer::No); // do not save the changes
    Press(Qt::Key_N);
    EXPECT_EQ(Stack().count(), 0);
    EXPECT_FALSE(w.Menus().mnuUndo->isEnabled());
    EXPECT_FALSE(Marked());

    ClickInto(*w.Controls().txtProjectName);
    Type(QStringLiteral("2"));
    prompts.answerMessage(MsgAnswer::No);
    FileDialogAnswer chosen;
    chosen.path = projectPath;
    chosen.filterIndex = 1;
    prompts.answerFile(chosen);
    Press(Qt::Key_O);
    EXPECT_EQ(w.CurrentProject()->aFilePath, projectPath);
    EXPECT_EQ(Stack().count(), 0);
    EXPECT_FALSE(Marked());

    ClickInto(*w.Controls().txtProjectName);
    Type(QStringLiteral("2"));
    prompts.answerMessage(MsgAnswer::Yes); // revert
    Press(Qt::Key_B);
    EXPECT_EQ(w.CurrentProject()->aName, QStringLiteral("anim"));
    EXPECT_EQ(Stack().count(), 0);
    EXPECT_FALSE(Marked());
}

TEST_F(HistoryTest, WithNothingToUndoCtrlZLeavesTheBoxAlone)
{
    frmEditer &w = LoadActive();
    QComboBox &box = *w.Controls().comScreenScale;
    ClickInto(box);
    Type(QStringLiteral("*")); // names no size: no step, but the box would remember it
    ASSERT_EQ(box.currentText(), QStringLiteral("1024*768*"));
    ASSERT_EQ(Stack().count(), 0);
    Press(Qt::Key_Z);
    EXPECT_EQ(box.currentText(), QStringLiteral("1024*768*"));
    Press(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    Press(Qt::Key_Y);
    EXPECT_EQ(box.currentText(), QStringLiteral("1024*768*"));
}

TEST_F(HistoryTest, ScreenSizeTypedAndUndoneResizesThePreviewBack)
{
    frmEditer &w = LoadActive();
    const QSize before = w.Controls().picBG->size();
    QComboBox &box = *w.Controls().comScreenScale;
    ClickInto(box);
    for (int i = 0; i < 8; ++i)
        Press(Qt::Key_Backspace, Qt::NoModifier);
    Type(QStringLiteral("800*800"));
    EXPECT_EQ(w.CurrentProject()->aWidth, 800);
    EXPECT_EQ(w.CurrentProject()->aHeight, 800);
    EXPECT_NE(w.Controls().picBG->size(), before);
    Press(Qt::Key_Z);
    EXPECT_EQ(w.CurrentProject()->aWidth, 1024);
    EXPECT_EQ(w.CurrentProject()->aHeight, 768);
    EXPECT_EQ(box.currentText(), QStringLiteral("1024*768"));
    EXPECT_EQ(w.Controls().picBG->size(), before);
    EXPECT_FALSE(Marked());
}

} // namespace
} // namespace mrv::test
