#include "import/frameimporter.h"

#include "import/clipplan.h"
#include "project/mvk.h"
#include "support/tr.h"

#include <QFileInfo>

#include <cmath>
#include <optional>

namespace mrv {

std::vector<ImportOptionSpec> FrameImporter::options() const
{
    return {{Fit, QStringLiteral("--fit"), QStringLiteral("contain|cover|none")},
            {Timing, QStringLiteral("--timing"), QStringLiteral("frames|boot")},
            {Start, QStringLiteral("--start"), QStringLiteral("SECONDS")},
            {End, QStringLiteral("--end"), QStringLiteral("SECONDS")},
            {LoopStart, QStringLiteral("--loop-start"), QStringLiteral("SECONDS")}};
}

ImportOutcome FrameImporter::Run(const MVK &project, const ImportRequest &request) const
{
    ImportOutcome outcome;
    FrameImportOptions options{request.projectFolder, request.framesFolder, request.cancel};
    options.projectSize = QSize(project.aWidth, project.aHeight);
    options.frameTimeMs = request.frameTimeMs;
    options.progress = request.progress;
    if (request.clip) {
        const ChosenClip &chosen = *request.clip;
        ApplyClipChoices(chosen.choices, chosen.clip->Source().kind, options);
        return Outcome(ImportClip(*chosen.clip, options), {});
    }
    // A missing option takes the source's own default: the engine decides by the source.
    options.fit = std::nullopt;
    options.timing = std::nullopt;
    if (const QString fit = request.values.value(Fit); !fit.isEmpty()) {
        options.fit = ParseFrameFit(fit);
        if (!options.fit) {
            outcome.status =
                Status::Fail(Tr::tr("“%1”不是可用的缩放方式：contain、cover 或 none").arg(fit));
            outcome.failure = ImportFailure::Source;
            return outcome;
        }
    }
    if (const QString timing = request.values.value(Timing); !timing.isEmpty()) {
        options.timing = ParseFrameTiming(timing);
        if (!options.timing) {
            outcome.status =
                Status::Fail(Tr::tr("“%1”不是可用的帧时间方式：frames 或 boot").arg(timing));
            outcome.failure = ImportFailure::Source;
            return outcome;
        }
    }
    // Seconds from the source's start, as milliseconds; none when the option is not given.
    const auto seconds = [&](const QString &name, const QString &what) -> std::optional<qint64> {
        const QString text = request.values.value(name);
        if (text.isEmpty())
            return std::nullopt;
        bool ok = false;
        const double value = text.toDouble(&ok);
        if (!ok || !(value >= 0) || value > 86400) {
            outcome.status = Status::Fail(Tr::tr("“%1”不是%2的秒数（0 或更大）").arg(text, what));
            outcome.failure = ImportFailure::Source;
        }
        return qint64(std::llround(ok && value >= 0 && value <= 86400 ? value * 1000 : 0));
    };
    const std::optional<qint64> loopStart =
        seconds(LoopStart, Tr::tr("循环起点", "whose seconds a message says are wrong"));
    const std::optional<qint64> start =
        seconds(Start, Tr::tr("开始时间", "whose seconds a message says are wrong"));
    const std::optional<qint64> end =
        seconds(End, Tr::tr("结束时间", "whose seconds a message says are wrong"));
    if (!outcome.status)
        return outcome;
    options.loopStartMs = int(loopStart.value_or(start.value_or(0)));
    options.startMs = start.value_or(0);
    options.endMs = end;
    // The files beside a folder's pictures are named too, so nothing is left out unsaid.
    return Outcome(ImportFrames(request.source, options), QFileInfo(request.source).isDir()
                                                              ? NonPictureFiles(request.source)
                                                              : QList<SkippedPicture>());
}

ImportOutcome FrameImporter::Outcome(FrameImportResult result,
                                     const QList<SkippedPicture> &others)
{
    ImportOutcome outcome;
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
