#include "import/frameimporter.h"

#include "project/mvk.h"

#include <QFileInfo>

#include <cmath>

namespace mrv {

std::vector<ImportOptionSpec> FrameImporter::options() const
{
    return {{Fit, QStringLiteral("--fit"), QStringLiteral("contain|cover|none")},
            {Timing, QStringLiteral("--timing"), QStringLiteral("frames|boot")},
            {LoopStart, QStringLiteral("--loop-start"), QStringLiteral("SECONDS")}};
}

ImportOutcome FrameImporter::Run(const MVK &project, const ImportRequest &request) const
{
    ImportOutcome outcome;
    FrameImportOptions options{request.projectFolder, request.framesFolder, request.cancel};
    options.projectSize = QSize(project.aWidth, project.aHeight);
    options.frameTimeMs = request.frameTimeMs;
    // A missing option takes the source's own default: the engine decides by the source.
    options.fit = std::nullopt;
    options.timing = std::nullopt;
    if (const QString fit = request.values.value(Fit); !fit.isEmpty()) {
        options.fit = ParseFrameFit(fit);
        if (!options.fit) {
            outcome.status = Status::Fail(
                QStringLiteral("“%1”不是可用的缩放方式：contain、cover 或 none").arg(fit));
            outcome.failure = ImportFailure::Source;
            return outcome;
        }
    }
    if (const QString timing = request.values.value(Timing); !timing.isEmpty()) {
        options.timing = ParseFrameTiming(timing);
        if (!options.timing) {
            outcome.status = Status::Fail(
                QStringLiteral("“%1”不是可用的帧时间方式：frames 或 boot").arg(timing));
            outcome.failure = ImportFailure::Source;
            return outcome;
        }
    }
    if (const QString start = request.values.value(LoopStart); !start.isEmpty()) {
        bool ok = false;
        const double seconds = start.toDouble(&ok);
        if (!ok || !(seconds >= 0) || seconds > 86400) {
            outcome.status =
                Status::Fail(QStringLiteral("“%1”不是循环起点的秒数（0 或更大）").arg(start));
            outcome.failure = ImportFailure::Source;
            return outcome;
        }
        options.loopStartMs = int(std::lround(seconds * 1000));
    }
    FrameImportResult result = ImportFrames(request.source, options);
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
    outcome.notice = result.import->notice;
    return outcome;
}

} // namespace mrv
