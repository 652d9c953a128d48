#include "document/projectdocument.h"
#include "documentmirror.h"
#include "project/projectfile.h"
#include "support/pathrules.h"
#include "testsupport.h"

#include <QAction>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace mrv;
using mrv::test::DocumentMirror;
using mrv::test::ReadAll;
using mrv::test::TempFolder;

namespace {

/// A document holding a new project, as the New command leaves it.
std::unique_ptr<ProjectDocument> newDocument()
{
    auto document = std::make_unique<ProjectDocument>();
    auto project = std::make_unique<MVK>();
    project->AddNew();
    document->Reset(std::move(project));
    return document;
}

/// Types text into a box one keystroke at a time, as the editor passes each change on.
template <typename Set> void typeInto(QString text, const QString &keys, Set set)
{
    for (QChar key : keys) {
        text += key;
        set(text);
    }
}

QList<int> framesOf(const QSignalSpy &spy)
{
    QList<int> frames;
    for (const QList<QVariant> &call : spy)
        frames << call.at(0).toInt();
    return frames;
}

QList<QPair<int, int>> runsOf(const QSignalSpy &spy)
{
    QList<QPair<int, int>> runs;
    for (const QList<QVariant> &call : spy)
        runs << qMakePair(call.at(0).toInt(), call.at(1).toInt());
    return runs;
}

} // namespace

TEST(DocumentMerge, KeystrokesInOneBoxAndSessionMakeOneStep)
{
    auto document = newDocument();
    QUndoStack &stack = *document->UndoStack();
    const QString original = document->Project().aName;

    EditSession session = document->BeginEditSession();
    typeInto(original, QStringLiteral("abc"),
             [&](const QString &t) { document->SetName(t, session); });
    EXPECT_EQ(stack.count(), 1);
    EXPECT_EQ(document->Project().aName, original + QStringLiteral("abc"));

    // Leaving the box and coming back starts a second step.
    session = document->BeginEditSession();
    typeInto(document->Project().aName, QStringLiteral("d"),
             [&](const QString &t) { document->SetName(t, session); });
    EXPECT_EQ(stack.count(), 2);
    stack.undo();
    EXPECT_EQ(document->Project().aName, original + QStringLiteral("abc"));
    stack.undo();
    EXPECT_EQ(document->Project().aName, original);

    // Edits without a session, e.g. a browse or a drop, stay one step each.
    document->SetName(QStringLiteral("x"));
    document->SetName(QStringLiteral("xy"));
    EXPECT_EQ(stack.count(), 2);
}

TEST(DocumentMerge, AnotherFrameOrKindOrSessionDoesNotMerge)
{
    auto document = newDocument();
    QUndoStack &stack = *document->UndoStack();
    const EditSession session = document->BeginEditSession();
    document->SetFrameUrl(5, QStringLiteral("a"), session);
    document->SetFrameUrl(6, QStringLiteral("b"), session);
    document->SetFrameUrl(6, QStringLiteral("bc"), session);
    EXPECT_EQ(stack.count(), 2);
    document->SetFrameUrl(5, QStringLiteral("ab"), session); // frame 6 lies in between
    EXPECT_EQ(stack.count(), 3);
    document->SetBackgroundUrl(QStringLiteral("bg"), session);
    document->SetFrameUrl(5, QStringLiteral("abc"), session);
    EXPECT_EQ(stack.count(), 5);
    document->SetFrameUrl(5, QStringLiteral("abcd"), document->BeginEditSession());
    EXPECT_EQ(stack.count(), 6);
    EXPECT_EQ(stack.text(1), QStringLiteral("修改第 6 帧图片"));
}

TEST(DocumentMerge, TypingBackToTheOldTextLeavesNoStep)
{
    auto document = newDocument();
    QUndoStack &stack = *document->UndoStack();
    QSignalSpy modified(document.get(), &ProjectDocument::modifiedChanged);
    const QString original = document->Frame(3)->aURL;

    EditSession session = document->BeginEditSession();
    document->SetFrameUrl(3, original + u'x', session);
    EXPECT_TRUE(document->IsModified());
    document->SetFrameUrl(3, original, session);
    EXPECT_EQ(stack.count(), 0);
    EXPECT_FALSE(stack.canUndo());
    EXPECT_FALSE(document->IsModified());
    EXPECT_FALSE(document->Project().aChanged);
    EXPECT_EQ(modified.count(), 2);

    // With a step below it, only the no-op step goes.
    document->SetName(QStringLiteral("名"));
    session = document->BeginEditSession();
    document->SetScreenSize(800, 600, session);
    document->SetScreenSize(1024, 768, session);
    EXPECT_EQ(stack.count(), 1);
    EXPECT_EQ(stack.undoText(), QStringLiteral("修改工程名"));
}

TEST(DocumentMerge, AStepIsNotExtendedPastTheSavedState)
{
    TempFolder dir;
    auto document = newDocument();
    QUndoStack &stack = *document->UndoStack();
    const QString path = dir.file(QStringLiteral("p.mrv"));
    const EditSession session = document->BeginEditSession();
    document->SetName(QStringLiteral("ab"), session);
    ASSERT_TRUE(document->Save(path, false).ok());
    document->SetName(QStringLiteral("abc"), session);
    EXPECT_EQ(stack.count(), 2);
    EXPECT_TRUE(document->IsModified());
    stack.undo();
    EXPECT_FALSE(document->IsModified());
    EXPECT_EQ(document->Project().aName, QStringLiteral("ab"));
}

TEST(DocumentSteps, EachChangeNamesItsStepAndSameValuesPushNothing)
{
    auto document = newDocument();
    QUndoStack &stack = *document->UndoStack();
    std::unique_ptr<QAction> undo(stack.createUndoAction(nullptr, QStringLiteral("撤销")));
    std::unique_ptr<QAction> redo(stack.createRedoAction(nullptr, QStringLiteral("重做")));
    const std::vector<aImage> two{{QStringLiteral("a.png"), 0, 0}, {QStringLiteral("b.png"), 0, 0}};

    struct Case
    {
        std::function<bool()> change;
        QString text;
        bool setsAValue = true; ///< done again, it finds the value already set
    };
    const std::vector<Case> cases = {
        {[&] { return document->SetName(QStringLiteral("n")); }, QStringLiteral("修改工程名")},
        {[&] { return document->SetScreenSize(1280, 1024); }, QStringLiteral("修改屏幕尺寸")},
        {[&] { return document->SetBackgroundUrl(QStringLiteral("b.jpg")); },
         QStringLiteral("修改背景图片")},
        {[&] { return document->SetBackgroundOffset(3, -4); }, QStringLiteral("移动背景图片")},
        {[&] { return document->SetFrameUrl(5, QStringLiteral("f.png")); },
         QStringLiteral("修改第 5 帧图片")},
        {[&] { return document->SetFrameOffset(5, 1, 2); }, QStringLiteral("移动第 5 帧图片")},
        {[&] { return document->InsertFrames(2, two); }, QStringLiteral("插入帧"), false},
        {[&] {
             return document->RemoveFrames({1, 7});
         },
         QStringLiteral("删除帧"), false},
        {[&] { return document->MoveFrames({1}, 4); }, QStringLiteral("移动帧"), false},
        {[&] {
             return document->ReverseFrames({1, 2, 3});
         },
         QStringLiteral("反转帧顺序"), false},
        {[&] { return document->ReplaceFrames(two, QStringLiteral("导入长图动画")); },
         QStringLiteral("导入长图动画")},
    };
    for (const Case &c : cases) {
        const int before = stack.count();
        EXPECT_TRUE(c.change()) << c.text;
        EXPECT_EQ(stack.count(), before + 1) << c.text;
        EXPECT_EQ(undo->text(), QStringLiteral("撤销 ") + c.text);
        if (c.setsAValue) {
            EXPECT_FALSE(c.change()) << c.text;
            EXPECT_EQ(stack.count(), before + 1) << c.text;
        }
    }
    stack.undo();
    EXPECT_EQ(redo->text(), QStringLiteral("重做 导入长图动画"));

    // Out of range or empty requests push nothing either.
    const int steps = stack.index();
    EXPECT_FALSE(document->SetFrameUrl(0, QStringLiteral("x")));
    EXPECT_FALSE(document->SetFrameOffset(document->FrameCount() + 1, 1, 1));
    EXPECT_FALSE(document->SetScreenSize(0, 768));
    EXPECT_FALSE(document->SetScreenSize(1024, -1));
    EXPECT_FALSE(document->InsertFrames(document->FrameCount() + 2, two));
    EXPECT_FALSE(document->InsertFrames(1, {}));
    EXPECT_FALSE(document->RemoveFrames({0, 999}));
    EXPECT_FALSE(document->MoveFrames({2, 3}, 3));
    EXPECT_FALSE(document->MoveFrames({2}, 0));
    EXPECT_FALSE(document->ReverseFrames({4}));
    EXPECT_EQ(stack.index(), steps);
    EXPECT_TRUE(stack.canRedo());
}

TEST(DocumentSignals, EachStepNamesTheFramesItChanged)
{
    auto document = newDocument();
    QUndoStack &stack = *document->UndoStack();
    QSignalSpy changed(document.get(), &ProjectDocument::frameChanged);
    QSignalSpy inserted(document.get(), &ProjectDocument::framesInserted);
    QSignalSpy removed(document.get(), &ProjectDocument::framesRemoved);
    QSignalSpy reset(document.get(), &ProjectDocument::framesReset);
    QSignalSpy background(document.get(), &ProjectDocument::backgroundChanged);

    document->SetFrameUrl(5, QStringLiteral("x.png"));
    document->SetFrameOffset(7, 1, 1);
    stack.undo();
    stack.undo();
    EXPECT_EQ(framesOf(changed), (QList<int>{5, 7, 7, 5}));
    changed.clear();

    document->RemoveFrames({2, 3, 6});
    EXPECT_EQ(runsOf(removed), (QList<QPair<int, int>>{{6, 1}, {2, 2}}));
    stack.undo();
    EXPECT_EQ(runsOf(inserted), (QList<QPair<int, int>>{{2, 2}, {6, 1}}));
    EXPECT_EQ(document->Frame(6)->aURL, QStringLiteral("NewMRV\\005.png"));

    document->MoveFrames({1}, 4); // 2 3 1 4 ...: frames 1 to 3 change
    EXPECT_EQ(framesOf(changed), (QList<int>{1, 2, 3}));
    changed.clear();
    stack.undo();
    EXPECT_EQ(framesOf(changed), (QList<int>{1, 2, 3}));
    changed.clear();

    // A replacement of the same length announces the frames that differ; another length
    // resets the list.
    std::vector<aImage> frames = document->Frames();
    frames[9].aY = -200;
    document->ReplaceFrames(frames, QStringLiteral("替换全部帧"));
    EXPECT_EQ(framesOf(changed), (QList<int>{10}));
    frames.pop_back();
    document->ReplaceFrames(frames, QStringLiteral("替换全部帧"));
    EXPECT_EQ(reset.count(), 1);
    EXPECT_EQ(document->FrameCount(), 104);
    stack.undo();
    EXPECT_EQ(reset.count(), 2);
    EXPECT_EQ(document->FrameCount(), 105);

    EXPECT_EQ(background.count(), 0);
    document->SetBackgroundOffset(1, 2);
    stack.undo();
    EXPECT_EQ(background.count(), 2);
}

TEST(DocumentPaths, ResolvedPathsFollowEditsUndoAndRedo)
{
    TempFolder dir;
    auto document = newDocument();
    ASSERT_TRUE(document->Save(dir.file(QStringLiteral("p.mrv")), false).ok());
    QUndoStack &stack = *document->UndoStack();
    const QString folder = document->Project().aFileFolder;
    const QString frame3 = document->FramePaths()[2];
    EXPECT_EQ(frame3, ResolvePath(folder, QStringLiteral("NewMRV\\002.png")));

    document->SetFrameUrl(3, QStringLiteral("sub\\a.png"));
    EXPECT_EQ(document->FramePaths()[2], ResolvePath(folder, QStringLiteral("sub\\a.png")));
    document->SetBackgroundUrl(QStringLiteral("/abs/bg.png"));
    EXPECT_EQ(document->BackgroundPath(), QStringLiteral("/abs/bg.png"));
    document->InsertFrames(1, {{QStringLiteral("new.png"), 0, 0}});
    EXPECT_EQ(document->FramePaths()[0], ResolvePath(folder, QStringLiteral("new.png")));
    EXPECT_EQ(document->FramePaths()[3], ResolvePath(folder, QStringLiteral("sub\\a.png")));

    stack.undo();
    stack.undo();
    stack.undo();
    EXPECT_EQ(document->FramePaths()[2], frame3);
    EXPECT_EQ(document->BackgroundPath(),
              ResolvePath(folder, QStringLiteral("NewMRV\\Background.jpg")));
    stack.redo();
    EXPECT_EQ(document->FramePaths()[2], ResolvePath(folder, QStringLiteral("sub\\a.png")));
    EXPECT_EQ(document->FramePaths(), document->Project().FramePaths());
}

TEST(DocumentClean, ModifiedFollowsTheSavedStep)
{
    TempFolder dir;
    auto document = newDocument();
    QUndoStack &stack = *document->UndoStack();
    QSignalSpy modified(document.get(), &ProjectDocument::modifiedChanged);
    EXPECT_FALSE(document->IsModified());

    document->SetName(QStringLiteral("one"));
    EXPECT_TRUE(document->IsModified());
    EXPECT_TRUE(document->Project().aChanged);
    stack.undo();
    EXPECT_FALSE(document->IsModified());
    EXPECT_FALSE(document->Project().aChanged);
    stack.redo();
    EXPECT_TRUE(document->IsModified());
    EXPECT_EQ(modified.count(), 3);
    EXPECT_EQ(modified.at(1).at(0).toBool(), false);

    // Saved after two edits: undoing away from that step marks it again.
    document->SetName(QStringLiteral("two"));
    ASSERT_TRUE(document->Save(dir.file(QStringLiteral("p.mrv")), false).ok());
    EXPECT_FALSE(document->IsModified());
    EXPECT_EQ(stack.count(), 2);
    stack.undo();
    EXPECT_TRUE(document->IsModified());
    stack.redo();
    EXPECT_FALSE(document->IsModified());

    // Open, New and Revert forget the history.
    QSignalSpy reset(document.get(), &ProjectDocument::framesReset);
    document->SetName(QStringLiteral("three"));
    auto project = std::make_unique<MVK>();
    project->AddNew();
    document->Reset(std::move(project));
    EXPECT_EQ(stack.count(), 0);
    EXPECT_FALSE(document->IsModified());
    EXPECT_FALSE(modified.isEmpty());
    EXPECT_FALSE(modified.last().at(0).toBool());
    EXPECT_EQ(reset.count(), 1);
    EXPECT_EQ(document->FilePath(), QString());
}

TEST(DocumentClean, UndoneEditSavesTheOriginalName)
{
    TempFolder dir;
    auto document = newDocument();
    const QString path = dir.file(QStringLiteral("p.mrv"));
    ASSERT_TRUE(document->Save(path, false).ok());
    const QByteArray saved = ReadAll(path);

    const EditSession session = document->BeginEditSession();
    typeInto(document->Project().aName, QStringLiteral("改"),
             [&](const QString &t) { document->SetName(t, session); });
    document->UndoStack()->undo();
    EXPECT_FALSE(document->IsModified());
    ASSERT_TRUE(document->Save(path, false).ok());
    EXPECT_EQ(ReadAll(path), saved);
}

TEST(DocumentSave, AFailedSaveKeepsTheHistoryAndTheMark)
{
    TempFolder dir;
    auto document = newDocument();
    document->SetName(QStringLiteral("x"));
    EXPECT_FALSE(document->Save(dir.file(QStringLiteral("missing/p.mrv")), false).ok());
    EXPECT_TRUE(document->IsModified());
    EXPECT_EQ(document->UndoStack()->count(), 1);
    EXPECT_EQ(document->FilePath(), QString());
}

TEST(DocumentSave, SavingAsIntoAnotherFolderTakesTheRebasedPaths)
{
    TempFolder dir;
    auto document = newDocument();
    const QString first = dir.file(QStringLiteral("a/p.mrv"));
    const QString second = dir.file(QStringLiteral("b/q.mrv"));
    dir.write(QStringLiteral("b/keep"), {});

    // A new project's first file keeps its relative paths, which now resolve in that folder,
    // and keeps its history.
    document->SetFrameUrl(2, QStringLiteral("pics\\2.png"));
    dir.write(QStringLiteral("a/keep"), {});
    QSignalSpy filePath(document.get(), &ProjectDocument::filePathChanged);
    QSignalSpy changed(document.get(), &ProjectDocument::frameChanged);
    ASSERT_TRUE(document->Save(first, false).ok());
    EXPECT_EQ(filePath.count(), 1);
    EXPECT_EQ(changed.count(), 105); // every frame now resolves in the new folder
    EXPECT_EQ(document->FramePaths()[1],
              ResolvePath(dir.file(QStringLiteral("a")), QStringLiteral("pics\\2.png")));
    EXPECT_EQ(document->UndoStack()->count(), 1);

    // Into another folder: the model takes the paths as the new file stores them, naming the
    // same pictures, and the history written against the old folder goes.
    const QStringList pathsBefore = document->FramePaths();
    DocumentMirror mirror(*document);
    ASSERT_TRUE(document->Save(second, false).ok());
    MVK readBack;
    ASSERT_TRUE(readBack.OpenFile(second).ok());
    EXPECT_EQ(ProjectToBytes(document->Project(), false), ProjectToBytes(readBack, false));
    EXPECT_EQ(document->Project().aFileFolder, readBack.aFileFolder);
    EXPECT_EQ(document->FilePath(), second);
    EXPECT_EQ(document->FramePaths(), readBack.FramePaths());
    EXPECT_EQ(document->UndoStack()->count(), 0);
    EXPECT_FALSE(document->IsModified());
    EXPECT_EQ(document->FramePaths(), pathsBefore);
    EXPECT_EQ(mirror.Differences(), QString());
}
