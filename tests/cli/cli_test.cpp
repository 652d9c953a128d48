#include "cli/cliapp.h"
#include "project/mvk.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <gtest/gtest.h>

using namespace mrv;
using mrv::test::TempFolder;

namespace {

struct CliRun
{
    int code = -1;
    QString out;
    QString err;
};

CliRun runCli(const QStringList &args)
{
    CliRun run;
    QTextStream out(&run.out);
    QTextStream err(&run.err);
    run.code = cli::RunCli(args, out, err);
    out.flush();
    err.flush();
    return run;
}

/// The real command line, as a user runs it, with these environment variables set (NAME=value)
/// and the language ones (LANGUAGE, LANG, LC_ALL, LC_MESSAGES) unset unless given.
CliRun runProcess(const QStringList &args, const QStringList &environment = {})
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!environment.isEmpty())
        for (const char *name : {"LANGUAGE", "LANG", "LC_ALL", "LC_MESSAGES"})
            env.remove(QString::fromLatin1(name));
    for (const QString &setting : environment)
        env.insert(setting.section(u'=', 0, 0), setting.section(u'=', 1));
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(MIROVANE_CLI_PATH), args);
    if (!process.waitForFinished(20000)) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

} // namespace

TEST(Cli, HelpVersionAndUsageErrors)
{
    EXPECT_EQ(runCli({QStringLiteral("--version")}).out, QStringLiteral("1.4.34\n"));
    const CliRun help = runCli({QStringLiteral("--help")});
    EXPECT_EQ(help.code, 0);
    EXPECT_TRUE(help.out.contains(QStringLiteral("info PROJECT [--json]")));
    EXPECT_EQ(runCli({}).code, cli::ExitUsage);
    EXPECT_EQ(runCli({QStringLiteral("frobnicate")}).code, cli::ExitUsage);
    EXPECT_EQ(runCli({QStringLiteral("info")}).code, cli::ExitUsage);
    EXPECT_EQ(runCli({QStringLiteral("info"), QStringLiteral("a"), QStringLiteral("b")}).code, cli::ExitUsage);
    EXPECT_EQ(runCli({QStringLiteral("new"), QStringLiteral("x.mrv"), QStringLiteral("--bogus")}).code,
              cli::ExitUsage);
    EXPECT_EQ(runCli({QStringLiteral("new"), QStringLiteral("x.mrv"), QStringLiteral("--name")}).code,
              cli::ExitUsage);
}

TEST(Cli, NewWritesADefaultProjectPlainOrPretty)
{
    TempFolder dir;
    const QString plain = dir.file(QStringLiteral("plain.mrv"));
    const QString pretty = dir.file(QStringLiteral("pretty.mrv"));
    EXPECT_EQ(runCli({QStringLiteral("new"), plain}).code, 0);
    EXPECT_EQ(runCli({QStringLiteral("new"), pretty, QStringLiteral("--pretty"), QStringLiteral("--name"),
                   QStringLiteral("开机")})
                  .code,
              0);
    EXPECT_FALSE(mrv::test::ReadAll(plain).contains('\n'));
    EXPECT_TRUE(mrv::test::ReadAll(pretty).contains("standalone=\"yes\""));
    MVK read;
    ASSERT_TRUE(read.OpenFile(pretty).ok());
    EXPECT_EQ(read.aName, QStringLiteral("开机"));
    EXPECT_EQ(read.aFrame.Count(), 105);

    const CliRun failed = runCli({QStringLiteral("new"), dir.file(QStringLiteral("missing/dir/p.mrv"))});
    EXPECT_EQ(failed.code, cli::ExitWriteFailed);
    EXPECT_TRUE(failed.err.contains(QStringLiteral("missing/dir/p.mrv")));
}

TEST(Cli, InfoChecksLikeTheEditorAndPrintsResolvedPaths)
{
    TempFolder dir;
    const QString path = dir.write(
        QStringLiteral("p.mrv"),
        "<MRV><Config Name='n' Width='800' Height='600'><Background Url='bg.jpg' X='1' Y='2'/>"
        "<Frames><Image Url='f\\a.png' X='-3' Y='4'/><Image Url='/abs/b.png'/></Frames></Config></MRV>");
    const CliRun json = runCli({QStringLiteral("info"), path, QStringLiteral("--json")});
    ASSERT_EQ(json.code, 0) << json.err.toStdString();
    const QJsonObject root = QJsonDocument::fromJson(json.out.toUtf8()).object();
    EXPECT_EQ(root[QStringLiteral("name")].toString(), QStringLiteral("n"));
    EXPECT_EQ(root[QStringLiteral("width")].toInt(), 800);
    EXPECT_EQ(root[QStringLiteral("height")].toInt(), 600);
    EXPECT_EQ(root[QStringLiteral("file")].toString(), path);
    EXPECT_EQ(root[QStringLiteral("folder")].toString(), dir.path());
    const QJsonObject bg = root[QStringLiteral("background")].toObject();
    EXPECT_EQ(bg[QStringLiteral("path")].toString(), dir.path() + QStringLiteral("/bg.jpg"));
    EXPECT_EQ(bg[QStringLiteral("y")].toInt(), 2);
    const QJsonArray frames = root[QStringLiteral("frames")].toArray();
    ASSERT_EQ(frames.size(), 2);
    EXPECT_EQ(frames[0].toObject()[QStringLiteral("url")].toString(), QStringLiteral("f\\a.png"));
    EXPECT_EQ(frames[0].toObject()[QStringLiteral("x")].toInt(), -3);
    EXPECT_EQ(frames[0].toObject()[QStringLiteral("path")].toString(), dir.path() + QStringLiteral("/f/a.png"));
    EXPECT_EQ(frames[1].toObject()[QStringLiteral("path")].toString(), QStringLiteral("/abs/b.png"));

    const CliRun plain = runCli({QStringLiteral("info"), path});
    EXPECT_EQ(plain.code, 0);
    EXPECT_TRUE(plain.out.contains(QStringLiteral("800 x 600")));
}

TEST(Cli, InfoRejectsBadInputWithTheEditorsMessages)
{
    TempFolder dir;
    const QString other = dir.write(QStringLiteral("o.xml"), "<Soft/>");
    const QString broken = dir.write(QStringLiteral("b.mrv"), "not xml");
    const QString bad = dir.write(QStringLiteral("bad.mrv"), "<MRV><Config Width='70000'/></MRV>");
    const CliRun r1 = runCli({QStringLiteral("info"), other});
    EXPECT_EQ(r1.code, cli::ExitInvalidInput);
    EXPECT_EQ(r1.err.split(u'\n').first(), QStringLiteral("该XML文件不是MRVK工程文件"));
    const CliRun r2 = runCli({QStringLiteral("info"), broken});
    EXPECT_EQ(r2.code, cli::ExitInvalidInput);
    EXPECT_EQ(r2.err.split(u'\n').first(), QStringLiteral("工程文件读取失败"));
    const CliRun r3 = runCli({QStringLiteral("info"), dir.file(QStringLiteral("none.mrv"))});
    EXPECT_EQ(r3.code, cli::ExitInvalidInput);
    const CliRun r4 = runCli({QStringLiteral("info"), bad});
    EXPECT_EQ(r4.code, cli::ExitInvalidInput);
    EXPECT_TRUE(r4.err.contains(QStringLiteral("Width")));
}

TEST(Cli, AProjectThatCannotBeOpenedIsNamedWithTheReason)
{
    TempFolder dir;
    const struct
    {
        QString path;
        const char *message;
        QString reason;
    } cases[] = {
        {dir.file(QStringLiteral("none.mrv")), "工程文件读取失败", QStringLiteral("文件不存在")},
        {dir.write(QStringLiteral("text.mrv"), "just\nsome text <"), "工程文件读取失败",
         QStringLiteral("不是有效的 XML")},
        {dir.write(QStringLiteral("cut.mrv"), "<MRV>\n<Config>\n</MRV>\n"), "工程文件读取失败",
         QStringLiteral("第 3 行")},
        {dir.write(QStringLiteral("soft.xml"), "<Soft><Config/></Soft>"),
         "该XML文件不是MRVK工程文件", QStringLiteral("<Soft>")},
        {dir.write(QStringLiteral("empty.mrv"), "<MRV/>"), "该XML文件不是MRVK工程文件",
         QStringLiteral("<Config>")},
        {dir.write(QStringLiteral("wide.mrv"), "<MRV><Config Width='70000'/></MRV>"),
         "工程文件读取失败", QString()},
    };
    for (const auto &c : cases) {
        QProcess process;
        process.start(QStringLiteral(MIROVANE_CLI_PATH), {QStringLiteral("info"), c.path});
        ASSERT_TRUE(process.waitForFinished(20000));
        EXPECT_EQ(process.exitCode(), cli::ExitInvalidInput);
        const QStringList lines =
            QString::fromUtf8(process.readAllStandardError()).split(u'\n', Qt::SkipEmptyParts);
        ASSERT_EQ(lines.size(), 2) << lines.join(u'|');
        // The editor's own words come first and unchanged, then the file and why.
        EXPECT_TRUE(lines[0].startsWith(QString::fromUtf8(c.message))) << lines[0];
        EXPECT_TRUE(lines[1].startsWith(c.path)) << lines[1];
        EXPECT_TRUE(lines[1].contains(c.reason)) << lines[1] << " lacks " << c.reason;
    }
}

TEST(Cli, MessagesFollowTheFirstOfTheUsersLanguagesThatTheProgramHas)
{
    TempFolder dir;
    const QString missing = dir.file(QStringLiteral("none.mrv"));
    const QString english = QStringLiteral("The project file could not be read");
    const QString chinese = QStringLiteral("工程文件读取失败");
    const struct
    {
        QStringList environment;
        QString first; ///< the start of the message
    } cases[] = {
        {{QStringLiteral("LANGUAGE=en_GB"), QStringLiteral("LC_ALL=C.UTF-8")}, english},
        {{QStringLiteral("LC_ALL=en_US.UTF-8")}, english},
        {{QStringLiteral("LANGUAGE=de:en"), QStringLiteral("LANG=de_DE.UTF-8")}, english},
        {{QStringLiteral("LANGUAGE=fr:zh_CN:en"), QStringLiteral("LANG=fr_FR.UTF-8")}, chinese},
        {{QStringLiteral("LANGUAGE=zh_CN"), QStringLiteral("LC_ALL=en_US.UTF-8")}, chinese},
        {{QStringLiteral("LANG=de_DE.UTF-8")}, chinese},
        {{QStringLiteral("LC_ALL=C")}, chinese},
        {{QStringLiteral("LANG=POSIX")}, chinese},
    };
    for (const auto &c : cases) {
        const CliRun run = runProcess({QStringLiteral("info"), missing}, c.environment);
        EXPECT_EQ(run.code, cli::ExitInvalidInput);
        const QStringList lines = run.err.split(u'\n', Qt::SkipEmptyParts);
        ASSERT_EQ(lines.size(), 2) << c.environment.join(u' ');
        EXPECT_TRUE(lines[0].startsWith(c.first)) << c.environment.join(u' ') << ": " << lines[0];
    }
}

TEST(Cli, NewReplacesAnExistingFileOnlyWithForce)
{
    TempFolder dir;
    const QByteArray work = "<MRV><Config Name='work'/></MRV>";
    QDir(dir.path()).mkdir(QStringLiteral("folder"));
    QFile::link(dir.file(QStringLiteral("nowhere.mrv")), dir.file(QStringLiteral("dangling.mrv")));
    const struct
    {
        QString name;
        bool force;
        int code;
    } cases[] = {
        {QStringLiteral("work.mrv"), false, cli::ExitWriteFailed},
        {QStringLiteral("folder"), false, cli::ExitWriteFailed},
        {QStringLiteral("dangling.mrv"), false, cli::ExitWriteFailed},
        {QStringLiteral("work.mrv"), true, cli::ExitOk},
        {QStringLiteral("fresh.mrv"), false, cli::ExitOk},
    };
    for (const auto &c : cases) {
        dir.write(QStringLiteral("work.mrv"), work);
        const QString path = dir.file(c.name);
        QStringList args{QStringLiteral("new"), path};
        if (c.force)
            args << QStringLiteral("--force");
        const CliRun run = runProcess(args);
        EXPECT_EQ(run.code, c.code) << c.name << run.err;
        if (c.code == cli::ExitOk) {
            MVK written;
            EXPECT_TRUE(written.OpenFile(path).ok()) << c.name;
            EXPECT_EQ(written.aFrame.Count(), 105) << c.name;
            continue;
        }
        // Named, and nothing touched: not the file, not what a dangling link points at.
        EXPECT_TRUE(run.err.contains(path) && run.err.contains(QStringLiteral("--force")))
            << run.err;
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_EQ(mrv::test::ReadAll(dir.file(QStringLiteral("work.mrv"))), work);
        EXPECT_FALSE(QFile::exists(dir.file(QStringLiteral("nowhere.mrv"))));
    }
}

TEST(Cli, EnglishMessagesShareOneStyle)
{
    TempFolder dir;
    QImage picture(20, 20, QImage::Format_ARGB32);
    picture.fill(Qt::red);
    const QString notes = dir.write(QStringLiteral("frames/notes.txt"), "not a picture");
    ASSERT_TRUE(picture.save(dir.file(QStringLiteral("frames/1.png"))));
    const QString project = dir.file(QStringLiteral("p.mrv"));
    ASSERT_EQ(runProcess({QStringLiteral("new"), project}).code, 0);
    const struct
    {
        QStringList args;
        int code;
        QStringList lines; ///< the start of each line on standard error
    } cases[] = {
        {{QStringLiteral("import-frames"), project, dir.file(QStringLiteral("frames"))},
         cli::ExitOk,
         {QStringLiteral("Warning: skipped “%1”: ").arg(notes),
          QStringLiteral("Warning: The project now has 1 frame. ")}},
        {{QStringLiteral("info")},
         cli::ExitUsage,
         {QStringLiteral("mirovane-cli: expected one PROJECT"),
          QStringLiteral("Usage: mirovane-cli info PROJECT [--json]")}},
        {{QStringLiteral("export-long"), project, QStringLiteral("x"), QStringLiteral("--format"),
          QStringLiteral("xyz")},
         cli::ExitUsage,
         {QStringLiteral("mirovane-cli: unknown format “xyz” (use "),
          QStringLiteral("Usage: mirovane-cli export-long PROJECT OUT")}},
        {{QStringLiteral("demo"), QStringLiteral("--bogus")},
         cli::ExitUsage,
         {QStringLiteral("mirovane-cli: unknown option --bogus"),
          QStringLiteral("Usage: mirovane-cli demo DIR")}},
        {{QStringLiteral("frob")},
         cli::ExitUsage,
         {QStringLiteral("mirovane-cli: unknown command “frob” (see mirovane-cli --help)")}},
        {{QStringLiteral("new"), project},
         cli::ExitWriteFailed,
         {QStringLiteral("“%1” exists already; nothing was written").arg(project)}},
    };
    for (const auto &c : cases) {
        const CliRun run = runProcess(c.args, {QStringLiteral("LANGUAGE=en")});
        EXPECT_EQ(run.code, c.code) << c.args.join(u' ') << run.err;
        const QStringList lines = run.err.split(u'\n', Qt::SkipEmptyParts);
        ASSERT_EQ(lines.size(), c.lines.size()) << run.err;
        for (qsizetype i = 0; i < lines.size(); ++i)
            EXPECT_TRUE(lines[i].startsWith(c.lines[i])) << lines[i] << " vs " << c.lines[i];
    }

    // The help fits a terminal: only the usage lines, which scripts read whole, may be longer.
    const CliRun help = runProcess({QStringLiteral("--help")}, {QStringLiteral("LANGUAGE=en")});
    for (const QString &line : help.out.split(u'\n'))
        EXPECT_TRUE(line.size() <= 80 || line.startsWith(QStringLiteral("  mirovane-cli ")))
            << line;
}

TEST(Cli, TheExecutableMakesRelativeArgumentsAbsolute)
{
    TempFolder dir;
    QProcess process;
    process.setWorkingDirectory(dir.path());
    process.start(QStringLiteral(MIROVANE_CLI_PATH),
                  {QStringLiteral("new"), QStringLiteral("rel.mrv")});
    ASSERT_TRUE(process.waitForFinished(20000));
    EXPECT_EQ(process.exitCode(), 0);
    process.start(QStringLiteral(MIROVANE_CLI_PATH),
                  {QStringLiteral("info"), QStringLiteral("rel.mrv"), QStringLiteral("--json")});
    ASSERT_TRUE(process.waitForFinished(20000));
    EXPECT_EQ(process.exitCode(), 0);
    const QJsonObject root = QJsonDocument::fromJson(process.readAllStandardOutput()).object();
    EXPECT_EQ(root[QStringLiteral("folder")].toString(), QDir(dir.path()).canonicalPath());
}

TEST(EditorExecutable, HelpVersionAndAMissingDisplayAnswerWithoutAWindow)
{
    struct Case
    {
        QStringList args;
        int code;
        QString printed; // on stdout for 0, on stderr otherwise
    };
    const QList<Case> cases = {
        {{QStringLiteral("--version")}, 0, QStringLiteral("mirovane 1.4.34\n")},
        {{QStringLiteral("--help")}, 0, QStringLiteral("Usage: mirovane [PROJECT.mrv ...]")},
        {{}, 2, QStringLiteral("mirovane: no display")},
    };
    if (QStringLiteral(MIROVANE_APP_PATH).isEmpty())
        GTEST_SKIP() << "SKIPPED: the editor is not part of this build";
    for (const Case &c : cases) {
        QProcess editor;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(QString::fromLatin1(name));
        editor.setProcessEnvironment(env);
        editor.start(QStringLiteral(MIROVANE_APP_PATH), c.args);
        ASSERT_TRUE(editor.waitForFinished(30000)) << c.args.join(u' ').toStdString();
        EXPECT_EQ(editor.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(editor.exitCode(), c.code);
        const QString printed = QString::fromUtf8(c.code == 0 ? editor.readAllStandardOutput()
                                                              : editor.readAllStandardError());
        EXPECT_TRUE(printed.startsWith(c.printed)) << printed.toStdString();
        if (c.code != 0) {
            EXPECT_EQ(printed.count(u'\n'), 1) << "one line, not Qt's abort";
        }
    }
}
