#include "testsupport.h"
#include "project/mvk.h"

#include <gtest/gtest.h>

using namespace mrv;

TEST(Model, NewProjectDefaults)
{
    MVK project;
    project.AddNew();
    EXPECT_EQ(project.aName, QStringLiteral("Win7全屏开机动画"));
    EXPECT_EQ(project.aWidth, 1024);
    EXPECT_EQ(project.aHeight, 768);
    ASSERT_TRUE(project.aBackground.has_value());
    EXPECT_EQ(project.aBackground->aURL, QStringLiteral("NewMRV\\Background.jpg"));
    ASSERT_EQ(project.aFrame.Count(), 105);
    EXPECT_EQ(project.aFrame.Item(1)->aURL, QStringLiteral("NewMRV\\000.png"));
    EXPECT_EQ(project.aFrame.Item(105)->aURL, QStringLiteral("NewMRV\\104.png"));
    for (const aImage &frame : project.aFrame) {
        EXPECT_EQ(frame.aX, 0);
        EXPECT_EQ(frame.aY, 0);
    }
    EXPECT_FALSE(project.aChanged);
    EXPECT_TRUE(project.aFilePath.isEmpty());
    EXPECT_TRUE(project.aFileFolder.isEmpty());
}

TEST(Model, AddNewReplacesEverythingButTheFile)
{
    MVK project;
    project.aFilePath = QStringLiteral("/p/x.mrv");
    project.aFileFolder = QStringLiteral("/p");
    project.aChanged = true;
    project.aFrame.Add(QStringLiteral("old.png"), 1, 1);
    project.AddNew();
    EXPECT_EQ(project.aFrame.Count(), 105);
    EXPECT_EQ(project.aFrame.Item(1)->aURL, QStringLiteral("NewMRV\\000.png"));
    EXPECT_EQ(project.aFilePath, QStringLiteral("/p/x.mrv"));
    EXPECT_EQ(project.aFileFolder, QStringLiteral("/p"));
    EXPECT_FALSE(project.aChanged);
}

TEST(Model, FreshProjectHasNoBackgroundAndAnEmptyFrameList)
{
    MVK project;
    EXPECT_FALSE(project.aBackground.has_value());
    EXPECT_EQ(project.aFrame.Count(), 0);
    EXPECT_EQ(project.aFrame.begin(), project.aFrame.end());
    EXPECT_EQ(project.BackgroundPath(), QString());
}

TEST(FrameList, PositionsKeysAndRemoval)
{
    aFrame frames;
    aImage *first = frames.Add(QStringLiteral("a.png"), 1, 2, QString());
    frames.Add(QStringLiteral("b.png"), 3, 4, QStringLiteral("bee"));
    frames.Add(QStringLiteral("c.png"), 5, 6);
    EXPECT_EQ(frames.Item(1), first);
    EXPECT_EQ(frames.Item(QStringLiteral("bee"))->aURL, QStringLiteral("b.png"));
    EXPECT_EQ(frames.Item(0), nullptr);
    EXPECT_EQ(frames.Item(4), nullptr);
    EXPECT_EQ(frames.Item(QStringLiteral("none")), nullptr);
    EXPECT_EQ(frames.Item(QString()), nullptr);
    EXPECT_EQ(frames.Add(QStringLiteral("d.png"), 0, 0, QStringLiteral("bee")), nullptr);
    EXPECT_EQ(frames.Count(), 3);

    EXPECT_TRUE(frames.Remove(QStringLiteral("bee")));
    EXPECT_EQ(frames.Item(2)->aURL, QStringLiteral("c.png"));
    EXPECT_FALSE(frames.Remove(3));
    EXPECT_TRUE(frames.Remove(1));
    EXPECT_EQ(frames.Count(), 1);
    EXPECT_EQ(frames.Item(1)->aURL, QStringLiteral("c.png"));
}

TEST(FrameList, ReturnedEntriesAreTheFramesAndCopiesAreDeep)
{
    aFrame frames;
    frames.Add(QStringLiteral("a.png"), 0, 0);
    frames.Item(1)->aX = 7;
    EXPECT_EQ(frames.Item(1)->aX, 7);
    aImage *held = frames.Item(1);
    for (int i = 0; i < 1000; ++i)
        frames.Add(QStringLiteral("x.png"), 0, 0);
    held->aY = 9; // entries stay put while the list grows
    EXPECT_EQ(frames.Item(1)->aY, 9);

    aFrame copy = frames;
    copy.Item(1)->aX = 1;
    EXPECT_EQ(frames.Item(1)->aX, 7);
}

TEST(Model, ResolvedPathsFollowTheProjectFolder)
{
    MVK project;
    project.AddNew();
    // Never saved: no folder, so no relative path names a file yet.
    EXPECT_EQ(project.BackgroundPath(), QString());
    EXPECT_EQ(project.FramePaths().first(), QString());
    project.aFileFolder = QStringLiteral("/home/u/anim");
    project.aFrame.Item(2)->aURL = QStringLiteral("/srv/other.png");
    const QStringList paths = project.FramePaths();
    ASSERT_EQ(paths.size(), 105);
    EXPECT_EQ(paths[0], QStringLiteral("/home/u/anim/NewMRV/000.png"));
    EXPECT_EQ(paths[1], QStringLiteral("/srv/other.png"));
    EXPECT_EQ(project.BackgroundPath(), QStringLiteral("/home/u/anim/NewMRV/Background.jpg"));
}

TEST(Model, AnEmptyPicturePathResolvesToNothing)
{
    MVK project;
    project.aFileFolder = QStringLiteral("/home/u/anim");
    project.aBackground = aImage{};
    project.aFrame.Add(QString(), 0, 0);
    EXPECT_EQ(project.BackgroundPath(), QString());
    EXPECT_EQ(project.FramePaths(), QStringList{QString()});
}
