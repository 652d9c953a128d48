#pragma once

#include "document/frameorder.h"
#include "project/mvk.h"
#include "support/tr.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QUndoStack>

#include <memory>
#include <vector>

namespace mrv {

/// Identifies one run of typing in one box: edits of the same value that carry the same
/// session merge into one undo step. The editor starts a new session when a box gets the focus.
using EditSession = quint64;
/// Edits made without a session never merge.
inline constexpr EditSession NoEditSession = 0;

/// The open project with its resolved picture paths, its file and its undo history. Every
/// change goes through an undo step on UndoStack() and is announced by the signal naming what
/// changed; "modified" is the stack's clean state.
class ProjectDocument : public QObject
{
    Q_OBJECT

public:
    explicit ProjectDocument(QObject *parent = nullptr);
    ~ProjectDocument() override;

    /// Makes the project the open one (New, Open, Revert): resolves its paths, forgets the
    /// history and leaves it unmodified. A null project becomes an empty one.
    void Reset(std::unique_ptr<MVK> project);

    /// Writes the project file (MVK::SaveFile with the project's folder) and, when that
    /// succeeds, marks the document saved there.
    Status Save(const QString &path, bool pretty);

    /// The project now matches the file at path: the current step becomes the clean state and
    /// the path the project's file. When the file lies in another folder, the picture paths
    /// take the form written into it; the history, whose paths name pictures relative to the
    /// old folder, is then forgotten.
    void MarkSaved(const QString &path);

    /// A new session for the box that just got the focus.
    EditSession BeginEditSession() { return ++m_lastSession; }

    /// Each returns true when the project changed; setting the value it already has, or an
    /// argument out of range, pushes nothing and returns false. Frames are 1-based.
    bool SetName(const QString &name, EditSession session = NoEditSession);
    /// Width and height must be at least 1.
    bool SetScreenSize(qint16 width, qint16 height, EditSession session = NoEditSession);
    bool SetBackgroundUrl(const QString &url, EditSession session = NoEditSession);
    bool SetBackgroundOffset(qint16 x, qint16 y);
    bool SetFrameUrl(int frame, const QString &url, EditSession session = NoEditSession);
    bool SetFrameOffset(int frame, qint16 x, qint16 y);

    /// One step that replaces the whole frame list; `text` names it in the undo menu.
    bool ReplaceFrames(const std::vector<aImage> &frames, const QString &text);
    /// Inserts frames before frame `before` (1..FrameCount()+1); `text` names the step.
    bool InsertFrames(int before, const std::vector<aImage> &frames,
                      const QString &text = Tr::tr("插入帧"));
    /// Removes the listed frames; numbers outside the list and repeats are ignored.
    bool RemoveFrames(const QList<int> &frames);
    /// Moves the listed frames, in their order, as one block before frame `before`
    /// (1..FrameCount()+1, numbered as before the move).
    bool MoveFrames(const QList<int> &frames, int before);
    /// Moves every run of the listed frames one place up (step < 0) or down (step > 0).
    bool StepFrames(const QList<int> &frames, int step);
    /// Reverses the order of the listed frames among the places they hold.
    bool ReverseFrames(const QList<int> &frames);

    const MVK &Project() const { return *m_project; }
    /// Resolved background path; empty when the background names no picture.
    const QString &BackgroundPath() const { return m_backgroundPath; }
    /// Resolved frame paths: entry i-1 belongs to frame i.
    const QStringList &FramePaths() const { return m_framePaths; }
    int FrameCount() const { return m_project->aFrame.Count(); }
    /// The frame at a 1-based position, or nullptr.
    const aImage *Frame(int frame) const { return m_project->aFrame.Item(frame); }
    /// A copy of the frames in playing order, e.g. to build a ReplaceFrames list from.
    std::vector<aImage> Frames() const { return framesFrom(1, FrameCount()); }
    const QString &FilePath() const { return m_project->aFilePath; }
    bool IsModified() const { return !m_stack.isClean(); }
    QUndoStack *UndoStack() { return &m_stack; }

signals:
    void nameChanged();
    void screenSizeChanged();
    /// The background's path or offset.
    void backgroundChanged();
    /// Frame `frame` (1-based) got another path or offset.
    void frameChanged(int frame);
    /// The frame list was replaced; read it again.
    void framesReset();
    /// Frames first..first+count-1 are new; the ones that were there moved back.
    void framesInserted(int first, int count);
    /// Frames first..first+count-1 (numbered as before) are gone.
    void framesRemoved(int first, int count);
    /// The frames took a new order (entry k: the 0-based place, before, of the frame now at
    /// k). frameChanged follows for each place that shows another frame now.
    void framesReordered(const FrameOrder &order);
    void filePathChanged();
    void modifiedChanged(bool modified);

private:
    friend class DocumentCommand;

    // The undo steps change the project only through these; each keeps the resolved paths
    // in step and emits its signal.
    void applyName(const QString &name);
    void applyScreenSize(qint16 width, qint16 height);
    void applyBackgroundUrl(const QString &url);
    void applyBackgroundOffset(qint16 x, qint16 y);
    void applyFrameUrl(int frame, const QString &url);
    void applyFrameOffset(int frame, qint16 x, qint16 y);
    void applyFrames(const std::vector<aImage> &frames);
    void applyInsert(int first, const std::vector<aImage> &frames);
    void applyRemove(int first, int count);
    void applyOrder(const FrameOrder &order);

    std::vector<aImage> framesFrom(int first, int count) const;
    aImage &background();
    void rebaseOnto(const QString &folder);
    /// What the views were last told: the pictures and their resolved paths.
    struct Shown;
    Shown shown() const;
    /// Resolves every path again and announces each picture whose text or path differs.
    void announceChanges(const Shown &before);
    void cleanChanged(bool clean);

    std::unique_ptr<MVK> m_project;
    QString m_backgroundPath;
    QStringList m_framePaths;
    EditSession m_lastSession = NoEditSession;
    QUndoStack m_stack;
};

} // namespace mrv
