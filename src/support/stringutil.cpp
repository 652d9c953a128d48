#include "support/stringutil.h"

#include "support/regexutil.h"
#include "support/tr.h"

#include <cmath>

namespace mrv {

Result<qint32> ParseHex(const QString &text)
{
    QString digits;
    if (RegexTest(text, QStringLiteral("^([a-fA-F\\d]+)$")))
        digits = text;
    else if (RegexTest(text, QStringLiteral("^(0?x|#|&H)([a-fA-F\\d]+)$")))
        digits = RegexReplace(text, QStringLiteral("^(0?x|#|&H)([a-fA-F\\d]+)$"),
                              QStringLiteral("$2"));
    else
        digits = QStringLiteral("0");

    if (digits.size() > 8)
        return Result<qint32>::Fail(Tr::tr("十六进制数值超出范围: %1").arg(text));
    bool ok = false;
    const quint32 value = digits.toUInt(&ok, 16);
    if (!ok)
        return Result<qint32>::Fail(Tr::tr("十六进制数值无效: %1").arg(text));
    return static_cast<qint32>(value);
}

qint32 WebColorToRgb(qint32 value)
{
    // Only the low three bytes carry a colour; working unsigned keeps the parts positive.
    const quint32 v = static_cast<quint32>(value);
    const quint32 red = (v >> 16) & 0xFF;
    const quint32 green = (v >> 8) & 0xFF;
    const quint32 blue = v & 0xFF;
    return static_cast<qint32>(red + 256 * green + 65536 * blue);
}

int RoundHalfEven(double value)
{
    return static_cast<int>(std::nearbyint(value)); // default rounding mode is to-nearest-even
}

int RoundUp(double value)
{
    return static_cast<int>(std::ceil(value));
}

bool KeyAccepted(KeyFilter filter, int key)
{
    if ((key >= '0' && key <= '9') || key == 8)
        return true;
    switch (filter) {
    case KeyFilter::ScreenScale:
        return key == '*';
    case KeyFilter::Offset:
        return key == '-';
    case KeyFilter::FrameTime:
        return false;
    }
    return false;
}

} // namespace mrv
