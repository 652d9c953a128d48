#pragma once

#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QThread>

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

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
struct MeasuredRun
{
    int code = -1; ///< -1: killed at the time-out, or crashed
    QString err;
    long peakKb = 0; ///< peak resident memory of the program
};

/// The high-water mark of a process's resident memory in kB; 0 once it has ended.
inline long PeakResidentKb(const QString &pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return 0;
}

/// Runs the real command line with its error output in errFile and measures its peak memory.
/// QProcess reaps its children itself, so this one is forked and waited for here. The
/// kernel's count at the end includes the memory of this process at the fork; it is taken
/// when it is above that, else the high-water mark looked at while the program runs.
inline MeasuredRun RunCliMeasured(const QStringList &args, const QString &errFile, int timeoutMs)
{
    std::vector<std::string> strings{MIROVANE_CLI_PATH};
    for (const QString &arg : args)
        strings.push_back(QFile::encodeName(arg).toStdString());
    std::vector<char *> argv;
    for (std::string &s : strings)
        argv.push_back(s.data());
    argv.push_back(nullptr);
    const std::string errPath = QFile::encodeName(errFile).toStdString();
    const long ownPeak = PeakResidentKb(QStringLiteral("self"));
    const pid_t pid = fork();
    if (pid == 0) {
        const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int null = open("/dev/null", O_RDWR);
        if (err < 0 || null < 0 || dup2(err, 2) < 0 || dup2(null, 1) < 0 || dup2(null, 0) < 0)
            _exit(127);
        execv(argv[0], argv.data());
        _exit(127);
    }
    MeasuredRun run;
    if (pid < 0)
        return run;
    int status = 0;
    rusage usage{};
    long seen = 0;
    for (int waited = 0; wait4(pid, &status, WNOHANG, &usage) == 0; waited += 5) {
        seen = std::max(seen, PeakResidentKb(QString::number(pid)));
        if (waited >= timeoutMs) {
            kill(pid, SIGKILL);
            wait4(pid, &status, 0, &usage);
            run.err = QStringLiteral("still running after %1 ms: ").arg(timeoutMs);
            status = -1;
            break;
        }
        QThread::msleep(5);
    }
    QFile err(errFile);
    if (err.open(QIODevice::ReadOnly))
        run.err += QString::fromUtf8(err.readAll());
    run.peakKb = usage.ru_maxrss > ownPeak ? usage.ru_maxrss : seen;
    run.code = status != -1 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

} // namespace mrv::test
