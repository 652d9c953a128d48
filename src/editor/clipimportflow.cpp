#include "editor/clipimportflow.h"

#include "editor/importexportrunner.h"
#include "imaging/animationreader.h"
#include "imaging/videoreader.h"
#include "import/clipplan.h"
#include "import/videoimport.h"
#include "project/mvk.h"
#include "support/regularfile.h"
#include "support/tr.h"
#include "widgets/prompts.h"

#include <QFile>

namespace mrv {

namespace {

QString ImportTitle()
{
    return Tr::tr("导入帧序列");
}

} // namespace

bool IsClipSource(const QString &path)
{
    if (IsAnimationFile(path))
        return true;
    if (!IsVideoCandidate(path))
        return false;
    QFile file(path);
    if (!OpenRegularFile(file))
        return false;
    VideoReader reader(file);
    return bool(reader.Open());
}

bool ClipImportFlow::Ask(const QString &source, const MVK &project, int frameTimeMs,
                         ImportRequest &request)
{
    Result<ClipSource> clip = ReadClipSource(source);
    if (!clip) {
        m_prompts.Message(
            {clip.message(), ImportTitle(), MsgIcon::Error, MsgButtons::Ok, MsgAnswer::Ok});
        return false;
    }
    ClipImportRequest ask;
    ask.title = ImportTitle();
    ask.source = std::move(*clip);
    ask.projectSize = QSize(project.aWidth, project.aHeight);
    ask.proposed = ProposedChoices(ask.source, ask.projectSize);
    ask.plan = [source = ask.source, frameTimeMs](const ClipChoices &choices) {
        return PlanClip(source, choices, frameTimeMs);
    };
    const std::optional<ClipChoices> chosen = m_prompts.ClipImport(ask);
    if (!chosen)
        return false;
    request.values.insert(ClipOptionValues(*chosen, ask.source.kind));
    return true;
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
