#include "preview/fullscreengeometry.h"

#include "support/bootgeometry.h"
#include "support/tr.h"

namespace mrv {

FullscreenGeometry LayoutFullscreen(QSize window, int projectWidth, int projectHeight)
{
    FullscreenGeometry g;
    g.picBG = QRect(QPoint(0, 0), window.expandedTo(QSize(0, 0)));
    g.activityExact = AnimationAreaOn(QSizeF(g.picBG.size()));
    g.activity = AnimationAreaPixels(g.picBG.size());
    g.drawable = projectWidth > 0 && projectHeight > 0;
    if (g.drawable) {
        // The project size is a whole number of pixels, so a single-precision divisor
        // holds it exactly.
        g.scaleX = double(g.picBG.width()) / double(float(projectWidth));
        g.scaleY = double(g.picBG.height()) / double(float(projectHeight));
    }
    return g;
}

QString FullscreenHelpText(int frame)
{
    return Tr::tr("Esc 退出\nSpace 播放 / 暂停\nLeft/Right  后退/前进 1 帧\n"
                  "Home/End  最前/最后帧\n当前帧 %1")
        .arg(frame);
}

} // namespace mrv
