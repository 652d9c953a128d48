#include "export/bootparts.h"

#include "export/exportjob.h"
#include "project/mvk.h"

#include <QHash>

#include <algorithm>

namespace mrv {

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
