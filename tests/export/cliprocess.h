#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

namespace mrv::test {

/// How a program's run ended (-1: it did not finish, or crashed) and what it printed.
struct ProcessRun
{
    int code = -1;
    QString out;
    QString err;
};

/// Runs a program and waits for it.
inline ProcessRun RunProgram(const QString &program, const QStringList &args, int timeoutMs = 60000)
{
    QProcess process;
    process.start(program, args);
    process.waitForFinished(timeoutMs);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

/// The real command line, as a user runs it.
inline ProcessRun RunCliProcess(const QStringList &args)
{
    return RunProgram(QStringLiteral(MIROVANE_CLI_PATH), args);
}

} // namespace mrv::test
