#include "editor/pathproblem.h"

#include "imaging/pictureloader.h"
#include "support/pathrules.h"
#include "support/tr.h"

#include <QLineEdit>
#include <QPalette>
#include <QVariant>

namespace mrv {

QString PathBoxProblem(const QString &projectFolder, const QString &url, const QString &resolved)
{
    if (url.isEmpty())
        return {};
    if ((projectFolder.isEmpty() && !IsAbsolutePath(url)) || !IsAbsolutePath(resolved))
        return Tr::tr("相对路径从工程文件所在的文件夹算起：请先保存工程，或填写完整路径");
    return PictureProblem(resolved);
}

QString UndecodableProblem()
{
    return Tr::tr("图片内容已损坏，无法解码");
}

QColor PathProblemColour()
{
    return QColor(255, 214, 214);
}

namespace {

const char *const MarkProperty = "pathProblem";
const char *const NormalPaletteProperty = "pathNormalPalette";
const char *const NormalToolTipProperty = "pathNormalToolTip";

} // namespace

QString PathBoxMark(const QLineEdit &box)
{
    return box.property(MarkProperty).toString();
}

void MarkPathBox(QLineEdit &box, const QString &reason)
{
    const bool marked = !PathBoxMark(box).isEmpty();
    if (reason.isEmpty()) {
        if (!marked)
            return;
        box.setPalette(box.property(NormalPaletteProperty).value<QPalette>());
        box.setToolTip(box.property(NormalToolTipProperty).toString());
        for (const char *name : {MarkProperty, NormalPaletteProperty, NormalToolTipProperty})
            box.setProperty(name, QVariant());
        return;
    }
    if (!marked) {
        box.setProperty(NormalPaletteProperty, QVariant::fromValue(box.palette()));
        box.setProperty(NormalToolTipProperty, box.toolTip());
    }
    QPalette warning = box.property(NormalPaletteProperty).value<QPalette>();
    warning.setColor(QPalette::Base, PathProblemColour());
    box.setPalette(warning);
    box.setToolTip(reason);
    box.setProperty(MarkProperty, reason);
}

} // namespace mrv
