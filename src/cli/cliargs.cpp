#include "cli/cliargs.h"

namespace mrv::cli {

Result<CliArgs> CliArgs::Parse(const QStringList &args, const QSet<QString> &valueOptions,
                               const QSet<QString> &flags)
{
    CliArgs parsed;
    bool onlyPositional = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &arg = args[i];
        if (onlyPositional || !arg.startsWith(u"--")) {
            parsed.m_positional << arg;
            continue;
        }
        if (arg == u"--") {
            onlyPositional = true;
            continue;
        }
        QString name = arg;
        QString inlineValue;
        const qsizetype eq = arg.indexOf(u'=');
        const bool hasInline = eq > 0;
        if (hasInline) {
            name = arg.left(eq);
            inlineValue = arg.mid(eq + 1);
        }
        if (valueOptions.contains(name)) {
            if (hasInline) {
                parsed.m_values.insert(name, inlineValue);
            } else if (i + 1 < args.size()) {
                parsed.m_values.insert(name, args[++i]);
            } else {
                return Result<CliArgs>::Fail(QStringLiteral("option %1 needs a value").arg(name));
            }
        } else if (flags.contains(name) && !hasInline) {
            parsed.m_flags.insert(name);
        } else {
            return Result<CliArgs>::Fail(QStringLiteral("unknown option %1").arg(arg));
        }
    }
    return parsed;
}

} // namespace mrv::cli
