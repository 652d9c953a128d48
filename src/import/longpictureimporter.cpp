#include "import/longpictureimporter.h"

#include "import/longimport.h"
#include "project/mvk.h"
#include "support/tr.h"

#include <QDir>
#include <QFileInfo>

namespace mrv {

Status LongPictureImporter::Check(const MVK &project) const
{
    return CheckLongImport(project);
}

QString LongPictureImporter::Proposal(const MVK &project, const QString &option) const
{
    return option == X ? QString::number(DefaultImportX(project.aWidth)) : QString();
}

ImportOutcome LongPictureImporter::Run(const MVK &project, const ImportRequest &request) const
{
    ImportOutcome outcome;
    const auto refuse = [&](const QString &message) {
        outcome.status = Status::Fail(message);
        outcome.failure = ImportFailure::Source;
        return outcome;
    };
    if (!QFileInfo(request.source).isFile())
        return refuse(Tr::tr("找不到长图文件“%1”").arg(QDir::toNativeSeparators(request.source)));
    const Result<qint16> x = ParseImportOffset(request.values.value(X, Proposal(project, X)));
    if (!x)
        return refuse(x.message());
    MVK changed = project;
    if (const Status applied =
            ApplyLongImport(changed, StoredStripPath(request.projectFolder, request.source), *x);
        !applied)
        return refuse(applied.message());
    for (const aImage &frame : changed.aFrame)
        outcome.frames.push_back(frame);
    return outcome;
}

} // namespace mrv
