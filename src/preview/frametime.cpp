#include "preview/frametime.h"

#include "settings/settings.h"
#include "widgets/playback.h"
#include "widgets/windowlayout.h"
#include "support/regexutil.h"
#include "support/xmledit.h"
#include "support/tr.h"

#include <algorithm>

namespace mrv {

Result<int> ParseFrameTime(const QString &text)
{
    // The pattern lets an empty box through, but an empty box holds no number; and its "$"
    // also matches before a final line break, which is no digit either.
    const bool digitsOnly = std::all_of(text.begin(), text.end(),
                                        [](QChar c) { return c >= u'0' && c <= u'9'; });
    if (text.isEmpty() || !digitsOnly || !RegexTest(text, QStringLiteral("^[0-9]{0,5}$")))
        return Result<int>::Fail(Tr::tr("只允许输入整数"));
    bool ok = false;
    const int ms = text.toInt(&ok);
    if (!ok)
        return Result<int>::Fail(Tr::tr("只允许输入整数"));
    // 0 would play as fast as the screen allows, keeping a processor busy for nothing; the
    // exports' 1 ms is the floor here too.
    if (ms < FrameDuration::MinWritten || ms > FrameDuration::Max)
        return Result<int>::Fail(
            Tr::tr("只允许输入%1-%2").arg(FrameDuration::MinWritten).arg(FrameDuration::Max));
    return ms;
}

QString FrameTimePath(const QString &windowName)
{
    return QStringLiteral("/Soft/Window/") + windowName + QStringLiteral("/timPlay");
}

int StoredFrameTime(const pugi::xml_node &windowDocument, const QString &windowName)
{
    // Read the way the window's own layout restore reads it, so both agree on every value.
    FrameTimer timer;
    ApplyXmlProperties(windowDocument, FrameTimePath(windowName), timer);
    return timer.FrameTime();
}

Status StoreFrameTime(pugi::xml_document &windowDocument, const QString &windowName, int ms)
{
    EnsureSoftRoot(windowDocument);
    return XmlSetAttr(windowDocument, FrameTimePath(windowName), QStringLiteral("Interval"),
                      QString::number(ms), 0);
}

} // namespace mrv
