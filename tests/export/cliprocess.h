#pragma once

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <algorithm>

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

/// A run of the command line with the most memory it held at once.
struct MeasuredRun : ProcessRun
{
    long peakKb = 0; ///< peak resident memory, in kB
};

/// The high-water mark of a running process's resident memory in kB; 0 once it has ended.
inline long PeakResidentKb(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return 0;
}

/// Runs the real command line, looking at its memory's high-water mark every few
/// milliseconds; the mark only grows, so a late look still sees an earlier peak.
inline MeasuredRun RunCliMeasured(const QStringList &args, int timeoutMs)
{
    QProcess process;
    process.start(QStringLiteral(MIROVANE_CLI_PATH), args);
    MeasuredRun run;
    QElapsedTimer clock;
    clock.start();
    while (!process.waitForFinished(5) && process.state() != QProcess::NotRunning) {
        run.peakKb = std::max(run.peakKb, PeakResidentKb(process.processId()));
        if (clock.elapsed() > timeoutMs) {
            process.kill();
            process.waitForFinished();
            run.err = QStringLiteral("still running after %1 ms: ").arg(timeoutMs);
            break;
        }
    }
    run.err += QString::fromUtf8(process.readAllStandardError());
    if (run.err.startsWith(QStringLiteral("still running")))
        return run;
    run.code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return run;
}

} // namespace mrv::test
