#pragma once

#include "support/result.h"

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>
#include <optional>
#include <vector>

class QThreadPool;

namespace mrv {

/// Progress of a running export: steps done out of the total. Called on the thread that runs
/// the export, never from its helper threads.
using ExportProgress = std::function<void(int done, int total)>;

/// What an export or import did.
struct ExportResult
{
    /// Ok when everything was written; otherwise the first failure (or the cancellation).
    Status status;
    bool cancelled = false;
    /// The project cannot be exported as it is (a screen size that cannot be scaled); nothing
    /// was attempted.
    bool refused = false;
    /// The files written, in order; empty for a failed or cancelled export, which puts
    /// nothing in place.
    QStringList written;
    /// The files a failed export had already put in place when the moves into an existing
    /// folder broke off (another program removing files meanwhile); empty otherwise.
    QStringList moved;
    /// Numbered files of the written set's pattern in its folder that this run did not write
    /// (an earlier run's longer sequence), left where they are; after --remove-stale, none.
    QStringList leftovers;
    /// The leftovers this run removed, when asked to.
    QStringList removed;
    /// Source pictures that could not be read, each once; their areas stayed transparent.
    QStringList unreadable;
    /// What was written otherwise than asked, one sentence each (a frame time the format
    /// cannot play).
    QStringList warnings;

    /// Ends the result as refused: the project cannot be exported as it is.
    void Refuse(const Status &why)
    {
        refused = true;
        status = why;
    }
    /// Ends the result as cancelled.
    void Cancel();
};

/// Entry index of the resolved frame paths, or no path when the list is shorter.
inline QString FramePathAt(const QStringList &framePaths, int index)
{
    return index < framePaths.size() ? framePaths[index] : QString();
}

/// An encoded picture, or why there is none; default-constructible so that it can travel
/// through the worker threads' result queues.
struct EncodedPicture
{
    QByteArray bytes;
    QString error; ///< empty when encoded

    bool ok() const { return error.isEmpty(); }
    static EncodedPicture From(const Result<QByteArray> &encoded)
    {
        return encoded ? EncodedPicture{*encoded, QString()}
                       : EncodedPicture{{}, encoded.message()};
    }
};

/// The message of a cancelled export.
QString CancelledMessage();

/// What a failed or cancelled export leaves: nothing of its own, earlier files as they were.
QString NothingWrittenNote();
/// What the failed export left: NothingWrittenNote, or the files it had put in place when
/// its moves broke off.
QString LeftBehindNote(const ExportResult &result);

inline bool IsCancelled(const std::atomic_bool *cancel)
{
    return cancel && cancel->load(std::memory_order_relaxed);
}

/// How an export makes each of its pictures: compose(i) draws picture i (a null image when
/// there is no memory for the canvas), encode turns it into the file's bytes, and fileFor(i)
/// names the file that a failure of picture i leaves unwritten.
struct PictureJob
{
    std::function<QImage(int)> compose;
    std::function<Result<QByteArray>(const QImage &)> encode;
    std::function<QString(int)> fileFor;
};

/// Composes and encodes pictures 0 .. count-1 on the pool's threads, calling step() on this
/// thread after each, in order. Stops at the first failure (the result's status names it) or
/// at the cancel flag (the result is cancelled) and returns none; otherwise every picture's
/// bytes.
std::optional<std::vector<QByteArray>> EncodeInOrder(QThreadPool &pool, int count,
                                                     const PictureJob &job,
                                                     const std::function<void()> &step,
                                                     const std::atomic_bool *cancel,
                                                     ExportResult &result);

} // namespace mrv
