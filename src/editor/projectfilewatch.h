#pragma once

#include <QByteArray>
#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>

namespace mrv {

class Prompts;

/// Watches the open project's file for changes made by another program (the command line's
/// imports, another editor). A change while the editor holds no unsaved edits asks whether to
/// reload; otherwise the next save asks before it writes over the change. Nothing is reloaded
/// or overwritten without a word.
class ProjectFileWatch : public QObject
{
public:
    /// hasUnsavedEdits tells whether the editor's project differs from its file; reload reads
    /// the file again (and calls Follow through the open).
    ProjectFileWatch(Prompts &prompts, std::function<bool()> hasUnsavedEdits,
                     std::function<void(const QString &path)> reload);

    /// The project's file as the editor has just read or written it; empty for none.
    void Follow(const QString &path);
    /// Before a save to the path: true when the file is as the editor last saw it, or when
    /// the user agrees to write over the other program's change.
    bool MayOverwrite(const QString &path);

private:
    void Changed();
    void Check();
    static QByteArray Fingerprint(const QString &path);

    Prompts &m_prompts;
    std::function<bool()> m_hasUnsavedEdits;
    std::function<void(const QString &)> m_reload;
    QFileSystemWatcher m_watcher;
    // Changes come in bursts (a write, then a rename); they are looked at once they settle.
    QTimer m_settle;
    QString m_path;
    QByteArray m_known; // the file's bytes' hash as the editor last read or wrote them
    QByteArray m_asked; // the version the user was last asked about, so it is asked once
    bool m_changedOnDisk = false;
    bool m_asking = false;
};

} // namespace mrv
