#include "editor/projectfilewatch.h"

#include "support/regularfile.h"
#include "support/tr.h"
#include "widgets/prompts.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace mrv {

namespace {

constexpr int SettleMs = 150;

} // namespace

ProjectFileWatch::ProjectFileWatch(Prompts &prompts, std::function<bool()> hasUnsavedEdits,
                                   std::function<void(const QString &)> reload)
    : m_prompts(prompts), m_hasUnsavedEdits(std::move(hasUnsavedEdits)),
      m_reload(std::move(reload))
{
    setObjectName(QStringLiteral("projectFileWatch"));
    m_settle.setSingleShot(true);
    m_settle.setInterval(SettleMs);
    connect(&m_settle, &QTimer::timeout, this, &ProjectFileWatch::Check);
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, &ProjectFileWatch::Changed);
    // A file replaced by a rename (as every save here and the command line's are) leaves the
    // watch; the folder's change brings it back.
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, &ProjectFileWatch::Changed);
}

QByteArray ProjectFileWatch::Fingerprint(const QString &path)
{
    QFile file(path);
    if (!OpenRegularFile(file))
        return {};
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!hash.addData(&file))
        return {};
    return hash.result();
}

void ProjectFileWatch::Follow(const QString &path)
{
    if (!m_watcher.files().isEmpty())
        m_watcher.removePaths(m_watcher.files());
    if (!m_watcher.directories().isEmpty())
        m_watcher.removePaths(m_watcher.directories());
    m_settle.stop();
    m_path = path;
    m_changedOnDisk = false;
    m_asked.clear();
    m_known = path.isEmpty() ? QByteArray() : Fingerprint(path);
    if (path.isEmpty())
        return;
    m_watcher.addPath(QFileInfo(path).absolutePath());
    m_watcher.addPath(path);
}

void ProjectFileWatch::Changed()
{
    m_settle.start();
}

void ProjectFileWatch::Check()
{
    if (m_path.isEmpty() || m_asking)
        return;
    if (!m_watcher.files().contains(m_path) && QFileInfo::exists(m_path))
        m_watcher.addPath(m_path);
    const QByteArray now = Fingerprint(m_path);
    // A file gone for good is no newer version to load; the next save writes it again.
    if (now == m_known || now.isEmpty() || now == m_asked)
        return;
    m_changedOnDisk = true;
    if (m_hasUnsavedEdits())
        return;
    m_asked = now;
    m_asking = true;
    const QString path = m_path;
    const MsgAnswer answer = m_prompts.Message(
        {Tr::tr("“%1”已被其他程序修改。是否重新载入？")
             .arg(QDir::toNativeSeparators(path)),
         Tr::tr("提示"), MsgIcon::Question, MsgButtons::YesNo, MsgAnswer::Yes});
    m_asking = false;
    if (answer == MsgAnswer::Yes && path == m_path)
        m_reload(path);
}

bool ProjectFileWatch::MayOverwrite(const QString &path)
{
    if (m_path.isEmpty() || QFileInfo(path) != QFileInfo(m_path))
        return true;
    const QByteArray now = Fingerprint(m_path);
    if (!now.isEmpty() && now != m_known)
        m_changedOnDisk = true;
    if (!m_changedOnDisk)
        return true;
    return m_prompts.Message(
               {Tr::tr("“%1”在载入之后已被其他程序修改，保存会覆盖那些修改。是否仍然保存？")
                    .arg(QDir::toNativeSeparators(path)),
                Tr::tr("提示"), MsgIcon::Warning, MsgButtons::YesNo, MsgAnswer::No}) ==
           MsgAnswer::Yes;
}

} // namespace mrv
