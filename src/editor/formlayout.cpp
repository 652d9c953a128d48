#include "editor/formlayout.h"

#include "support/bootgeometry.h"
#include "support/stringutil.h"

#include <algorithm>

namespace mrv {

namespace {

int atLeast0(double value)
{
    return MaxOf(RoundHalfEven(value), 0);
}

qint16 toInt16(int value)
{
    return qint16(std::clamp(value, -32768, 32767));
}

QRect roundedRect(const QRectF &r)
{
    return QRect(RoundHalfEven(r.left()), RoundHalfEven(r.top()), RoundHalfEven(r.width()),
                 RoundHalfEven(r.height()));
}

} // namespace

QRectF ActivityArea(QSize outer)
{
    return AnimationAreaOn(QSizeF(outer));
}

FormLayout FormResize(const FormInput &in)
{
    const int W = in.client.width();
    const int H = in.client.height();
    FormControls c = in.controls;

    // Bottom right: the two buttons, the part labels above the slider, the slider.
    c.cmdFullscreen.moveLeft(W - c.cmdFullscreen.width() - 5);
    c.cmdPlay.moveLeft(W - c.cmdPlay.width() - 5);
    c.cmdFullscreen.moveTop(H - c.cmdFullscreen.height() - 5);
    c.cmdPlay.moveTop(c.cmdFullscreen.top() - c.cmdPlay.height() - 5);
    c.lblStraight.moveTop(c.cmdPlay.top());
    c.lblLoop.moveTop(c.cmdPlay.top());
    c.sldFrame.moveTop(c.lblStraight.top() + c.lblStraight.height() + 5);
    c.lblFrameNumber.moveLeft(c.cmdFullscreen.left() - c.lblFrameNumber.width() - 5);
    c.lblFrameNumber.moveTop(c.cmdFullscreen.bottom() + 1 - c.lblFrameNumber.height());

    // The preview box takes the height above the slider row and the project's proportions,
    // within the width right of the left column.
    const bool sizeUsable = in.projectWidth > 0 && in.projectHeight > 0;
    if (sizeUsable) {
        const double ratio = double(in.projectWidth) / double(in.projectHeight);
        const int room = MaxOf(W - 10 - 5 - c.picFrame.left() - MaxOf(in.minListWidth, 0), 0);
        c.picBG.setHeight(atLeast0(c.lblStraight.top() - c.picBG.top() - 10));
        c.picBG.setWidth(atLeast0(ratio * c.picBG.height()));
        if (c.picBG.width() > room) {
            c.picBG.setWidth(room);
            c.picBG.setHeight(MinOf(atLeast0(room / ratio), c.picBG.height()));
        }
    }
    c.picBG.moveLeft(W - c.picBG.width() - 10);

    c.sldFrame.setWidth(atLeast0(c.cmdPlay.left() - c.picBG.left()));
    c.sldFrame.moveLeft(c.cmdPlay.left() - c.sldFrame.width());
    const int track = toInt16(c.sldFrame.width() - 26);
    c.lblLoop.setWidth(atLeast0(44.0 / 104.0 * track));
    c.lblLoop.moveLeft(c.sldFrame.left() + c.sldFrame.width() - c.lblLoop.width() - 13);
    c.lblStraight.setWidth(atLeast0(60.0 / 104.0 * track));
    c.lblStraight.moveLeft(c.lblLoop.left() - c.lblStraight.width());

    // Left column: everything ends 5 pixels before the preview box.
    const int edge = c.picBG.left() - 5;
    for (QRect *r : {&c.lblProjectName, &c.txtProjectName, &c.lblScreenScale, &c.comScreenScale,
                     &c.lblBackground})
        r->setWidth(atLeast0(edge - r->left()));
    c.cmdBackground_Setting.moveLeft(edge - c.cmdBackground_Setting.width());
    c.cmdBackground_Browse.moveLeft(c.cmdBackground_Setting.left() - c.cmdBackground_Browse.width()
                                    - 5);
    c.txtBackground.setWidth(atLeast0(c.cmdBackground_Browse.left() - c.txtBackground.left() - 5));
    c.cmdExport.setWidth(atLeast0(edge - c.cmdExport.left()));
    c.cmdExport.moveTop(H - c.cmdExport.height() - 5);
    c.picFrame.setWidth(atLeast0(edge - c.picFrame.left()));
    c.picFrame.setHeight(atLeast0(c.cmdExport.top() - c.picFrame.top() - 5));

    // The list scrollbar hugs the panel's inner right edge with equal gaps above and below;
    // a panel too low for the gaps leaves it at height 0.
    const int panelInnerWidth = MaxOf(c.picFrame.width() - in.picFrameBorder.width(), 0);
    const int panelInnerHeight = MaxOf(c.picFrame.height() - in.picFrameBorder.height(), 0);
    c.vscFrame.moveLeft(panelInnerWidth - c.vscFrame.width());
    c.vscFrame.setHeight(MaxOf(panelInnerHeight - 2 * c.vscFrame.top(), 0));

    FormLayout out;
    out.trackLength = track;
    out.previewFitted = sizeUsable;
    out.scaleX = in.scaleX;
    out.scaleY = in.scaleY;
    if (sizeUsable) {
        // The computed size is the inner size; the box grows by its border.
        c.picBG.setSize(c.picBG.size() + in.picBGBorder);
        out.scaleX = double(c.picBG.width()) / in.projectWidth;
        out.scaleY = double(c.picBG.height()) / in.projectHeight;
    }
    out.activityBox = roundedRect(ActivityArea(c.picBG.size()));
    out.controls = c;
    return out;
}

} // namespace mrv
