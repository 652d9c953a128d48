#include "import/frameimporter.h"

#include <QFileInfo>

namespace mrv {

ImportOutcome FrameImporter::Run(const MVK &, const ImportRequest &request) const
{
    ImportOutcome outcome;
    FrameImportResult result = ImportFrames(
        request.source, {request.projectFolder, request.framesFolder, request.cancel});
    // The files beside a folder's pictures are named too, so nothing is left out unsaid.
    const QList<SkippedPicture> others = QFileInfo(request.source).isDir()
                                             ? NonPictureFiles(request.source)
                                             : QList<SkippedPicture>();
    if (!result.import) {
        QStringList parts{result.import.message(), SkippedPicturesMessage(others)};
        parts.removeAll(QString());
        outcome.status = Status::Fail(parts.join(QStringLiteral("\n\n")));
        outcome.failure = result.failure;
        return outcome;
    }
    outcome.frames = std::move(result.import->frames);
    outcome.skipped = result.import->skipped + others;
    outcome.writtenFolder = result.import->writtenFolder;
    return outcome;
}

} // namespace mrv
