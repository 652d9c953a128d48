// Export targets and project folders a user may hand the program: each either works or says
// why, and nothing half-written is left behind.
#include "project/mvk.h"

#include "exporttestdata.h"
#include "testsupport.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <gtest/gtest.h>

#include <unistd.h>

namespace mrv {
namespace {

using namespace test;

struct CliOutcome
{
    int code = -1;
    QString err;
};

/// Runs mirovane-cli; with `unprivileged`, as the user "nobody", so permission bits count
/// even when the tests run as root.
CliOutcome runCli(const QStringList &args, bool unprivileged = false)
{
    QProcess process;
    if (unprivileged && geteuid() == 0)
        process.setChildProcessModifier([] {
            if (setgid(65534) != 0 || setuid(65534) != 0)
                _exit(99);
        });
    process.start(QStringLiteral(MIROVANE_CLI_PATH), args);
    process.waitForFinished(60000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardError())};
}

/// A project whose folder name has spaces and Chinese characters and whose only frame is
/// reached through "..".
QString projectInAwkwardFolder(const TempFolder &root)
{
    const QString projectFolder = root.file(QStringLiteral("我的 动画/工程 1"));
    const QString pictures = root.file(QStringLiteral("我的 动画/图片 集"));
    QDir().mkpath(projectFolder);
    QDir().mkpath(pictures);
    WritePng(pictures + QStringLiteral("/黄 色.png"), Flat(200, 200, Yellow));
    MVK project;
    project.aName = QStringLiteral("测试 工程");
    project.aWidth = 1024;
    project.aHeight = 768;
    project.aBackground = aImage{};
    project.aFrame.Add(QStringLiteral("..\\图片 集\\黄 色.png"), 0, 0);
    const QString path = projectFolder + QStringLiteral("/工程 文件.mrv");
    EXPECT_TRUE(project.SaveFile(path, {}).ok());
    return path;
}

} // namespace

TEST(HostileExports, SpacesChineseAndDotDotInPathsWork)
{
    TempFolder root;
    const QString project = projectInAwkwardFolder(root);
    const QString out = root.file(QStringLiteral("输出 目录/长 图.png"));
    QDir().mkpath(QFileInfo(out).absolutePath());
    const CliOutcome run = runCli({QStringLiteral("export-long"), project, out});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_TRUE(run.err.isEmpty()) << run.err; // the frame was found: no unreadable warning
    const QImage strip = ReadBack(out);
    ASSERT_EQ(strip.size(), QSize(200, 21000));
    EXPECT_EQ(At(strip, 100, 100), Yellow);
}

TEST(HostileExports, AReadOnlyFolderIsReportedAndLeftEmpty)
{
    TempFolder root;
    const QString project = projectInAwkwardFolder(root);
    const QString locked = root.file(QStringLiteral("locked"));
    QDir().mkpath(locked);
    // The unprivileged child must reach the project, but not write into "locked".
    for (QString dir = locked; dir.startsWith(QDir::tempPath()) && dir.size() > QDir::tempPath().size();
         dir = QFileInfo(dir).absolutePath())
        QFile::setPermissions(dir, QFile::permissions(dir) | QFile::ReadOther | QFile::ExeOther);
    QDirIterator::IteratorFlags flags = QDirIterator::Subdirectories;
    for (QDirIterator it(root.path(), QDir::AllEntries | QDir::NoDotAndDotDot, flags); it.hasNext();) {
        const QString entry = it.next();
        QFile::setPermissions(entry, QFile::permissions(entry) | QFile::ReadOther | QFile::ExeOther);
    }
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther
                                      | QFile::ExeOther | QFile::ReadGroup | QFile::ExeGroup);

    const CliOutcome longPicture = runCli({QStringLiteral("export-long"), project,
                                    locked + QStringLiteral("/strip.bmp")}, true);
    EXPECT_EQ(longPicture.code, 3) << longPicture.err;
    EXPECT_TRUE(longPicture.err.contains(locked)) << longPicture.err;
    const CliOutcome sequence = runCli({QStringLiteral("export-sequence"), project,
                                 locked + QStringLiteral("/seq")}, true);
    EXPECT_EQ(sequence.code, 3) << sequence.err;
    EXPECT_TRUE(QDir(locked).isEmpty());
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST(HostileExports, AFolderStandingAtTheTargetIsNotReplaced)
{
    TempFolder root;
    const QString project = projectInAwkwardFolder(root);
    const QString target = root.file(QStringLiteral("strip.bmp"));
    QDir().mkpath(target + QStringLiteral("/inside"));
    const CliOutcome run = runCli({QStringLiteral("export-long"), project, target});
    EXPECT_EQ(run.code, 3);
    EXPECT_TRUE(run.err.contains(QStringLiteral("strip.bmp"))) << run.err;
    EXPECT_TRUE(QFileInfo(target + QStringLiteral("/inside")).isDir());
}

} // namespace mrv
