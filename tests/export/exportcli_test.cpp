#include "cli/cliapp.h"
#include "cli/exportcli.h"
#include "export/exporter.h"
#include "export/exportnames.h"
#include "export/exportregistry.h"
#include "project/mvk.h"

#include "exporttestdata.h"
#include "cliinprocess.h"
#include "cliprocess.h"
#include "testsupport.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>

#include <cerrno>
#include <cstring>
#include <memory>

#include <gtest/gtest.h>

namespace mrv {
namespace {

using namespace test;

TEST(CliExport, HelpListsEveryRegisteredTargetInItsOrder)
{
    const Cli help = RunCli({QStringLiteral("--help")});
    ASSERT_EQ(help.code, cli::ExitOk);
    for (const Exporter *exporter : ExportRegistry::All()) {
        const QString id = exporter->id();
        EXPECT_TRUE(
            help.out.contains(QStringLiteral("  mirovane-cli ") + exporter->cliUsage() + u'\n'))
            << id.toStdString();
        // The summary beside the name, wrapped within its column.
        const QRegularExpression entry(QStringLiteral("\n  %1 +(.*\n(?: {20,}.*\n)*)")
                                           .arg(QRegularExpression::escape(id)));
        const QString summary = entry.match(help.out).captured(1).simplified();
        EXPECT_EQ(summary, exporter->summary()) << id.toStdString();
        EXPECT_EQ(RunCli({id, QStringLiteral("--help")}).out,
                  QStringLiteral("Usage: mirovane-cli ") + exporter->cliUsage() + u'\n');
    }
    // The order the help has always had: long picture, sequence, project images, then import.
    qsizetype last = -1;
    for (const char *usage :
         {"mirovane-cli export-long PROJECT", "mirovane-cli export-sequence PROJECT",
          "mirovane-cli export-images PROJECT", "mirovane-cli import-long PROJECT"}) {
        const qsizetype at = help.out.indexOf(QString::fromLatin1(usage));
        EXPECT_GT(at, last) << usage;
        last = at;
    }
}

TEST(CliExport, LongPictureDefaultsToBmpAndWarnsPerUnreadablePicture)
{
    CliProject project;
    const Cli cli =
        RunCli({QStringLiteral("export-long"), project.path, project.File(QStringLiteral("anim"))});
    ASSERT_EQ(cli.code, cli::ExitOk) << cli.err.toStdString();
    const QString target = project.File(QStringLiteral("anim.bmp"));
    EXPECT_EQ(cli.out.trimmed(), target);
    EXPECT_EQ(ReadAll(target).size(), 54 + 600 * 21000);
    const QStringList warnings = cli.err.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(warnings.size(), 1);
    EXPECT_TRUE(warnings.first().contains(QStringLiteral("gone.png")));

    // JPEG entry with a name that already holds ".jpg": name kept, JPEG data.
    const QString odd = project.File(QStringLiteral("anim.jpg.png"));
    EXPECT_EQ(RunCli({QStringLiteral("export-long"), project.path, odd, QStringLiteral("--format"),
                      QStringLiteral("jpg"), QStringLiteral("--no-background")})
                  .code,
              cli::ExitOk);
    EXPECT_TRUE(ReadAll(odd).startsWith("\xff\xd8"));

    // An extension in capitals names its type as in lower case, and the name stays as typed.
    ASSERT_EQ(
        RunCli({QStringLiteral("export-long"), project.path, project.File(QStringLiteral("x.PNG"))})
            .code,
        cli::ExitOk);
    EXPECT_TRUE(ReadAll(project.File(QStringLiteral("x.PNG"))).startsWith("\x89PNG"));
}

TEST(CliExport, SequenceTakesTheLoopAnswerAsTheBoxWould)
{
    CliProject project(7);
    const QString prefix = project.File(QStringLiteral("out/seq.png"));
    QDir().mkpath(project.File(QStringLiteral("out")));
    const Cli cli = RunCli({QStringLiteral("export-sequence"), project.path, prefix,
                            QStringLiteral("--loops"), QStringLiteral("3x")});
    ASSERT_EQ(cli.code, cli::ExitOk) << cli.err.toStdString();
    const QStringList files = QDir(project.File(QStringLiteral("out"))).entryList(QDir::Files);
    EXPECT_EQ(files.size(), 13); // 4 + 3 * 3
    EXPECT_EQ(files.first(), QStringLiteral("seq01.png"));
    EXPECT_EQ(files.last(), QStringLiteral("seq13.png"));

    QDir().mkpath(project.File(QStringLiteral("abc")));
    ASSERT_EQ(RunCli({QStringLiteral("export-sequence"), project.path,
                      project.File(QStringLiteral("abc/s")), QStringLiteral("--loops=abc")})
                  .code,
              cli::ExitOk);
    EXPECT_EQ(QDir(project.File(QStringLiteral("abc"))).entryList(QDir::Files).size(), 7);

    QDir().mkpath(project.File(QStringLiteral("default")));
    ASSERT_EQ(RunCli({QStringLiteral("export-sequence"), project.path,
                      project.File(QStringLiteral("default/s"))})
                  .code,
              cli::ExitOk);
    EXPECT_EQ(QDir(project.File(QStringLiteral("default"))).entryList(QDir::Files).size(), 10);
}

TEST(CliExport, ProjectImagesWriteTheBackgroundAndTheFrameFolder)
{
    CliProject project(4);
    const Cli cli = RunCli({QStringLiteral("export-images"), project.path,
                            project.File(QStringLiteral("proj.jpg")), QStringLiteral("--format"),
                            QStringLiteral("jpg")});
    ASSERT_EQ(cli.code, cli::ExitOk) << cli.err.toStdString();
    EXPECT_TRUE(ReadAll(project.File(QStringLiteral("proj.jpg"))).startsWith("\xff\xd8"));
    EXPECT_EQ(QDir(project.File(QStringLiteral("proj_Frame"))).entryList(QDir::Files),
              (QStringList{QStringLiteral("001.jpg"), QStringLiteral("002.jpg"),
                           QStringLiteral("003.jpg"), QStringLiteral("004.jpg")}));
}

TEST(CliExport, BadArgumentsBadProjectsAndFailedWritesHaveTheirExitCodes)
{
    CliProject project;
    const QString out = project.File(QStringLiteral("o.png"));
    EXPECT_EQ(RunCli({QStringLiteral("export-long"), project.path}).code, cli::ExitUsage);
    EXPECT_EQ(RunCli({QStringLiteral("export-long"), project.path, out, QStringLiteral("--format"),
                      QStringLiteral("webp")})
                  .code,
              cli::ExitUsage);
    EXPECT_EQ(RunCli({QStringLiteral("export-images"), project.path, out,
                      QStringLiteral("--no-background")})
                  .code,
              cli::ExitUsage);
    EXPECT_EQ(
        RunCli({QStringLiteral("export-long"), project.File(QStringLiteral("none.mrv")), out}).code,
        cli::ExitInvalidInput);

    MVK zero;
    ASSERT_TRUE(zero.OpenFile(project.path));
    zero.aWidth = 0;
    const QString zeroPath = SaveProject(zero, project.folder, QStringLiteral("zero.mrv"));
    const Cli refused = RunCli({QStringLiteral("export-sequence"), zeroPath, out});
    EXPECT_EQ(refused.code, cli::ExitInvalidInput);
    EXPECT_FALSE(refused.err.isEmpty());

    const QString lost = project.File(QStringLiteral("missing/dir/strip.bmp"));
    const Cli failed = RunCli({QStringLiteral("export-long"), project.path, lost});
    EXPECT_EQ(failed.code, cli::ExitWriteFailed);
    EXPECT_TRUE(failed.err.contains(QDir::toNativeSeparators(lost)));
    EXPECT_TRUE(failed.out.isEmpty());

    // A file where the frame folder should be.
    project.folder.write(QStringLiteral("blocked_Frame"), "file");
    EXPECT_EQ(RunCli({QStringLiteral("export-images"), project.path,
                      project.File(QStringLiteral("blocked"))})
                  .code,
              cli::ExitWriteFailed);
}

TEST(CliExport, EveryNumberOptionTakesOnlyAWholeNumberInItsRange)
{
    CliProject project;
    int checked = 0;
    for (const Exporter *exporter : ExportRegistry::All()) {
        for (const ExportOptionSpec &spec : exporter->options()) {
            if (spec.kind != OptionKind::Int || spec.readsDigits)
                continue;
            ++checked;
            const QString range = QStringLiteral("%1 到 %2").arg(spec.minimum).arg(spec.maximum);
            for (const QString &text :
                 {QStringLiteral("abc"), QString(), QStringLiteral("1.5"), QStringLiteral("+7"),
                  QStringLiteral("99999999999"), QString::number(spec.minimum - 1),
                  QString::number(spec.maximum + 1)}) {
                const QString out = project.File(QStringLiteral("out-%1").arg(checked));
                const ProcessRun run =
                    RunCliProcess({exporter->id(), project.path, out, spec.cliFlag, text});
                const QString what = exporter->id() + u' ' + spec.cliFlag + u' ' + text;
                EXPECT_EQ(run.code, cli::ExitUsage) << what << run.err;
                EXPECT_TRUE(run.err.startsWith(
                                QStringLiteral("mirovane-cli: %1 “%2”").arg(spec.cliFlag, text)) &&
                            run.err.contains(range))
                    << what << run.err;
                EXPECT_FALSE(QFileInfo::exists(out)) << what;
            }
            // The range's ends are taken, written as plainly as a user would.
            for (const int end : {spec.minimum, spec.maximum}) {
                QStringList args{exporter->id(), project.path,
                                 project.File(QStringLiteral("end-%1-%2").arg(checked).arg(end)),
                                 spec.cliFlag, QString::number(end)};
                if (exporter->formats().size() > 1)
                    args << QStringLiteral("--format") << FormatInfo(exporter->formats().front()).cliName;
                const ProcessRun run = RunCliProcess(args);
                EXPECT_NE(run.code, cli::ExitUsage) << exporter->id() << spec.cliFlag << end << run.err;
            }
        }
    }
    // loops, width, frame time and quality of the animation, the Plymouth theme's frame time,
    // the Android zip's frame time and JPEG quality.
    EXPECT_EQ(checked, 7);
}

/// Runs the real command line with a per-file size limit in KiB, which stands in for a full
/// disk: a write past it fails.
QProcess *RunLimited(int kib, const QStringList &args)
{
    auto *process = new QProcess;
    process->start(QStringLiteral("/bin/sh"),
                   QStringList{QStringLiteral("-c"),
                               QStringLiteral("ulimit -f %1 && exec \"$0\" \"$@\"").arg(kib),
                               QStringLiteral(MIROVANE_CLI_PATH)} +
                       args);
    process->waitForFinished(30000);
    return process;
}

TEST(CliExport, FullDiskIsReportedAndLeavesNoPartialFile)
{
    CliProject project;
    // The 12.6 MB bitmap goes through a temporary file; neither it nor the target remains.
    const QString target = project.File(QStringLiteral("full.bmp"));
    std::unique_ptr<QProcess> strip(
        RunLimited(64, {QStringLiteral("export-long"), project.path, target}));
    EXPECT_EQ(strip->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(strip->exitCode(), cli::ExitWriteFailed);
    EXPECT_TRUE(
        QString::fromUtf8(strip->readAllStandardError()).contains(QStringLiteral("full.bmp")));
    EXPECT_FALSE(QFileInfo::exists(target));
    for (const QString &name : QDir(project.folder.path()).entryList(QDir::Files))
        EXPECT_FALSE(name.contains(QStringLiteral("full"))) << name.toStdString();

    // Sequence pictures are written in place; the one that does not fit is removed.
    QDir().mkpath(project.File(QStringLiteral("seq")));
    std::unique_ptr<QProcess> sequence(
        RunLimited(1, {QStringLiteral("export-sequence"), project.path,
                       project.File(QStringLiteral("seq/s"))}));
    EXPECT_EQ(sequence->exitCode(), cli::ExitWriteFailed);
    EXPECT_TRUE(QDir(project.File(QStringLiteral("seq"))).entryList(QDir::Files).isEmpty());
}

TEST(CliExport, ProjectImagesIntoAMissingFolderFailLikeTheOtherExports)
{
    CliProject project(3);
    const QString missing = project.File(QStringLiteral("missing"));
    for (const char *command : {"export-images", "export-long"}) {
        const ProcessRun cli = RunCliProcess({QString::fromLatin1(command), project.path,
                                              missing + QStringLiteral("/dir/proj.png")});
        EXPECT_EQ(cli.code, cli::ExitWriteFailed) << command;
        EXPECT_TRUE(cli.err.contains(missing + QStringLiteral("/dir"))) << cli.err;
        EXPECT_TRUE(cli.out.isEmpty()) << cli.out;
        EXPECT_FALSE(QFileInfo::exists(missing)) << command << " made the folder";
    }
}

TEST(CliExport, WriteFailuresGiveTheSystemsReason)
{
    CliProject project(3);
    const QString tooLarge = QString::fromLocal8Bit(std::strerror(EFBIG));
    // A long picture in each way of writing: the bitmap in blocks, the others in one piece;
    // the project images write a background and frames; the sequence writes in place.
    QDir().mkpath(project.File(QStringLiteral("seq")));
    const QList<QStringList> runs = {
        {QStringLiteral("export-long"), project.path, project.File(QStringLiteral("a.bmp"))},
        {QStringLiteral("export-long"), project.path, project.File(QStringLiteral("a.png"))},
        {QStringLiteral("export-images"), project.path, project.File(QStringLiteral("i.bmp"))},
        {QStringLiteral("export-sequence"), project.path,
         project.File(QStringLiteral("seq/s.bmp"))},
    };
    for (const QStringList &args : runs) {
        std::unique_ptr<QProcess> run(RunLimited(16, args));
        const QString err = QString::fromUtf8(run->readAllStandardError());
        EXPECT_EQ(run->exitCode(), cli::ExitWriteFailed) << args.join(u' ');
        EXPECT_TRUE(err.contains(tooLarge)) << err;
        EXPECT_FALSE(err.contains(QStringLiteral("Unknown error"))) << err;
    }
}

TEST(CliExport, LoopTextsOutsideTheRuleSayWhichCountWasUsed)
{
    CliProject project(7);
    const struct
    {
        const char *loops;
        int used;
        bool warned;
    } cases[] = {
        {"abc", 1, true},           {"0", 1, true},  {"300", 255, true}, {"3x", 3, true},
        {"99999999999", 255, true}, {"7", 7, false}, {"007", 7, false},  {"255", 255, false}};
    int run = 0;
    for (const auto &c : cases) {
        const QString folder = project.File(QStringLiteral("loops%1").arg(++run));
        QDir().mkpath(folder);
        const ProcessRun cli = RunCliProcess(
            {QStringLiteral("export-sequence"), project.path, folder + QStringLiteral("/s"),
             QStringLiteral("--loops"), QString::fromLatin1(c.loops), QStringLiteral("--format"),
             QStringLiteral("bmp")});
        ASSERT_EQ(cli.code, cli::ExitOk) << c.loops << cli.err;
        EXPECT_EQ(QDir(folder).entryList(QDir::Files).size(), 4 + 3 * c.used) << c.loops;
        const QStringList warnings =
            cli.err.split(u'\n', Qt::SkipEmptyParts).filter(QStringLiteral("--loops"));
        if (!c.warned) {
            EXPECT_TRUE(warnings.isEmpty()) << c.loops << cli.err;
            continue;
        }
        ASSERT_EQ(warnings.size(), 1) << c.loops << cli.err;
        EXPECT_TRUE(warnings.first().contains(QString::fromLatin1(c.loops)));
        EXPECT_TRUE(warnings.first().contains(QStringLiteral(" %1 ").arg(c.used)))
            << warnings.first();
    }
}

} // namespace
} // namespace mrv
