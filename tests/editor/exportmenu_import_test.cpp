#include "widgets/editorpreview.h"
#include "editor/exportmenu_fixture.h"
#include "editor/framelist.h"
#include "support/pathrules.h"

#include <QDir>
#include <QFileInfo>

#include <QAction>
#include <QLineEdit>
#include <QTest>
#include <QUndoStack>

namespace mrv::test {
namespace {

const QString ImportPrompt = QStringLiteral("请输入批量X偏移，仅允许整数");
const QString RuleMessage = QStringLiteral("偏移参数不符合规则");

class ImportCommandTest : public ExportMenuTest
{
protected:
    /// A 200 x 600 strip inside the project folder.
    QString WriteStrip(const QString &name = QStringLiteral("art/strip.png"))
    {
        QDir().mkpath(QFileInfo(folder.file(name)).absolutePath());
        return WritePicture(folder.file(name), {200, 600}, Qt::red);
    }

    void Import(frmEditer &w, const QString &strip, std::optional<QString> offset)
    {
        ChooseFile(strip, 1);
        prompts.answerInput(std::move(offset));
        w.Menus().mnuImportLongPic->trigger();
    }

    /// The frames' offsets and paths as they stand, for comparing before and after.
    static QList<aImage> Frames(const MVK &project)
    {
        QList<aImage> frames;
        for (const aImage &frame : project.aFrame)
            frames.append(frame);
        return frames;
    }
};

TEST_F(ImportCommandTest, EveryFrameGetsTheStripItsCellAndTheTypedX)
{
    frmEditer &w = LoadProject(12);
    const QString strip = WriteStrip();
    Import(w, strip, QStringLiteral("-15"));

    ASSERT_EQ(prompts.files.size(), 1);
    const FileDialogRequest &dialog = prompts.files.first();
    EXPECT_EQ(dialog.kind, FileDialogKind::Open);
    EXPECT_EQ(dialog.title, QStringLiteral("选择图片文件"));
    EXPECT_EQ(dialog.types, &settings.ImageTypes);
    EXPECT_EQ(dialog.filterIndex, 1);
    ASSERT_EQ(prompts.inputs.size(), 1);
    EXPECT_EQ(prompts.inputs[0].prompt, ImportPrompt);
    EXPECT_EQ(prompts.inputs[0].title, QStringLiteral("导入动画长图"));
    EXPECT_EQ(prompts.inputs[0].initialText, QStringLiteral("0"));
    EXPECT_TRUE(prompts.messages.isEmpty()); // unchanged project: no question, no message

    const MVK &project = *w.CurrentProject();
    // Stored relative to the project folder, naming the strip.
    const QString stored = project.aFrame.Item(1)->aURL;
    EXPECT_FALSE(IsAbsolutePath(stored)) << stored;
    EXPECT_TRUE(stored.startsWith(QStringLiteral("art"))) << stored;
    const QString canonicalStrip = QFileInfo(strip).canonicalFilePath();
    for (int i = 1; i <= 12; ++i) {
        const aImage &frame = *project.aFrame.Item(i);
        EXPECT_EQ(frame.aURL, stored);
        EXPECT_EQ(frame.aX, -15);
        EXPECT_EQ(frame.aY, 200 - i * 200);
        EXPECT_EQ(w.Frames().RowText(i), stored);
        EXPECT_EQ(QFileInfo(w.FramePaths().at(i - 1)).canonicalFilePath(), canonicalStrip);
    }
    EXPECT_TRUE(project.aChanged);
    EXPECT_TRUE(w.windowTitle().endsWith(u'*')) << w.windowTitle();
    // The background and the size stay as they were.
    EXPECT_EQ(project.aBackground->aURL, QStringLiteral("bg.png"));
    EXPECT_EQ(project.aWidth, 1024);
}

TEST_F(ImportCommandTest, ImportIsOneStepThatUndoTakesBackByteForByte)
{
    frmEditer &w = LoadProject(5);
    const QString projectFile = w.CurrentProject()->aFilePath;
    const QByteArray saved = ReadAll(projectFile);
    Import(w, WriteStrip(), QStringLiteral("-15"));
    QUndoStack &stack = *w.Document().UndoStack();
    EXPECT_EQ(stack.count(), 1);
    EXPECT_EQ(w.Menus().mnuUndo->text(), QStringLiteral("撤销 导入长图动画"));

    QApplication::setActiveWindow(&w);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    w.Controls().txtProjectName->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(w.Frames().RowText(3), QStringLiteral("f3.png"));
    EXPECT_EQ(w.FramePaths().at(2), folder.file(QStringLiteral("f3.png")));
    EXPECT_FALSE(w.windowTitle().endsWith(u'*'));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(ReadAll(projectFile), saved);

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(w.CurrentProject()->aFrame.Item(5)->aY, -800);
    EXPECT_EQ(w.Frames().RowText(5), w.CurrentProject()->aFrame.Item(5)->aURL);
}

TEST_F(ImportCommandTest, StripOutsideTheFolderIsStoredInFullAndWideProjectsProposeTheirX)
{
    frmEditer &w = LoadProject(3, 2048, 1536);
    TempFolder elsewhere;
    const QString strip = WritePicture(elsewhere.file(QStringLiteral("strip.png")), {200, 600},
                                       Qt::red);
    Import(w, strip, QStringLiteral("100"));
    EXPECT_EQ(prompts.inputs.at(0).initialText, QStringLiteral("100"));
    EXPECT_EQ(w.CurrentProject()->aFrame.Item(3)->aURL, strip);
    EXPECT_EQ(w.CurrentProject()->aFrame.Item(3)->aX, 100);
    EXPECT_EQ(w.CurrentProject()->aFrame.Item(3)->aY, -400);
}

TEST_F(ImportCommandTest, OffsetsOutsideTheRulesChangeNothing)
{
    frmEditer &w = LoadProject(3);
    const QString strip = WriteStrip();
    const QList<aImage> before = Frames(*w.CurrentProject());
    for (const QString &bad : {QStringLiteral("+15"), QStringLiteral("1.5"), QStringLiteral(" 15"),
                               QString(), QStringLiteral("40000")}) {
        prompts.messages.clear();
        Import(w, strip, bad);
        ASSERT_EQ(prompts.messages.size(), 1) << bad;
        EXPECT_TRUE(prompts.messages[0].text.startsWith(RuleMessage)) << bad;
        EXPECT_EQ(prompts.messages[0].icon, MsgIcon::None);
        EXPECT_EQ(Frames(*w.CurrentProject()), before) << bad;
        EXPECT_FALSE(w.CurrentProject()->aChanged) << bad;
    }
    EXPECT_EQ(w.Frames().RowText(1), QStringLiteral("f1.png"));

    // A cancelled box: nothing changes and nothing is said.
    prompts.messages.clear();
    Import(w, strip, std::nullopt);
    EXPECT_TRUE(prompts.messages.isEmpty());
    EXPECT_EQ(Frames(*w.CurrentProject()), before);
}

TEST_F(ImportCommandTest, UnsavedChangesAreAskedAbout)
{
    frmEditer &w = LoadProject(3);
    const QString strip = WriteStrip();
    const QString projectFile = w.CurrentProject()->aFilePath;
    const QByteArray saved = ReadAll(projectFile);
    w.Controls().txtProjectName->setText(QStringLiteral("renamed"));
    ASSERT_TRUE(w.CurrentProject()->aChanged);

    // Cancel: nothing is asked after the question and nothing changes.
    prompts.answerMessage(MsgAnswer::Cancel);
    w.Menus().mnuImportLongPic->trigger();
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages[0].text, QStringLiteral("你的文件修改了没有保存，是否保存"));
    EXPECT_EQ(prompts.messages[0].title, QStringLiteral("提示"));
    EXPECT_EQ(prompts.messages[0].defaultButton, MsgAnswer::Cancel);
    EXPECT_TRUE(prompts.files.isEmpty());

    // No: imports without saving.
    prompts.answerMessage(MsgAnswer::No);
    Import(w, strip, QStringLiteral("0"));
    EXPECT_EQ(ReadAll(projectFile), saved);
    EXPECT_EQ(w.CurrentProject()->aFrame.Item(2)->aY, -200);

    // Yes: saves first, then imports.
    prompts.answerMessage(MsgAnswer::Yes);
    Import(w, strip, QStringLiteral("7"));
    EXPECT_NE(ReadAll(projectFile), saved);
    EXPECT_TRUE(ReadAll(projectFile).contains("renamed"));
    EXPECT_EQ(w.CurrentProject()->aFrame.Item(1)->aX, 7);
}

TEST_F(ImportCommandTest, YesThenACancelledSaveAsStopsAndKeepsTheChanges)
{
    frmEditer &w = Load(); // a new project has no file: saving asks where
    ExportMenuCommands::Install(w.Context());
    w.Controls().txtProjectName->setText(QStringLiteral("mine"));
    const QList<aImage> before = Frames(*w.CurrentProject());
    prompts.answerMessage(MsgAnswer::Yes);
    // The Save As dialog gets no answer: cancelled.
    w.Menus().mnuImportLongPic->trigger();
    ASSERT_EQ(prompts.files.size(), 1);
    EXPECT_EQ(prompts.files[0].title, QStringLiteral("选择工程保存位置"));
    EXPECT_TRUE(prompts.inputs.isEmpty());
    EXPECT_TRUE(w.CurrentProject()->aChanged);
    EXPECT_EQ(w.CurrentProject()->aName, QStringLiteral("mine"));
    EXPECT_EQ(Frames(*w.CurrentProject()), before);
}

TEST_F(ImportCommandTest, MoreFramesThanOffsetsCanReachIsRefusedBeforeAnything)
{
    frmEditer &w = LoadProject(165);
    w.Menus().mnuImportLongPic->trigger();
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages[0].icon, MsgIcon::Error);
    EXPECT_TRUE(prompts.messages[0].text.contains(QStringLiteral("165")));
    EXPECT_TRUE(prompts.files.isEmpty());
    EXPECT_FALSE(w.CurrentProject()->aChanged);
}

} // namespace
} // namespace mrv::test
