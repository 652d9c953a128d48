#pragma once

#include "export/exportjob.h"

#include <QObject>
#include <QString>
#include <QThreadPool>

#include <atomic>
#include <functional>
#include <type_traits>

class QProgressDialog;
class QWidget;

namespace mrv {

/// Runs one import or export at a time on a worker thread while the window's event loop goes
/// on, with a window-modal progress dialog whose Cancel button sets the job's cancel flag.
class ImportExportRunner : public QObject
{
    Q_OBJECT

public:
    /// The work: an engine call that reports progress and honours the cancel flag.
    using Work = std::function<void(const ExportProgress &progress, const std::atomic_bool *cancel)>;

    /// The dialog belongs to `owner` and blocks input to it while shown.
    explicit ImportExportRunner(QWidget &owner);
    /// Cancels a job still running and waits for it.
    ~ImportExportRunner() override;

    /// Runs the job and returns its result (an ExportResult, an ImportOutcome: anything with
    /// a `status`) once it has ended. Meanwhile events are processed (repaints, timers, the
    /// Cancel button), and the progress dialog with `label` shows once the job has run for
    /// ShowDelay(). When the application quits meanwhile, the job is cancelled and waited
    /// for. Only one job runs at a time: a call while one runs returns a result failed with
    /// BusyMessage() without running anything.
    template <class Job>
    auto Run(const QString &label, Job job)
    {
        std::invoke_result_t<Job &, const ExportProgress &, const std::atomic_bool *> result{};
        // The worker writes the result before RunWork returns, which waits for it.
        if (!RunWork(label, [&](const ExportProgress &progress, const std::atomic_bool *cancel) {
                result = job(progress, cancel);
            }))
            result.status = Status::Fail(BusyMessage());
        return result;
    }

    /// Asks the running job to stop, as the dialog's Cancel button does.
    void Cancel();
    bool Busy() const { return m_busy; }

    /// How long a job runs before the dialog shows, so quick exports do not flash one.
    int ShowDelay() const { return m_showDelay; }
    void SetShowDelay(int milliseconds) { m_showDelay = milliseconds; }

    /// The progress dialog of the running job; nullptr when none runs.
    QProgressDialog *Dialog() const { return m_dialog; }

    /// The text shown when a job is asked for while another one runs.
    static QString BusyMessage();

signals:
    /// The job has been handed to the worker and the dialog exists (not yet shown).
    void started();

private:
    /// Runs the work as Run says; false, running nothing, while another job runs.
    bool RunWork(const QString &label, Work work);
    void ShowProgress();

    QWidget &m_owner;
    QThreadPool m_pool;
    std::atomic_bool m_cancel = false;
    std::atomic_int m_done = 0;
    std::atomic_int m_total = 0;
    QProgressDialog *m_dialog = nullptr;
    int m_showDelay = 400;
    bool m_busy = false;
};

} // namespace mrv
