#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

namespace mrv::test {

/// How a program's run ended (-1: it did not finish in time, or crashed) and what it printed.
struct ProcessRun
{
    int code = -1;
    QString out;
    QString err;
};

/// Runs a program and waits for it; one still running at the time-out is killed, so that a
/// hang fails the test instead of blocking it.
inline ProcessRun RunProgram(const QString &program, const QStringList &args, int timeoutMs = 60000)
{
    QProcess process;
    process.start(program, args);
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        return {-1, QString::fromUtf8(process.readAllStandardOutput()),
                QStringLiteral("still running after %1 ms: ").arg(timeoutMs)
                    + QString::fromUtf8(process.readAllStandardError())};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

/// The real command line, as a user runs it.
inline ProcessRun RunCliProcess(const QStringList &args, int timeoutMs = 60000)
{
    return RunProgram(QStringLiteral(MIROVANE_CLI_PATH), args, timeoutMs);
}

} // namespace mrv::test
