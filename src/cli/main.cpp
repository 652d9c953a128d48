#include "cli/cliapp.h"
#include "cli/exportcli.h"
#include "support/threadshutdown.h"
#include "uilanguage.h"

#include <QCoreApplication>
#include <QLocale>

#include <cstdio>

int main(int argc, char *argv[])
{
    int code = 0;
    {
        QCoreApplication app(argc, argv);
        QCoreApplication::setApplicationName(QStringLiteral("Mirovane"));
        mrv::cli::PrepareProcessSignals();
        // The messages follow the system's language, as the editor's do until its options
        // choose one; scripts on a C locale read what they always read.
        mrv::InterfaceTranslators translators(false);
        translators.Use(mrv::SpeaksEnglish(mrv::LanguageChoice::System,
                                           QLocale::system().uiLanguages()));
        QTextStream out(stdout);
        QTextStream err(stderr);
        code = mrv::cli::RunCli(QCoreApplication::arguments().mid(1), out, err);
        out.flush();
        err.flush();
    } // the application stops the global thread pool
    mrv::WaitForPoolThreadsToEnd();
    return code;
}
