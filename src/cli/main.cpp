#include "cli/cliapp.h"
#include "cli/exportcli.h"
#include "support/threadshutdown.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    int code = 0;
    {
        QCoreApplication app(argc, argv);
        QCoreApplication::setApplicationName(QStringLiteral("Mirovane"));
        mrv::cli::PrepareProcessSignals();
        QTextStream out(stdout);
        QTextStream err(stderr);
        code = mrv::cli::RunCli(QCoreApplication::arguments().mid(1), out, err);
        out.flush();
        err.flush();
    } // the application stops the global thread pool
    mrv::WaitForPoolThreadsToEnd();
    return code;
}
