#pragma once

#include "support/result.h"

#include <QMap>
#include <QSet>
#include <QString>
#include <QStringList>

namespace mrv::cli {

/// Arguments of one subcommand: positional values, options that take a value ("--x TEXT")
/// and flags ("--pretty"). "--name=value" is accepted too.
class CliArgs
{
public:
    static Result<CliArgs> Parse(const QStringList &args, const QSet<QString> &valueOptions,
                                 const QSet<QString> &flags);

    const QStringList &positional() const { return m_positional; }
    bool has(const QString &option) const { return m_values.contains(option) || m_flags.contains(option); }
    QString value(const QString &option, const QString &fallback = {}) const
    {
        return m_values.value(option, fallback);
    }

private:
    QStringList m_positional;
    QMap<QString, QString> m_values;
    QSet<QString> m_flags;
};

} // namespace mrv::cli
