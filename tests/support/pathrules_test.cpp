#include "testsupport.h"
#include "support/pathrules.h"

#include <gtest/gtest.h>

using namespace mrv;

TEST(PathRules, AbsoluteUnderWindowsRules)
{
    const auto W = PathStyle::Windows;
    EXPECT_TRUE(IsAbsolutePath(QStringLiteral("C:\\pics\\a.png"), W));
    EXPECT_TRUE(IsAbsolutePath(QStringLiteral("c:/pics/a.png"), W));
    EXPECT_TRUE(IsAbsolutePath(QStringLiteral("\\\\server\\share\\a.png"), W));
    EXPECT_TRUE(IsAbsolutePath(QStringLiteral("//x/a.png"), W));
    EXPECT_FALSE(IsAbsolutePath(QStringLiteral("NewMRV\\a.png"), W));
    EXPECT_FALSE(IsAbsolutePath(QStringLiteral("a.png"), W));
    EXPECT_FALSE(IsAbsolutePath(QStringLiteral("C:a.png"), W));
    EXPECT_FALSE(IsAbsolutePath(QStringLiteral("/home/a.png"), W));
}

TEST(PathRules, PosixAlsoTakesALeadingSlash)
{
    const auto P = PathStyle::Posix;
    EXPECT_TRUE(IsAbsolutePath(QStringLiteral("/home/a.png"), P));
    EXPECT_TRUE(IsAbsolutePath(QStringLiteral("C:\\pics\\a.png"), P));
    EXPECT_FALSE(IsAbsolutePath(QStringLiteral("NewMRV\\a.png"), P));
    EXPECT_FALSE(IsAbsolutePath(QStringLiteral("pics/a.png"), P));
}

TEST(PathRules, ResolveAgainstTheProjectFolder)
{
    EXPECT_EQ(ResolvePath(QStringLiteral("D:\\anim"), QStringLiteral("NewMRV\\001.png"),
                          PathStyle::Windows),
              QStringLiteral("D:\\anim\\NewMRV\\001.png"));
    EXPECT_EQ(ResolvePath(QStringLiteral("D:\\anim"), QStringLiteral("D:\\other\\x.png"),
                          PathStyle::Windows),
              QStringLiteral("D:\\other\\x.png"));
    // Without a folder a relative path names nothing, under either rule; on POSIX it would
    // otherwise turn into a path from the file-system root.
    EXPECT_EQ(ResolvePath(QString(), QStringLiteral("NewMRV\\Background.jpg"), PathStyle::Windows),
              QString());
    EXPECT_EQ(ResolvePath(QString(), QStringLiteral("tmp/x/frames/050.png"), PathStyle::Posix),
              QString());
    EXPECT_EQ(ResolvePath(QString(), QStringLiteral("/tmp/x/050.png"), PathStyle::Posix),
              QStringLiteral("/tmp/x/050.png"));
    EXPECT_EQ(ResolvePath(QStringLiteral("/home/u/anim"), QStringLiteral("NewMRV\\001.png"),
                          PathStyle::Posix),
              QStringLiteral("/home/u/anim/NewMRV/001.png"));
    EXPECT_EQ(ResolvePath(QStringLiteral("/home/u/anim"), QStringLiteral("/srv/x.png"),
                          PathStyle::Posix),
              QStringLiteral("/srv/x.png"));
}

TEST(PathRules, RelativeOnlyInsideAWholeFolderAndCaseSensitive)
{
    const auto W = PathStyle::Windows;
    const QString folder = QStringLiteral("D:\\anim");
    EXPECT_EQ(MakeRelative(folder, QStringLiteral("D:\\anim\\f\\001.png"), W),
              QStringLiteral("f\\001.png"));
    EXPECT_EQ(MakeRelative(folder, QStringLiteral("d:\\anim\\f\\001.png"), W),
              QStringLiteral("d:\\anim\\f\\001.png"));
    // A sibling folder sharing the prefix is not inside.
    EXPECT_EQ(MakeRelative(folder, QStringLiteral("D:\\anim2\\x.png"), W),
              QStringLiteral("D:\\anim2\\x.png"));
    EXPECT_EQ(MakeRelative(folder, folder, W), folder);
    EXPECT_EQ(MakeRelative(QString(), QStringLiteral("x.png"), W), QStringLiteral("x.png"));
    EXPECT_EQ(MakeRelative(QStringLiteral("C:\\"), QStringLiteral("C:\\a.png"), W),
              QStringLiteral("a.png"));
    EXPECT_EQ(MakeRelative(QStringLiteral("/p"), QStringLiteral("/p/a/b.png"), PathStyle::Posix),
              QStringLiteral("a/b.png"));
    EXPECT_TRUE(LiesInFolder(folder, QStringLiteral("d:\\ANIM\\x.png"), Qt::CaseInsensitive, W));
    EXPECT_FALSE(LiesInFolder(folder, QStringLiteral("d:\\ANIM\\x.png"), Qt::CaseSensitive, W));
}

TEST(PathRules, FolderOfAFile)
{
    EXPECT_EQ(FolderOfFile(QStringLiteral("D:\\anim\\p.mrv"), PathStyle::Windows),
              QStringLiteral("D:\\anim"));
    EXPECT_EQ(FolderOfFile(QStringLiteral("C:\\p.mrv"), PathStyle::Windows), QStringLiteral("C:"));
    EXPECT_FALSE(FolderOfFile(QStringLiteral("\\p.mrv"), PathStyle::Windows).has_value());
    EXPECT_FALSE(FolderOfFile(QStringLiteral("p.mrv"), PathStyle::Windows).has_value());
    EXPECT_EQ(FolderOfFile(QStringLiteral("/home/u/p.mrv"), PathStyle::Posix),
              QStringLiteral("/home/u"));
    // A backslash is no folder boundary when reading a POSIX file path.
    EXPECT_EQ(FolderOfFile(QStringLiteral("/home/u/a\\b.mrv"), PathStyle::Posix),
              QStringLiteral("/home/u"));
}
