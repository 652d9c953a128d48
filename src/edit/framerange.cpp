#include "edit/framerange.h"

#include "support/tr.h"

#include <QStringList>

#include <algorithm>
#include <numeric>

namespace mrv {

Result<std::vector<int>> ParseFrameRange(const QString &text, int count)
{
    std::vector<int> frames;
    if (text.trimmed().isEmpty()) {
        frames.resize(size_t(std::max(count, 0)));
        std::iota(frames.begin(), frames.end(), 0);
        return frames;
    }
    for (const QString &raw : text.split(u',')) {
        const QString part = raw.trimmed();
        const QStringList ends = part.split(u'-');
        bool firstOk = false, lastOk = ends.size() == 1;
        const int first = ends.first().trimmed().toInt(&firstOk);
        const int last = ends.size() == 2 ? ends.last().trimmed().toInt(&lastOk) : first;
        if (ends.size() > 2 || !firstOk || !lastOk || first > last)
            return Result<std::vector<int>>::Fail(
                Tr::tr("帧范围“%1”无法识别：应为 N、N-M 或以逗号分隔的若干项").arg(part));
        if (first < 1 || last > count)
            return Result<std::vector<int>>::Fail(
                Tr::tr("帧范围“%1”超出工程的帧（1-%2）").arg(part).arg(count));
        for (int frame = first; frame <= last; ++frame)
            frames.push_back(frame - 1);
    }
    std::sort(frames.begin(), frames.end());
    frames.erase(std::unique(frames.begin(), frames.end()), frames.end());
    return frames;
}

} // namespace mrv
