#include "project/mvk.h"
#include "project/projectfile.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <csignal>

using namespace mrv;
using mrv::test::ReadAll;
using mrv::test::TempFolder;

namespace {

QString projectXml(const QString &config, const QString &inner)
{
    return QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?><MRV><Config %1>%2</Config></MRV>")
        .arg(config, inner);
}

MVK sampleProject()
{
    MVK project;
    project.AddNew();
    project.aName = QStringLiteral("名字 & <quote>\"");
    project.aWidth = 1366;
    project.aHeight = -5;
    project.aBackground->aX = -32768;
    project.aBackground->aY = 32767;
    project.aFrame.Item(3)->aX = -12;
    project.aFrame.Item(3)->aURL = QStringLiteral("sub\\帧 3.png");
    return project;
}

void expectSameContent(const MVK &a, const MVK &b)
{
    EXPECT_EQ(a.aName, b.aName);
    EXPECT_EQ(a.aWidth, b.aWidth);
    EXPECT_EQ(a.aHeight, b.aHeight);
    EXPECT_EQ(a.aBackground, b.aBackground);
    ASSERT_EQ(a.aFrame.Count(), b.aFrame.Count());
    for (int i = 1; i <= a.aFrame.Count(); ++i)
        EXPECT_EQ(*a.aFrame.Item(i), *b.aFrame.Item(i)) << "frame " << i;
}

} // namespace

TEST(ProjectFile, PlainAndPrettyRoundTrips)
{
    TempFolder dir;
    for (bool pretty : {false, true}) {
        MVK saved = sampleProject();
        const QString path = dir.file(pretty ? QStringLiteral("pretty.mrv") : QStringLiteral("plain.mrv"));
        ASSERT_TRUE(saved.SaveFile(path, SaveOptions{pretty, QString()}).ok());
        MVK read;
        ASSERT_TRUE(read.OpenFile(path).ok()) << pretty;
        expectSameContent(saved, read);
        EXPECT_EQ(read.aFilePath, path);
        EXPECT_EQ(read.aFileFolder, dir.path());
        EXPECT_FALSE(read.aChanged);
    }
}

TEST(ProjectFile, ByteLevelForms)
{
    MVK project;
    project.aName = QStringLiteral("n");
    project.aWidth = 2;
    project.aHeight = 3;
    project.aBackground = aImage{QStringLiteral("b.jpg"), 4, -5};
    project.aFrame.Add(QStringLiteral("f.png"), 6, 7);
    EXPECT_EQ(ProjectToBytes(project, false),
              QByteArray("<?xml version=\"1.0\" encoding=\"utf-8\"?><MRV><Config Name=\"n\" "
                         "Width=\"2\" Height=\"3\"><Background Url=\"b.jpg\" X=\"4\" Y=\"-5\"/>"
                         "<Frames><Image Url=\"f.png\" X=\"6\" Y=\"7\"/></Frames></Config></MRV>"));
    const QList<QByteArray> lines = ProjectToBytes(project, true).split('\n');
    ASSERT_GE(lines.size(), 7);
    EXPECT_EQ(lines[0], QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>"));
    EXPECT_EQ(lines[1], QByteArray("<MRV>"));
    EXPECT_TRUE(lines[2].startsWith("\t<Config "));
    EXPECT_TRUE(lines[3].startsWith("\t\t<Background "));
    EXPECT_EQ(lines[4], QByteArray("\t\t<Frames>"));
    EXPECT_TRUE(lines[5].startsWith("\t\t\t<Image "));

    MVK empty;
    empty.aBackground = aImage{};
    EXPECT_TRUE(ProjectToBytes(empty, false).contains("<Frames/>"));
}

TEST(ProjectFile, SavingInTheProjectFolderMakesPathsRelativeInFileAndModel)
{
    TempFolder dir;
    const QString folder = dir.path();
    MVK project;
    project.AddNew();
    project.aFileFolder = folder;
    project.aBackground->aURL = folder + QStringLiteral("/bg.jpg");
    project.aFrame.Item(1)->aURL = folder + QStringLiteral("/f/001.png");
    project.aFrame.Item(2)->aURL = folder.toUpper() + QStringLiteral("/f/002.png");
    project.aFrame.Item(3)->aURL = folder + QStringLiteral("2/x.png");
    const QString path = dir.file(QStringLiteral("p.mrv"));
    ASSERT_TRUE(project.SaveFile(path, SaveOptions{false, folder}).ok());

    EXPECT_EQ(project.aBackground->aURL, QStringLiteral("bg.jpg"));
    EXPECT_EQ(project.aFrame.Item(1)->aURL, QStringLiteral("f/001.png"));
    EXPECT_EQ(project.aFrame.Item(2)->aURL, folder.toUpper() + QStringLiteral("/f/002.png"));
    EXPECT_EQ(project.aFrame.Item(3)->aURL, folder + QStringLiteral("2/x.png"));
    MVK read;
    ASSERT_TRUE(read.OpenFile(path).ok());
    expectSameContent(project, read);
    EXPECT_EQ(read.FramePaths()[0], folder + QStringLiteral("/f/001.png"));
}

TEST(ProjectFile, ANewProjectKeepsItsRelativePaths)
{
    TempFolder dir;
    MVK project;
    project.AddNew();
    ASSERT_TRUE(project.SaveFile(dir.file(QStringLiteral("n.mrv")), SaveOptions{}).ok());
    MVK read;
    ASSERT_TRUE(read.OpenFile(dir.file(QStringLiteral("n.mrv"))).ok());
    EXPECT_EQ(read.aFrame.Item(1)->aURL, QStringLiteral("NewMRV\\000.png"));
    EXPECT_EQ(read.aFrame.Count(), 105);
}

TEST(ProjectFile, SavingElsewhereKeepsEveryPictureTheSame)
{
    TempFolder dir;
    const QString oldFolder = dir.path() + QStringLiteral("/old");
    const QString newFolder = dir.path() + QStringLiteral("/new");
    ASSERT_TRUE(QDir().mkpath(oldFolder) && QDir().mkpath(newFolder));
    MVK project;
    project.AddNew();
    project.aFileFolder = oldFolder;
    project.aFrame.Item(1)->aURL = QStringLiteral("pics\\1.png");
    project.aFrame.Item(2)->aURL = newFolder + QStringLiteral("/inside/2.png");
    project.aFrame.Item(3)->aURL = QStringLiteral("/elsewhere/3.png");
    const MVK before = project;
    const QStringList resolvedBefore = project.FramePaths();

    const QString path = newFolder + QStringLiteral("/p.mrv");
    ASSERT_TRUE(project.SaveFile(path, SaveOptions{true, oldFolder}).ok());
    expectSameContent(before, project); // the open project still resolves against its folder

    MVK read;
    ASSERT_TRUE(read.OpenFile(path).ok());
    EXPECT_EQ(read.aFrame.Item(1)->aURL, oldFolder + QStringLiteral("/pics/1.png"));
    EXPECT_EQ(read.aFrame.Item(2)->aURL, QStringLiteral("inside\\2.png"));
    EXPECT_EQ(read.aFrame.Item(3)->aURL, QStringLiteral("/elsewhere/3.png"));
    EXPECT_EQ(read.FramePaths().mid(0, 3), resolvedBefore.mid(0, 3));
}

TEST(ProjectFile, ReadingDefaultsAndTheNumericRule)
{
    TempFolder dir;
    const QString path = dir.write(
        QStringLiteral("d.mrv"),
        projectXml(QStringLiteral("Width='800'"),
                   QStringLiteral("<Background Url='b.png' X='12px' Y='007'/>"
                                  "<Frames><Image Url='a.png' X='1.5' Y='-3'/><Image/></Frames>"))
            .toUtf8());
    MVK read;
    ASSERT_TRUE(read.OpenFile(path).ok());
    EXPECT_EQ(read.aName, QString());
    EXPECT_EQ(read.aWidth, 800);
    EXPECT_EQ(read.aHeight, 1024);
    EXPECT_EQ(read.aBackground->aX, 12);
    EXPECT_EQ(read.aBackground->aY, 7);
    ASSERT_EQ(read.aFrame.Count(), 2);
    EXPECT_EQ(read.aFrame.Item(1)->aX, 15);
    EXPECT_EQ(read.aFrame.Item(1)->aY, -3);
    EXPECT_EQ(*read.aFrame.Item(2), aImage{});

    // Only ASCII digits are digits: full-width ones are dropped like letters, so a value made
    // of them takes the default, and one mixing both keeps the ASCII part.
    const QString wide =
        dir.write(QStringLiteral("w.mrv"),
                  projectXml(QStringLiteral("Width='１０２４' Height='６００'"),
                             QStringLiteral("<Background Url='b.png' X='１２3' Y='７'/>"))
                      .toUtf8());
    MVK fromWide;
    ASSERT_TRUE(fromWide.OpenFile(wide).ok());
    EXPECT_EQ(fromWide.aWidth, 1024);
    EXPECT_EQ(fromWide.aHeight, 1024);
    EXPECT_EQ(fromWide.aBackground->aX, 3);
    EXPECT_EQ(fromWide.aBackground->aY, 0);
}

TEST(ProjectFile, MissingOrEmptyFramesGiveNoFrames)
{
    TempFolder dir;
    for (const QString &inner : {QString(), QStringLiteral("<Frames/>")}) {
        const QString path = dir.write(QStringLiteral("e.mrv"), projectXml(QString(), inner).toUtf8());
        MVK read;
        ASSERT_TRUE(read.OpenFile(path).ok());
        EXPECT_EQ(read.aFrame.Count(), 0);
        ASSERT_TRUE(read.aBackground.has_value());
        EXPECT_EQ(read.aBackground->aURL, QString());
    }
}

TEST(ProjectFile, BadNumbersFailTheOpenAndChangeNothing)
{
    TempFolder dir;
    const struct
    {
        QString config, inner, attribute;
    } cases[] = {
        {QStringLiteral("Width='1-2'"), QString(), QStringLiteral("Width")},
        {QStringLiteral("Height='40000'"), QString(), QStringLiteral("Height")},
        {QString(), QStringLiteral("<Background X='70000'/>"), QStringLiteral("X")},
        {QString(), QStringLiteral("<Frames><Image/><Image Y='-'/></Frames>"), QStringLiteral("Y")},
        {QString(), QStringLiteral("<Frames><Image X='-40000'/></Frames>"), QStringLiteral("X")},
    };
    for (const auto &c : cases) {
        const QString path = dir.write(QStringLiteral("bad.mrv"), projectXml(c.config, c.inner).toUtf8());
        MVK project;
        project.AddNew();
        project.aFilePath = QStringLiteral("/before.mrv");
        const MVK before = project;
        const Status status = project.OpenFile(path);
        ASSERT_FALSE(status.ok()) << c.config.toStdString() << c.inner.toStdString();
        EXPECT_TRUE(status.message().contains(c.attribute)) << status.message().toStdString();
        EXPECT_TRUE(status.message().startsWith(QStringLiteral("工程文件读取失败")));
        expectSameContent(before, project);
        EXPECT_EQ(project.aFilePath, QStringLiteral("/before.mrv"));
    }
}

TEST(ProjectFile, ValidityMessages)
{
    TempFolder dir;
    const QString missing = dir.file(QStringLiteral("missing.mrv"));
    const QString broken = dir.write(QStringLiteral("broken.mrv"), "<MRV><Config>");
    const QString otherRoot = dir.write(QStringLiteral("other.xml"), "<Soft><Config/></Soft>");
    const QString valid = dir.write(QStringLiteral("ok.xml"), "<MRV><Config/></MRV>");

    EXPECT_EQ(CheckProjectFile(missing).message(), QStringLiteral("工程文件读取失败"));
    EXPECT_EQ(CheckProjectFile(broken).message(), QStringLiteral("工程文件读取失败"));
    EXPECT_EQ(CheckProjectFile(otherRoot).message(), QStringLiteral("该XML文件不是MRVK工程文件"));
    EXPECT_TRUE(CheckProjectFile(valid).ok());

    MVK project;
    EXPECT_EQ(project.OpenFile(broken).message(), QStringLiteral("工程文件读取失败"));
    EXPECT_EQ(project.OpenFile(otherRoot).message(), QStringLiteral("该文件不是MRVK工程文件"));
    EXPECT_TRUE(project.aFilePath.isEmpty());
}

TEST(ProjectFile, FailedSavesReportThePathAndKeepTheOldFile)
{
    TempFolder dir;
    MVK project;
    project.AddNew();
    const QString intoMissing = dir.file(QStringLiteral("no/such/folder/p.mrv"));
    const Status missing = project.SaveFile(intoMissing, SaveOptions{});
    EXPECT_FALSE(missing.ok());
    EXPECT_TRUE(missing.message().contains(intoMissing));

    // A file standing where a folder should be.
    dir.write(QStringLiteral("file"), "x");
    EXPECT_FALSE(project.SaveFile(dir.file(QStringLiteral("file/p.mrv")), SaveOptions{}).ok());

    // A full disk, simulated by a file-size limit: the old file survives intact.
    const QString path = dir.file(QStringLiteral("keep.mrv"));
    ASSERT_TRUE(project.SaveFile(path, SaveOptions{}).ok());
    const QByteArray original = ReadAll(path);
    for (int i = 0; i < 3000; ++i)
        project.aFrame.Add(QStringLiteral("a-rather-long-picture-name-%1.png").arg(i), 0, 0);
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit limited = old;
    limited.rlim_cur = 4096;
    setrlimit(RLIMIT_FSIZE, &limited);
    const Status full = project.SaveFile(path, SaveOptions{});
    setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_FALSE(full.ok());
    EXPECT_TRUE(full.message().contains(path));
    EXPECT_EQ(ReadAll(path), original);
}

TEST(ProjectFile, HostileFilesAreRefusedWithAMessage)
{
    TempFolder dir;
    // Larger than any real project: refused from its size, before it is read.
    const QString huge = dir.file(QStringLiteral("huge.mrv"));
    {
        QFile f(huge);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_TRUE(f.resize(200LL * 1024 * 1024));
    }
    const Status tooBig = CheckProjectFile(huge);
    EXPECT_FALSE(tooBig.ok());
    EXPECT_TRUE(tooBig.message().contains(QStringLiteral("200 MB"))) << tooBig.message();
    MVK project;
    EXPECT_FALSE(project.OpenFile(huge).ok());

    // Deep nesting inside the project element parses and reads without exhausting the stack.
    QByteArray deep = "<MRV><Config Name='n'><Background Url='b'/>";
    for (int i = 0; i < 100000; ++i)
        deep += "<a>";
    deep += "</Config></MRV>";
    EXPECT_FALSE(project.OpenFile(dir.write(QStringLiteral("deep.mrv"), deep)).ok());

    // Bytes that are not UTF-8 come through as replacement characters, never a crash.
    const QString latin = dir.write(QStringLiteral("latin.mrv"),
                                    "<MRV><Config Name='caf\xe9'><Frames><Image Url='\xff\xfe.png'/>"
                                    "</Frames></Config></MRV>");
    ASSERT_TRUE(project.OpenFile(latin).ok());
    EXPECT_EQ(project.aFrame.Count(), 1);

    // A folder where a project file should be.
    EXPECT_EQ(CheckProjectFile(dir.path()).message(), QStringLiteral("工程文件读取失败"));
}

TEST(ProjectFile, AnIndentedFileStaysIndentedAndAPlainOneStaysPlain)
{
    TempFolder dir;
    MVK project;
    project.AddNew();
    for (const bool pretty : {true, false}) {
        const QString path = dir.file(pretty ? QStringLiteral("p.mrv") : QStringLiteral("q.mrv"));
        SaveOptions options;
        options.pretty = pretty;
        ASSERT_TRUE(project.SaveFile(path, options).ok());
        project.aName = QStringLiteral("again");
        ASSERT_TRUE(project.SaveFile(path, SaveOptions{}).ok());
        EXPECT_EQ(ReadAll(path).contains("\n\t<"), pretty);
    }
}
