#pragma once

// Videos made by the ffmpeg program in a test's folder, and projects to import them into.

#include "project/mvk.h"

#include "cliprocess.h"
#include "exporttestdata.h"
#include "testsupport.h"

#include <QStandardPaths>

#include <gtest/gtest.h>

namespace mrv::test {

class VideoFiles : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (QStandardPaths::findExecutable(QStringLiteral("ffmpeg")).isEmpty())
            GTEST_SKIP() << "the ffmpeg program (Debian package ffmpeg) writes the test videos";
    }
    /// Runs ffmpeg in the folder with the arguments, the last naming its output; what it
    /// printed on standard output.
    QByteArray Ffmpeg(const QString &args)
    {
        QProcess ffmpeg;
        ffmpeg.setWorkingDirectory(folder.path());
        ffmpeg.start(
            QStringLiteral("ffmpeg"),
            QStringLiteral("-loglevel error -y %1").arg(args).split(u' ', Qt::SkipEmptyParts));
        ffmpeg.waitForFinished(60000);
        EXPECT_EQ(ffmpeg.exitCode(), 0) << args.toStdString();
        return ffmpeg.readAllStandardOutput();
    }
    /// Runs ffmpeg, then the path of the file it wrote.
    QString Make(const QString &args)
    {
        Ffmpeg(args);
        return folder.file(args.section(u' ', -1));
    }
    /// A new 1024 x 768 project in the folder.
    QString NewProject()
    {
        MVK project = MakeProject(folder, 1024, 768, {});
        return SaveProject(project, folder);
    }
    TempFolder folder;
};

} // namespace mrv::test
