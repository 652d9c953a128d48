#include "editor/commandline.h"

#include "editor_fixture.h"

#include <QDir>

namespace mrv::test {
namespace {

QStringList Paths(const QList<CommandLinePath> &list)
{
    QStringList out;
    for (const CommandLinePath &p : list)
        out.append(p.path);
    return out;
}

QStringList RawTexts(const QList<CommandLinePath> &list)
{
    QStringList out;
    for (const CommandLinePath &p : list)
        out.append(p.rawText);
    return out;
}

TEST(WindowsCommandLine, FindsUnquotedAndQuotedPaths)
{
    EXPECT_TRUE(SplitWindowsCommandLine(QString()).isEmpty());
    EXPECT_TRUE(SplitWindowsCommandLine(QStringLiteral("just words")).isEmpty());
    EXPECT_EQ(Paths(SplitWindowsCommandLine(QStringLiteral(R"(C:\anim\p.mrv)"))),
              QStringList{QStringLiteral(R"(C:\anim\p.mrv)")});
    EXPECT_EQ(Paths(SplitWindowsCommandLine(QStringLiteral(R"("D:\my anim\p.mrv")"))),
              QStringList{QStringLiteral(R"(D:\my anim\p.mrv)")});
    // Unquoted paths end at the first space.
    EXPECT_EQ(Paths(SplitWindowsCommandLine(QStringLiteral(R"(D:\my anim\p.mrv)"))),
              QStringList{QStringLiteral(R"(D:\my)")});
    EXPECT_EQ(Paths(SplitWindowsCommandLine(QStringLiteral(R"(\\server\share\p.mrv)"))),
              QStringList{QStringLiteral(R"(\\server\share\p.mrv)")});
}

TEST(WindowsCommandLine, FurtherPathsKeepTheirTextForTheNewInstance)
{
    const auto two = SplitWindowsCommandLine(QStringLiteral(R"("C:\a b\1.mrv" "D:\c d\2.mrv")"));
    EXPECT_EQ(Paths(two), (QStringList{QStringLiteral(R"(C:\a b\1.mrv)"),
                                       QStringLiteral(R"(D:\c d\2.mrv)")}));
    EXPECT_EQ(RawTexts(two).at(1), QStringLiteral(R"("D:\c d\2.mrv")"));

    // The unquoted form carries the character before it; the path opened does not.
    const auto plain = SplitWindowsCommandLine(QStringLiteral(R"(C:\1.mrv D:\2.mrv)"));
    EXPECT_EQ(Paths(plain), (QStringList{QStringLiteral(R"(C:\1.mrv)"), QStringLiteral(R"(D:\2.mrv)")}));
    EXPECT_EQ(RawTexts(plain).at(1), QStringLiteral(R"( D:\2.mrv)"));
}

TEST(PosixCommandLine, MakesRelativePathsAbsolute)
{
    const auto paths = PosixCommandLinePaths(
        {QStringLiteral("a.mrv"), QString(), QStringLiteral("/x/y/../b.mrv"),
         QStringLiteral("sub/c d.mrv")},
        QStringLiteral("/home/u/work"));
    EXPECT_EQ(Paths(paths), (QStringList{QStringLiteral("/home/u/work/a.mrv"),
                                         QStringLiteral("/x/b.mrv"),
                                         QStringLiteral("/home/u/work/sub/c d.mrv")}));
}

using CommandLineWindow = EditorTest;

TEST_F(CommandLineWindow, OpensTheFirstAndStartsAnInstanceForEachFurther)
{
    const QString first = WriteProject(folder, QStringLiteral("first"), 4);
    const QString second = WriteProject(folder, QStringLiteral("second"), 5);
    const QString third = WriteProject(folder, QStringLiteral("third"), 6);
    frmEditer &w = Load({{first, first}, {second, second}, {third, third}});
    EXPECT_EQ(w.CurrentProject()->aFilePath, first);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Mirovane first.mrv"));
    EXPECT_EQ(Paths(started), (QStringList{second, third}));
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_F(CommandLineWindow, AnInvalidFileIsReportedAndTheDefaultProjectStays)
{
    const QString bad = folder.write(QStringLiteral("bad.mrv"), "<x/>");
    frmEditer &w = Load({{bad, bad}});
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages.first().text, QStringLiteral("该XML文件不是MRVK工程文件"));
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Mirovane NewMRV.mrv"));
    EXPECT_EQ(w.CurrentProject()->aFrame.Count(), 105);
}

TEST_F(CommandLineWindow, AnInstanceThatCannotStartIsReported)
{
    const QString first = WriteProject(folder, QStringLiteral("first"), 1);
    startSucceeds = false;
    Load({{first, first}, {QStringLiteral("/elsewhere/x.mrv"), QStringLiteral("/elsewhere/x.mrv")}});
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages.first().icon, MsgIcon::Error);
    EXPECT_TRUE(prompts.messages.first().text.contains(QStringLiteral("/elsewhere/x.mrv")));
}

} // namespace
} // namespace mrv::test
