// A writer killed in the middle of saving must leave each file either as it was or complete.
#include "settings/settings.h"
#include "project/mvk.h"
#include "support/xmledit.h"
#include "testsupport.h"

#include <QCoreApplication>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>

#include <gtest/gtest.h>

using namespace mrv;

namespace {

const char *LoopFolderVariable = "MIROVANE_SAVE_LOOP_DIR";

MVK projectVersion(int version)
{
    MVK project;
    project.AddNew();
    project.aName = QStringLiteral("version %1").arg(version);
    for (int i = 0; i < 2000 * version; ++i)
        project.aFrame.Add(QStringLiteral("frames\\%1.png").arg(i), qint16(version), 0);
    return project;
}

} // namespace

// Runs only inside the child process started below: saves two versions in turn, forever.
TEST(InterruptedSaveChild, SaveInALoop)
{
    const QString folder = qEnvironmentVariable(LoopFolderVariable);
    if (folder.isEmpty())
        GTEST_SKIP() << "only runs as the writer of InterruptedSave";
    auto settings = LoadSettings(folder);
    ASSERT_TRUE(settings.ok());
    for (int round = 0;; ++round) {
        const int version = 1 + round % 2;
        MVK project = projectVersion(version);
        (void)project.SaveFile(folder + QStringLiteral("/p.mrv"), SaveOptions{version == 2, QString()});
        settings->FormatProject = version == 2;
        for (int i = 0; i < 300; ++i)
            (void)XmlSetAttr(*settings->ConfigDocument, QStringLiteral("/Soft/Padding/P%1").arg(i),
                             QStringLiteral("v"), QString::number(version), 0);
        (void)SaveSettings(*settings);
    }
}

TEST(InterruptedSave, KilledWriterLeavesOldOrNewCompleteFiles)
{
    test::TempFolder dir;
    dir.write(ConfigFileName, "<Soft><Config FormatProject='0'/></Soft>");
    MVK first = projectVersion(1);
    ASSERT_TRUE(first.SaveFile(dir.file(QStringLiteral("p.mrv")), SaveOptions{}).ok());

    for (int attempt = 0; attempt < 12; ++attempt) {
        QProcess writer;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QString::fromLatin1(LoopFolderVariable), dir.path());
        writer.setProcessEnvironment(env);
        writer.start(QCoreApplication::applicationFilePath(),
                     {QStringLiteral("--gtest_filter=InterruptedSaveChild.*")});
        ASSERT_TRUE(writer.waitForStarted());
        QThread::msleep(150 + QRandomGenerator::global()->bounded(250));
        writer.kill(); // SIGKILL: no chance to clean up
        writer.waitForFinished();

        MVK read;
        ASSERT_TRUE(read.OpenFile(dir.file(QStringLiteral("p.mrv"))).ok()) << "attempt " << attempt;
        const int version = read.aName == QStringLiteral("version 2") ? 2 : 1;
        EXPECT_EQ(read.aName, QStringLiteral("version %1").arg(version));
        EXPECT_EQ(read.aFrame.Count(), 105 + 2000 * version);
        EXPECT_EQ(read.aFrame.Item(read.aFrame.Count())->aX, version);

        const auto settings = LoadSettings(dir.path());
        ASSERT_TRUE(settings.ok()) << "attempt " << attempt;
        const int count = XmlCount(*settings->ConfigDocument, QStringLiteral("/Soft/Padding"));
        EXPECT_LE(count, 1);
    }
}
