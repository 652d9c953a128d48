#include "export/bootparts.h"

#include "export/exportjob.h"
#include "project/mvk.h"

#include <QHash>

#include <algorithm>

namespace mrv {

ExportOptionSpec FrameTimeOption(const QString &title)
{
    ExportOptionSpec frameTime;
    frameTime.name = FrameTimeOptionName;
    frameTime.kind = OptionKind::Int;
    frameTime.defaultValue = 75;
    frameTime.cliFlag = QStringLiteral("--frame-time");
    frameTime.valueName = QStringLiteral("MS");
    frameTime.minimum = 1;
    frameTime.maximum = 65535;
    frameTime.prompt = QStringLiteral("每帧显示多少毫秒（1-65535）");
    frameTime.promptTitle = title;
    frameTime.usedValueText = QStringLiteral("每帧 %1 毫秒");
    return frameTime;
}

void ProposeFrameTime(std::optional<int> previewFrameTime, ExportOptions &options)
{
    if (previewFrameTime)
        options.values.insert(FrameTimeOptionName, std::clamp(*previewFrameTime, 1, 65535));
}

DistinctFrames DistinctFrames::Of(const MVK &project, const QStringList &framePaths)
{
    DistinctFrames distinct;
    const int count = project.aFrame.Count();
    distinct.pictureOf.assign(size_t(count > 0 ? count : 0), 0);
    QHash<QString, int> byKey;
    for (int frame = 1; frame <= count; ++frame) {
        const aImage &image = *project.aFrame.Item(frame);
        const QString key = FramePathAt(framePaths, frame - 1) + u'\n' + QString::number(image.aX) +
                            u',' + QString::number(image.aY);
        auto found = byKey.constFind(key);
        if (found == byKey.constEnd()) {
            found = byKey.insert(key, distinct.Count());
            distinct.firstFrame.push_back(frame);
        }
        distinct.pictureOf[size_t(frame - 1)] = *found;
    }
    return distinct;
}

} // namespace mrv
