#include "editor/clipimportflow.h"

#include "editor/importexportrunner.h"
#include "project/mvk.h"
#include "support/tr.h"
#include "widgets/prompts.h"

#include <QApplication>
#include <QEventLoop>
#include <QFutureWatcher>
#include <QtConcurrent/QtConcurrentRun>

namespace mrv {

Result<std::shared_ptr<OpenedClip>> OpenClipInBackground(const QString &path, ClipKind kind)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QFutureWatcher<Result<std::shared_ptr<OpenedClip>>> watcher;
    QEventLoop loop;
    QObject::connect(&watcher, &QFutureWatcherBase::finished, &loop, &QEventLoop::quit);
    watcher.setFuture(QtConcurrent::run([path, kind] { return OpenedClip::Open(path, kind); }));
    if (!watcher.isFinished())
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    QApplication::restoreOverrideCursor();
    return watcher.result();
}

std::shared_ptr<const ChosenClip> ClipImportFlow::Ask(const std::shared_ptr<const OpenedClip> &clip,
                                                      const MVK &project, int frameTimeMs)
{
    ClipImportRequest ask;
    ask.title = Tr::tr("导入帧序列");
    ask.source = clip->Source();
    ask.projectSize = QSize(project.aWidth, project.aHeight);
    ask.proposed = ProposedChoices(ask.source, ask.projectSize);
    ask.plan = [clip, frameTimeMs, size = ask.projectSize](const ClipChoices &choices) {
        return PlanClip(*clip, choices, frameTimeMs, size);
    };
    ask.frameAt = [clip](qint64 ms) { return clip->FrameAt(ms); };
    const std::optional<ClipChoices> chosen = m_prompts.ClipImport(ask);
    if (!chosen)
        return nullptr;
    return std::make_shared<const ChosenClip>(ChosenClip{clip, *chosen});
}

ImportOutcome ClipImportFlow::Run(const Importer &importer, const MVK &project,
                                  ImportRequest request)
{
    ImportExportRunner runner(m_owner);
    ImportOutcome outcome;
    const ExportResult ran =
        runner.Run(Tr::tr("正在导入帧……"),
                   [&](const ExportProgress &progress, const std::atomic_bool *cancel) {
                       request.cancel = cancel;
                       request.progress = progress;
                       outcome = importer.Run(project, request);
                       if (!outcome.status && cancel && cancel->load())
                           outcome.failure = ImportFailure::Cancelled;
                       ExportResult result;
                       result.status = outcome.status;
                       return result;
                   });
    if (!ran.status && outcome.status)
        outcome.status = ran.status;
    return outcome;
}

} // namespace mrv
