#include "import/longpictureimporter.h"

#include "imaging/pictureloader.h"
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
    const QString native = QDir::toNativeSeparators(request.source);
    const QFileInfo source(request.source);
    if (!source.exists() && !source.isSymLink())
        return refuse(Tr::tr("找不到长图文件“%1”").arg(native));
    // The frames only name the strip; one that does not decode would play as nothing.
    if (const QString problem = PictureProblem(request.source); !problem.isEmpty())
        return refuse(Tr::tr("“%1”不能作为长图：%2").arg(native, problem));
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
