#include "document/projectdocument.h"
#include "documentmirror.h"
#include "project/projectfile.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <array>
#include <map>
#include <random>

using namespace mrv;
using mrv::test::DocumentMirror;
using mrv::test::ReadAll;
using mrv::test::TempFolder;

namespace {

/// Everything an undo step must bring back: the file text and the resolved paths.
struct State
{
    QByteArray bytes;
    QString backgroundPath;
    QStringList framePaths;
    bool operator==(const State &) const = default;
};

State stateOf(const ProjectDocument &document)
{
    return {ProjectToBytes(document.Project(), false), document.BackgroundPath(),
            document.FramePaths()};
}

enum Kind
{
    Name,
    ScreenSize,
    BackgroundUrl,
    BackgroundOffset,
    FrameUrl,
    FrameOffset,
    Replace,
    Insert,
    Remove,
    Move,
    Reverse,
    KindCount
};

/// Drives a document with random edits, the way a user types, browses and rearranges.
class RandomEditor
{
public:
    RandomEditor(ProjectDocument &document, const QString &folder, unsigned seed)
        : m_document(document), m_folder(folder), m_rng(seed)
    {}

    /// One random edit; counts the kinds that changed the project.
    void Edit()
    {
        const Kind kind = Kind(pick(0, KindCount - 1));
        if (apply(kind))
            ++changed[size_t(kind)];
    }

    std::array<int, KindCount> changed{};
    int merged = 0;

private:
    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_rng); }
    qint16 offset() { return qint16(pick(-32768, 32767)); }
    int frame() { return pick(1, m_document.FrameCount()); }

    QString url()
    {
        switch (pick(0, 3)) {
        case 0:
            return QStringLiteral("NewMRV\\%1.png").arg(pick(0, 300), 3, 10, QChar(u'0'));
        case 1:
            return m_folder + QStringLiteral("/inside/帧%1.png").arg(pick(0, 50));
        case 2:
            return QStringLiteral("/elsewhere/%1.jpg").arg(pick(0, 50));
        default:
            return QStringLiteral("相对\\图 %1.bmp").arg(pick(0, 50));
        }
    }

    aImage image() { return {url(), offset(), offset()}; }

    QList<int> selection()
    {
        QList<int> frames;
        for (int n = pick(1, 4); n > 0; --n)
            frames << frame();
        return frames;
    }

    /// Keystrokes into one box: appends, backspaces and now and then a return to the text
    /// the box began with, so merged steps and obsolete steps both occur.
    template <typename Set> bool type(QString text, Set set)
    {
        const QString original = text;
        const EditSession session = m_document.BeginEditSession();
        const int stepsBefore = m_document.UndoStack()->count();
        bool any = false;
        for (int key = pick(1, 6); key > 0; --key) {
            const int what = pick(0, 9);
            if (what < 6)
                text += QChar(u"ab帧\\/1"[pick(0, 5)]);
            else if (what < 9)
                text.chop(1);
            else
                text = original;
            any = set(text, session) || any;
        }
        if (m_document.UndoStack()->count() <= stepsBefore)
            ++merged; // every keystroke went into one step, or the step became obsolete
        return any;
    }

    bool apply(Kind kind)
    {
        ProjectDocument &d = m_document;
        switch (kind) {
        case Name:
            return type(d.Project().aName,
                        [&](const QString &t, EditSession s) { return d.SetName(t, s); });
        case ScreenSize: {
            const EditSession session = d.BeginEditSession();
            bool any = false;
            for (int key = pick(1, 3); key > 0; --key)
                any = d.SetScreenSize(qint16(pick(1, 4000)), qint16(pick(1, 4000)), session) || any;
            return any;
        }
        case BackgroundUrl:
            return type(d.Project().aBackground->aURL,
                        [&](const QString &t, EditSession s) { return d.SetBackgroundUrl(t, s); });
        case BackgroundOffset:
            return d.SetBackgroundOffset(offset(), offset());
        case FrameUrl: {
            if (pick(0, 2) == 0)
                return d.SetFrameUrl(frame(), url());
            const int f = frame();
            return type(d.Frame(f)->aURL,
                        [&](const QString &t, EditSession s) { return d.SetFrameUrl(f, t, s); });
        }
        case FrameOffset:
            return d.SetFrameOffset(frame(), offset(), offset());
        case Replace: {
            std::vector<aImage> frames;
            const QString strip = url();
            for (int i = 1, n = pick(5, 120); i <= n; ++i)
                frames.push_back({strip, qint16(pick(-50, 50)), qint16(200 - i * 200)});
            return d.ReplaceFrames(frames, QStringLiteral("导入长图动画"));
        }
        case Insert: {
            std::vector<aImage> frames(size_t(pick(1, 3)));
            for (aImage &f : frames)
                f = image();
            return d.InsertFrames(pick(1, d.FrameCount() + 1), frames);
        }
        case Remove:
            return d.FrameCount() > 8 && d.RemoveFrames(selection());
        case Move:
            return d.MoveFrames(selection(), pick(1, d.FrameCount() + 1));
        case Reverse:
            return d.ReverseFrames(selection());
        case KindCount:
            break;
        }
        return false;
    }

    ProjectDocument &m_document;
    QString m_folder;
    std::mt19937 m_rng;
};

} // namespace

TEST(DocumentHistory, RandomEditsUndoToTheSavedFileAndRedoToTheEditedOne)
{
    TempFolder dir;
    ProjectDocument document;
    auto project = std::make_unique<MVK>();
    project->AddNew();
    document.Reset(std::move(project));
    DocumentMirror mirror(document);
    QUndoStack &stack = *document.UndoStack();
    ASSERT_TRUE(document.Save(dir.file(QStringLiteral("before.mrv")), false).ok());

    // The state each stack position stands for; a step that merges overwrites its own.
    std::map<int, State> states{{0, stateOf(document)}};
    RandomEditor editor(document, dir.path(), 20240611);
    for (int edit = 0; edit < 400; ++edit) {
        const int indexBefore = stack.index();
        editor.Edit();
        const int index = stack.index();
        if (index < indexBefore) { // an obsolete step left: the state before it is back
            ASSERT_EQ(stateOf(document), states[index]) << "edit " << edit;
        }
        states[index] = stateOf(document);
        ASSERT_EQ(document.FramePaths(), document.Project().FramePaths()) << "edit " << edit;
        ASSERT_EQ(mirror.Differences(), QString()) << "edit " << edit;
    }
    for (int kind = 0; kind < KindCount; ++kind)
        EXPECT_GT(editor.changed[size_t(kind)], 0) << "kind " << kind;
    EXPECT_GT(editor.merged, 10);
    EXPECT_GT(stack.count(), 200);

    auto undoAll = [&] {
        while (stack.canUndo()) {
            stack.undo();
            ASSERT_EQ(stateOf(document), states[stack.index()]) << "undo to " << stack.index();
            ASSERT_EQ(mirror.Differences(), QString()) << "undo to " << stack.index();
        }
    };
    auto redoAll = [&] {
        while (stack.canRedo()) {
            stack.redo();
            ASSERT_EQ(stateOf(document), states[stack.index()]) << "redo to " << stack.index();
            ASSERT_EQ(mirror.Differences(), QString()) << "redo to " << stack.index();
        }
    };
    undoAll();
    redoAll();

    // Saving rewrites paths inside the folder; the history still leads back to both files.
    ASSERT_TRUE(document.Save(dir.file(QStringLiteral("after.mrv")), false).ok());
    const QByteArray after = ReadAll(dir.file(QStringLiteral("after.mrv")));
    const int steps = stack.count();
    while (stack.canUndo())
        stack.undo();
    EXPECT_TRUE(document.IsModified());
    ASSERT_TRUE(document.Save(dir.file(QStringLiteral("undone.mrv")), false).ok());
    EXPECT_EQ(ReadAll(dir.file(QStringLiteral("undone.mrv"))),
              ReadAll(dir.file(QStringLiteral("before.mrv"))));
    while (stack.canRedo())
        stack.redo();
    EXPECT_EQ(stack.count(), steps);
    ASSERT_TRUE(document.Save(dir.file(QStringLiteral("redone.mrv")), false).ok());
    EXPECT_EQ(ReadAll(dir.file(QStringLiteral("redone.mrv"))), after);
    EXPECT_NE(after, ReadAll(dir.file(QStringLiteral("before.mrv"))));
    EXPECT_EQ(mirror.Differences(), QString());
}
