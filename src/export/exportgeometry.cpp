#include "export/exportgeometry.h"

#include "project/mvk.h"
#include "support/stringutil.h"
#include "support/tr.h"

#include <algorithm>

namespace mrv {

namespace {

QString sizeRefusal(const MVK &project)
{
    return Tr::tr("工程的屏幕尺寸 %1 × %2 无效：宽度和高度必须大于 0，无法缩放。")
        .arg(project.aWidth)
        .arg(project.aHeight);
}

} // namespace

Result<ScreenScale> ReferenceScale(const MVK &project)
{
    if (project.aWidth <= 0 || project.aHeight <= 0)
        return Result<ScreenScale>::Fail(sizeRefusal(project));
    return ScreenScale{double(ReferenceWidth) / project.aWidth,
                       double(ReferenceHeight) / project.aHeight};
}

FittedScreen FitScreen(QSize project, QSize device)
{
    if (project.isEmpty() || device.isEmpty())
        return {};
    const double scale = std::min(double(device.width()) / project.width(),
                                  double(device.height()) / project.height());
    const int width = std::clamp(RoundHalfEven(project.width() * scale), 1, device.width());
    const int height = std::clamp(RoundHalfEven(project.height() * scale), 1, device.height());
    return {QRect((device.width() - width) / 2, (device.height() - height) / 2, width, height),
            scale};
}

SequencePlan SequencePlan::Make(int frameCount, int loopTimes)
{
    SequencePlan plan;
    plan.introCount = IntroFrameCount(frameCount);
    plan.loopLength = LoopFrameCount(frameCount);
    plan.total = loopTimes * plan.loopLength + plan.introCount;
    plan.numberWidth = int(QString::number(plan.total).size());
    return plan;
}

int SequencePlan::FrameOf(int n) const
{
    if (n <= introCount + loopLength)
        return n;
    const int round = (n - introCount + loopLength - 1) / loopLength; // rounded up
    return n - loopLength * (round - 1);
}

int SequencePlan::DistinctFrames() const
{
    return total < introCount + loopLength ? total : introCount + loopLength;
}

Result<SequenceArea> SequenceAreaOf(const MVK &project)
{
    if (project.aWidth <= 0 || project.aHeight <= 0)
        return Result<SequenceArea>::Fail(sizeRefusal(project));
    const QRectF exact = AnimationAreaOn(QSizeF(project.aWidth, project.aHeight));
    SequenceArea area;
    area.cell = QSize(RoundHalfEven(exact.width()), RoundHalfEven(exact.height()));
    area.left = RoundHalfEven(exact.left());
    area.top = RoundHalfEven(exact.top());
    if (area.cell.width() < 1 || area.cell.height() < 1)
        return Result<SequenceArea>::Fail(
            Tr::tr("工程的屏幕尺寸 %1 × %2 太小：动画区域不足 1 像素，无法导出帧序列。")
                .arg(project.aWidth)
                .arg(project.aHeight));
    return area;
}

} // namespace mrv
