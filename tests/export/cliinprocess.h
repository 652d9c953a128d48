#pragma once

#include "cli/cliapp.h"
#include "project/mvk.h"

#include "exporttestdata.h"
#include "testsupport.h"

#include <QString>
#include <QStringList>
#include <QTextStream>

namespace mrv::test {

/// How a command line run in this process ended and what it printed.
struct Cli
{
    int code = -1;
    QString out;
    QString err;
};

inline Cli RunCli(const QStringList &args)
{
    Cli cli;
    QTextStream out(&cli.out);
    QTextStream err(&cli.err);
    cli.code = cli::RunCli(args, out, err);
    out.flush();
    err.flush();
    return cli;
}

/// A saved project with the reference background and `frames` yellow squares, one of them
/// (the third, when there is one) pointing at a missing file.
struct CliProject
{
    TempFolder folder;
    QString path;
    explicit CliProject(int frames = 7, int width = 1024)
    {
        WritePng(folder.file(QStringLiteral("bg.png")), ReferenceBackground());
        WritePng(folder.file(QStringLiteral("sq.png")), Flat(30, 30, Yellow));
        QStringList paths;
        for (int i = 1; i <= frames; ++i)
            paths << (i == 3 ? QStringLiteral("gone.png") : QStringLiteral("sq.png"));
        MVK project = MakeProject(folder, width, 768, paths);
        path = SaveProject(project, folder);
    }
    QString File(const QString &name) const { return folder.file(name); }
};

} // namespace mrv::test
