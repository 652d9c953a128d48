#include "editor/importexportrunner.h"

#include "support/appinfo.h"
#include "support/tr.h"

#include <QEventLoop>
#include <QFutureWatcher>
#include <QProgressDialog>
#include <QTimer>
#include <QWidget>
#include <QtConcurrent/QtConcurrentRun>

namespace mrv {

namespace {

// The dialog is refreshed from the job's counters on a timer rather than per step: the
// modal dialog processes events inside setValue, and a timer cannot re-enter itself.
constexpr int ProgressPollMs = 50;

} // namespace

ImportExportRunner::ImportExportRunner(QWidget &owner) : m_owner(owner)
{
    setObjectName(QStringLiteral("exportProgressRunner"));
    m_pool.setMaxThreadCount(1);
}

ImportExportRunner::~ImportExportRunner()
{
    m_cancel.store(true);
    m_pool.waitForDone();
}

QString ImportExportRunner::BusyMessage()
{
    return Tr::tr("正在导出，请等待当前导出完成或取消后再试。");
}

void ImportExportRunner::Cancel()
{
    m_cancel.store(true);
}

void ImportExportRunner::ShowProgress()
{
    const int total = m_total.load();
    if (!m_dialog || total <= 0)
        return;
    if (m_dialog->maximum() != total)
        m_dialog->setMaximum(total);
    const int done = std::min(m_done.load(), total);
    if (done != m_dialog->value())
        m_dialog->setValue(done);
}

bool ImportExportRunner::RunWork(const QString &label, Work work)
{
    if (m_busy)
        return false;
    m_busy = true;
    m_cancel.store(false);
    m_done.store(0);
    m_total.store(0);

    QProgressDialog dialog(label, Tr::tr("取消"), 0, 0, &m_owner);
    dialog.setObjectName(QStringLiteral("exportProgress"));
    dialog.setWindowTitle(AppInfo::Title());
    dialog.setWindowModality(Qt::WindowModal);
    dialog.setAutoReset(false);
    dialog.setAutoClose(false);
    dialog.setMinimumDuration(m_showDelay);
    connect(&dialog, &QProgressDialog::canceled, this, &ImportExportRunner::Cancel);
    m_dialog = &dialog;

    QEventLoop loop;
    QFutureWatcher<void> watcher;
    connect(&watcher, &QFutureWatcherBase::finished, &loop, &QEventLoop::quit);
    QTimer poll;
    poll.setInterval(ProgressPollMs);
    connect(&poll, &QTimer::timeout, this, &ImportExportRunner::ShowProgress);

    const ExportProgress progress = [this](int done, int total) {
        m_total.store(total);
        m_done.store(done);
    };
    watcher.setFuture(QtConcurrent::run(
        &m_pool, [work = std::move(work), progress, this] { work(progress, &m_cancel); }));
    poll.start();
    emit started();
    if (!watcher.isFinished())
        loop.exec();
    // The loop also ends when the application quits; the job must not outlive the window.
    if (!watcher.isFinished()) {
        Cancel();
        watcher.waitForFinished();
    }
    poll.stop();
    m_dialog = nullptr;
    m_busy = false;
    return true;
}

} // namespace mrv
