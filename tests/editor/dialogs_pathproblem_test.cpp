// A path box whose picture cannot be read says so: a warning colour and the reason as tool
// tip, kept per frame while the list hands its row widgets around.

#include "editor/pathproblem.h"

#include "editing_fixture.h"
#include "editor/frmediter.h"
#include "modalscript.h"

#include <QLineEdit>
#include <QScrollBar>
#include <QTest>

namespace mrv::test {
namespace {

const QString Missing = QStringLiteral("找不到这个文件");

bool Marked(const QLineEdit &box)
{
    return box.palette().color(QPalette::Base) == PathProblemColour();
}

/// Clicks the box and types the text over what it held, as a user does.
void TypeInto(QLineEdit &box, const QString &text)
{
    Focus(*box.window());
    QTest::mouseClick(&box, Qt::LeftButton);
    QWidget *focused = QApplication::focusWidget();
    ASSERT_EQ(focused, &box);
    QTest::keyClick(focused, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(focused, text);
}

TEST(PathBoxProblem, NamesWhyThePictureCannotBeRead)
{
    TempFolder folder;
    const QString png = WritePicture(folder.file(QStringLiteral("a.png")), {4, 4}, Qt::red);
    const QString text = folder.write(QStringLiteral("notes.png"), "just some words");
    EXPECT_EQ(PathBoxProblem(folder.path(), QStringLiteral("a.png"), png), QString());
    EXPECT_EQ(PathBoxProblem(folder.path(), QString(), QString()), QString()) << "no picture named";
    EXPECT_EQ(PathBoxProblem(folder.path(), QStringLiteral("b.png"),
                             folder.file(QStringLiteral("b.png"))),
              Missing);
    EXPECT_EQ(PathBoxProblem(folder.path(), QStringLiteral("notes.png"), text),
              QStringLiteral("不是可以读取的图片：格式不支持，或内容不是图片"));
    EXPECT_EQ(PathBoxProblem(QString(), folder.path(), folder.path()),
              QStringLiteral("这是文件夹，不是图片文件"));
    // Without a project folder a relative path names nothing, wherever it would resolve.
    const QString relative =
        QStringLiteral("相对路径从工程文件所在的文件夹算起：请先保存工程，或填写完整路径");
    EXPECT_EQ(PathBoxProblem(QString(), QStringLiteral("tmp/a.png"), QStringLiteral("/tmp/a.png")),
              relative);
    EXPECT_EQ(PathBoxProblem(QString(), QStringLiteral("a.png"), QStringLiteral("a.png")),
              relative);
    EXPECT_EQ(PathBoxProblem(QString(), png, png), QString());
}

using PathProblems = EditingTest;

TEST_F(PathProblems, TypedPathsThatCannotBeReadAreMarkedWithTheReason)
{
    frmEditer &w = LoadPictures();
    QLineEdit &row1 = *w.Frames().RowPath(1);
    EXPECT_FALSE(Marked(row1));

    TypeInto(row1, QStringLiteral("f9.png"));
    EXPECT_TRUE(Marked(row1));
    EXPECT_EQ(row1.toolTip(), Missing);
    EXPECT_EQ(w.Frames().RowProblem(1), Missing);

    // A file whose head says PNG but whose data breaks off.
    QByteArray broken = ReadAll(folder.file(QStringLiteral("f1.png")));
    broken.truncate(60);
    folder.write(QStringLiteral("broken.png"), broken);
    TypeInto(row1, QStringLiteral("broken.png"));
    EXPECT_EQ(row1.toolTip(), UndecodableProblem());

    TypeInto(row1, QStringLiteral("f3.png"));
    EXPECT_FALSE(Marked(row1));
    EXPECT_EQ(row1.toolTip(), QStringLiteral("f3.png")); // unmarked, the whole path
    EXPECT_EQ(ShownFrameColour(), Magenta);

    QLineEdit &background = *w.Controls().txtBackground;
    TypeInto(background, QStringLiteral("nothing.jpg"));
    EXPECT_TRUE(Marked(background));
    EXPECT_EQ(background.toolTip(), Missing);
    TypeInto(background, QStringLiteral("bg.png"));
    EXPECT_FALSE(Marked(background));
}

TEST_F(PathProblems, TheMarkStaysWithItsFrameWhileRowsScroll)
{
    // Only f1..f3 exist: frames 4..40 name missing files from the start.
    frmEditer &w = LoadPictures(40);
    FrameList &frames = w.Frames();
    EXPECT_EQ(frames.RowProblem(3), QString());
    EXPECT_EQ(frames.RowProblem(4), Missing);
    TypeInto(*frames.RowPath(2), QStringLiteral("gone.png"));

    const auto expectMarksFollowFrames = [&] {
        int checked = 0;
        for (int i = 1; i <= frames.RowCount(); ++i) {
            const QLineEdit *box = frames.RowPath(i);
            if (!box)
                continue;
            ++checked;
            const bool problem = i == 2 || i >= 4;
            EXPECT_EQ(Marked(*box), problem) << "row " << i;
            EXPECT_EQ(box->toolTip() == Missing, problem) << "row " << i;
        }
        EXPECT_GT(checked, 3);
    };
    expectMarksFollowFrames();
    // A row holding the focus keeps its widgets; elsewhere, row 2's go to another row.
    w.Controls().txtProjectName->setFocus();
    frames.ScrollBar()->setValue(frames.ScrollBar()->maximum());
    ASSERT_EQ(frames.RowPath(2), nullptr) << "row 2's widgets went to another row";
    expectMarksFollowFrames();
    frames.ScrollBar()->setValue(frames.ScrollBar()->minimum());
    expectMarksFollowFrames();

    // A project shown afresh is judged afresh.
    w.Commands().Save();
    prompts.answerMessage(MsgAnswer::Yes);
    ASSERT_TRUE(w.Commands().Revert());
    EXPECT_EQ(frames.RowProblem(2), Missing);
    EXPECT_EQ(frames.RowProblem(1), QString());
    EXPECT_FALSE(Marked(*frames.RowPath(1)));
}

TEST_F(PathProblems, ARelativePathTypedIntoAProjectWithoutAFolderIsMarked)
{
    frmEditer &w = LoadPictures();
    w.Commands().New();
    ASSERT_TRUE(w.CurrentProject()->aFileFolder.isEmpty());
    // A fresh project's placeholder paths are not flagged (nor left marked from the last one);
    // what the user types is.
    EXPECT_FALSE(Marked(*w.Controls().txtBackground));
    QLineEdit &row1 = *w.Frames().RowPath(1);
    EXPECT_FALSE(Marked(row1));
    EXPECT_FALSE(Marked(*w.Frames().RowPath(2)));
    TypeInto(row1, folder.file(QStringLiteral("f2.png")));
    EXPECT_FALSE(Marked(row1));
    TypeInto(row1, QStringLiteral("f2.png"));
    EXPECT_TRUE(Marked(row1));
    EXPECT_TRUE(row1.toolTip().startsWith(QStringLiteral("相对路径"))) << row1.toolTip();
}

} // namespace
} // namespace mrv::test
