#include "export/exportjob.h"

#include "imaging/imageencoders.h"
#include "support/parallel.h"
#include "support/tr.h"

#include <QDir>

namespace mrv {

void ExportResult::Cancel()
{
    cancelled = true;
    status = Status::Fail(CancelledMessage());
}

QString NothingWrittenNote()
{
    return Tr::tr("没有写入任何文件，原有的文件保持不变。");
}

QString LeftBehindNote(const ExportResult &result)
{
    if (result.moved.isEmpty())
        return NothingWrittenNote();
    const auto native = [](const QString &path) { return QDir::toNativeSeparators(path); };
    return Tr::tr("写入在中途失败：已有 %n 个文件放到了位置上（“%1”至“%2”），其余文件没有写入。",
                  nullptr, int(result.moved.size()))
        .arg(native(result.moved.first()), native(result.moved.last()));
}

std::optional<std::vector<QByteArray>> EncodeInOrder(QThreadPool &pool, int count,
                                                     const PictureJob &job,
                                                     const std::function<void()> &step,
                                                     const std::atomic_bool *cancel,
                                                     ExportResult &result)
{
    auto make = [&](int index) {
        if (IsCancelled(cancel))
            return EncodedPicture{{}, CancelledMessage()};
        const QImage picture = job.compose(index);
        if (picture.isNull())
            return EncodedPicture{{}, Tr::tr("内存不足，无法创建画布")};
        return EncodedPicture::From(job.encode(picture));
    };
    auto refused = [&](int index, const EncodedPicture &encoded) {
        if (encoded.ok())
            return false;
        // A picture given up for the cancel is no failure of its own.
        if (!IsCancelled(cancel))
            result.status = Status::Fail(NotWrittenMessage(encoded.error, job.fileFor(index)));
        return true;
    };
    OrderedItems<EncodedPicture> run = MakeInOrder(
        pool, count, make, refused,
        [&](int) {
            step();
            return true;
        },
        cancel);
    if (!run.complete) {
        if (result.status && IsCancelled(cancel))
            result.Cancel();
        return std::nullopt;
    }
    std::vector<QByteArray> bytes;
    bytes.reserve(run.items.size());
    for (EncodedPicture &picture : run.items)
        bytes.push_back(std::move(picture.bytes));
    return bytes;
}

QString CancelledMessage()
{
    return Tr::tr("导出已取消");
}

} // namespace mrv
