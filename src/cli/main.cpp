#include "cli/cliapp.h"
#include "cli/exportcli.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Mirovane"));
    mrv::cli::PrepareProcessSignals();
    QTextStream out(stdout);
    QTextStream err(stderr);
    const int code = mrv::cli::RunCli(QCoreApplication::arguments().mid(1), out, err);
    out.flush();
    err.flush();
    return code;
}
