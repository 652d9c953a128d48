#include "testsupport.h"
#include "support/filetypes.h"

#include <gtest/gtest.h>

using namespace mrv;

namespace {
const QChar Nul(u'\0');
}

TEST(FileTypes, TxtJoinsCaptionsAndPatternsWithoutTrailingNul)
{
    DlgFTlist one;
    ASSERT_TRUE(one.Add(QStringLiteral("A"), QStringLiteral("a")).ok());
    EXPECT_EQ(*one.Txt(), QStringLiteral("A") + Nul + QStringLiteral("*.a"));

    DlgFTlist two;
    (void)two.Add(QStringLiteral("Many"), QStringLiteral("a,b,c"));
    (void)two.Add(QStringLiteral("TIFF"), QStringLiteral("tif,tiff"));
    EXPECT_EQ(*two.Txt(), QStringLiteral("Many") + Nul + QStringLiteral("*.a;*.b;*.c") + Nul
                              + QStringLiteral("TIFF") + Nul + QStringLiteral("*.tif;*.tiff"));

    DlgFTlist bad;
    (void)bad.Add(QStringLiteral("Empty"), QString());
    EXPECT_FALSE(bad.Txt().ok());
}

TEST(FileTypes, TheProgramListsInOrder)
{
    const DlgFTlist project = MakeProjectTypes();
    ASSERT_EQ(project.Count(), 2);
    EXPECT_EQ(project.Item(2)->TypeName, QStringLiteral("XML文件(*.xml)"));

    const DlgFTlist images = MakeImageTypes();
    ASSERT_EQ(images.Count(), 6);
    EXPECT_EQ(images.Item(1)->TypeName, QStringLiteral("图片文件(*.jpg;*.png;*.bmp;*.gif,*.tif)"));
    EXPECT_EQ(images.Item(6)->Extensions, QStringLiteral("tif,tiff"));

    const DlgFTlist exports = MakeExportTypes();
    QStringList exts;
    for (const FileType &type : exports)
        exts << type.Extensions;
    EXPECT_EQ(exts, (QStringList{QStringLiteral("png"), QStringLiteral("bmp"), QStringLiteral("jpg"),
                                 QStringLiteral("gif"), QStringLiteral("tif")}));
    EXPECT_EQ(exports.Item(0), nullptr);
    EXPECT_EQ(exports.Item(6), nullptr);
}

TEST(FileTypes, NameFiltersTakePatternsFromExtensionsNotTheCaption)
{
    const DlgFTlist images = MakeImageTypes();
    const QStringList filters = images.NameFilters();
    EXPECT_EQ(filters[0], QStringLiteral("图片文件(*.jpg;*.png;*.bmp;*.gif,*.tif) "
                                         "(*.jpg *.jpeg *.png *.bmp *.gif *.tif)"));
    EXPECT_EQ(images.IndexOfNameFilter(filters[5]), 6);
    EXPECT_EQ(images.IndexOfNameFilter(QStringLiteral("nope")), 0);
}

TEST(FileTypes, ATypedExtensionOfAnotherEntryPicksThatEntry)
{
    DlgFTlist types;
    (void)types.Add(QStringLiteral("GIF"), QStringLiteral("gif"));
    (void)types.Add(QStringLiteral("WebP"), QStringLiteral("webp"));
    (void)types.Add(QStringLiteral("APNG"), QStringLiteral("png,apng"));
    const std::tuple<int, const char *, int> cases[] = {
        {1, "demo2.webp", 2}, {1, "X.GIF", 1},     {2, "a.Png", 3},      {1, "a.apng", 3},
        {3, "a.png.gif", 1},  {2, "a.gif.txt", 2}, {1, "webp", 1},       {3, "x.gif.webp", 2}};
    for (const auto &[chosen, name, expected] : cases)
        EXPECT_EQ(types.IndexForTypedName(chosen, QString::fromUtf8(name)), expected) << name;
}

TEST(FileTypes, KeysAreUniqueAndRemoveShiftsPositions)
{
    DlgFTlist list;
    ASSERT_TRUE(list.Add(QStringLiteral("A"), QStringLiteral("a"), QStringLiteral("k")).ok());
    EXPECT_FALSE(list.Add(QStringLiteral("B"), QStringLiteral("b"), QStringLiteral("k")).ok());
    (void)list.Add(QStringLiteral("C"), QStringLiteral("c"));
    EXPECT_EQ(list.Item(QStringLiteral("k"))->TypeName, QStringLiteral("A"));
    EXPECT_TRUE(list.Remove(QStringLiteral("k")));
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Item(1)->TypeName, QStringLiteral("C"));
    EXPECT_FALSE(list.Remove(3));
}

TEST(FileTypes, ParseDialogFilesSplitsFolderAndName)
{
    const DialogFiles root = ParseDialogFiles(QStringLiteral("/a.png"));
    EXPECT_EQ(root.Count, 1);
    EXPECT_EQ(root.Folder, QStringLiteral("/"));
    EXPECT_EQ(root.Files, QStringList{QStringLiteral("a.png")});

    const DialogFiles nested = ParseDialogFiles(QStringLiteral("/home/u/pics/a.png") + Nul + Nul);
    EXPECT_EQ(nested.Folder, QStringLiteral("/home/u/pics/"));
    EXPECT_EQ(nested.FirstPath(), QStringLiteral("/home/u/pics/a.png"));

    const DialogFiles windows = ParseDialogFiles(QStringLiteral("C:\\pics\\a.png"));
    EXPECT_EQ(windows.Folder, QStringLiteral("C:\\pics\\"));
    EXPECT_EQ(windows.Files.value(0), QStringLiteral("a.png"));

    EXPECT_EQ(ParseDialogFiles(QStringLiteral("noseparator")).Count, 0);
}
