// Variable expansion, hexadecimal colours and the number rule on arbitrary text.
#include "support/regexutil.h"
#include "support/stringutil.h"
#include "support/xmledit.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    mrv::ExpandContext context;
    context.exeFolder = QStringLiteral("/opt/mirovane");
    context.env = [](const QString &name) { return name.size() % 2 ? name : QString(); };
    context.posix = size % 2 == 0;
    (void)mrv::ExpandPath(text, context);
    (void)mrv::ExpandText(text, context);
    if (const auto hex = mrv::ParseHex(text); hex.ok())
        (void)mrv::WebColorToRgb(*hex);
    (void)mrv::ApplyCeiling(text, QStringLiteral("0"), 65535);
    QList<mrv::MatchInfo> matches;
    (void)mrv::RegexMatches(text, QStringLiteral("(\\d+)\\*(\\d+)"), matches,
                            QStringLiteral("$1") + QChar(u'\0') + QStringLiteral("$2"));
    return 0;
}
