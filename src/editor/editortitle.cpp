#include "editor/editortitle.h"

namespace mrv {

QString TitleFileNameOf(const QString &filePath, const QString &fileFolder)
{
    const qsizetype n = filePath.size() - fileFolder.size() - 1;
    const QString name = n >= 1 ? filePath.right(n) : QString();
    return name.isEmpty() ? QStringLiteral("NewMRV.mrv") : name;
}

QString EditorTitle(const QString &baseCaption, const QString &titleFileName, bool changed)
{
    QString title = baseCaption + u' ' + titleFileName;
    if (changed)
        title += u'*';
    return title;
}

} // namespace mrv
