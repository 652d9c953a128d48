#include "settings/exportchoices.h"
#include "settings/settings.h"
#include "settings/settingslocation.h"
#include "support/xmledit.h"
#include "support/xmlfile.h"
#include "testsupport.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace mrv;
using mrv::test::ReadAll;
using mrv::test::TempFolder;

TEST(Settings, MissingConfigurationGivesTheTwoLineMessageAndWritesNothing)
{
    TempFolder dir;
    const QDateTime when(QDate(2026, 12, 7), QTime(9, 5, 3));
    const auto loaded = LoadSettings(dir.path(), when);
    ASSERT_FALSE(loaded.ok());
    const QStringList lines = loaded.message().split(u'\n');
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], QStringLiteral("加载XML设置文件失败，请检查 MRVKConfig.xml 是否配置正确"));
    EXPECT_EQ(lines[1], QStringLiteral("Load XML config error,please check MRVKConfig.xml"));
    EXPECT_TRUE(lines[2].contains(QStringLiteral("09:05:03")));
    EXPECT_TRUE(lines[2].contains(QStringLiteral("7"))) << lines[2].toStdString();
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());

    dir.write(ConfigFileName, "<Soft><Config>");
    EXPECT_FALSE(LoadSettings(dir.path()).ok());
}

TEST(Settings, DefaultsWithoutWindowFileOrConfigElement)
{
    TempFolder dir;
    dir.write(ConfigFileName, "<Soft/>");
    const auto loaded = LoadSettings(dir.path());
    ASSERT_TRUE(loaded.ok());
    EXPECT_EQ(loaded->ListDistance, 10);
    EXPECT_FALSE(loaded->FormatProject);
    EXPECT_FALSE(loaded->FrameFocus);
    EXPECT_FALSE(loaded->WindowDocument->document_element());
    EXPECT_EQ(loaded->ProjectTypes.Count(), 2);
    EXPECT_EQ(loaded->ImageTypes.Count(), 6);
    EXPECT_EQ(loaded->ExportTypes.Count(), 5);
    EXPECT_TRUE(loaded->ScreenScales().isEmpty());
}

TEST(Settings, SwitchesAndSpacingFollowTheCeilingRule)
{
    TempFolder dir;
    const struct
    {
        const char *value;
        bool on;
    } cases[] = {{"1", true}, {"5", true}, {"-1", true}, {"0", false}, {"True", false}, {"", false}};
    for (const auto &c : cases) {
        dir.write(ConfigFileName, QByteArray("<Soft><Config FormatProject='") + c.value
                                      + "' FrameFocus='" + c.value + "'/></Soft>");
        dir.write(WindowFileName, "<Soft><Window ListDistance='4px'/></Soft>");
        const auto loaded = LoadSettings(dir.path());
        ASSERT_TRUE(loaded.ok());
        EXPECT_EQ(loaded->FormatProject, c.on) << c.value;
        EXPECT_EQ(loaded->FrameFocus, c.on) << c.value;
        EXPECT_EQ(loaded->ListDistance, 4);
    }
}

TEST(Settings, ScreenScalesKeepOrderAndDuplicates)
{
    TempFolder dir;
    dir.write(ConfigFileName, "<Soft><ScreenScale><Scale Width='800' Height='600'/>"
                              "<Scale Width='1024' Height='768'/><Scale Width='800' Height='600'/>"
                              "<Scale/></ScreenScale></Soft>");
    const auto loaded = LoadSettings(dir.path());
    ASSERT_TRUE(loaded.ok());
    const auto scales = loaded->ScreenScales();
    ASSERT_EQ(scales.size(), 4);
    EXPECT_EQ(scales[0].Width, QStringLiteral("800"));
    EXPECT_EQ(scales[1].Height, QStringLiteral("768"));
    EXPECT_EQ(scales[2].Width, QStringLiteral("800"));
    EXPECT_EQ(scales[3].Width, QString());
}

TEST(Settings, SaveWritesSwitchesAndAddsMissingElements)
{
    TempFolder dir;
    dir.write(ConfigFileName, "<Soft><ScreenScale><Scale Width='1' Height='2'/></ScreenScale></Soft>");
    auto loaded = LoadSettings(dir.path());
    ASSERT_TRUE(loaded.ok());
    loaded->FormatProject = true;
    loaded->FrameFocus = false;
    ASSERT_TRUE(SaveSettings(*loaded).ok());
    // No window document was loaded and nothing was written into it: no file appears.
    EXPECT_FALSE(QFileInfo::exists(dir.file(WindowFileName)));

    auto again = LoadSettings(dir.path());
    ASSERT_TRUE(again.ok());
    EXPECT_TRUE(again->FormatProject);
    EXPECT_FALSE(again->FrameFocus);
    EXPECT_EQ(again->ScreenScales().size(), 1);
    EXPECT_TRUE(ReadAll(dir.file(ConfigFileName)).contains("FrameFocus=\"0\""));

    again->FormatProject = false;
    ASSERT_TRUE(XmlSetAttr(*again->WindowDocument, QStringLiteral("/Soft/Window/frmEditer"),
                           QStringLiteral("Width"), QStringLiteral("640"), 0)
                    .ok() == false); // no root yet: the write needs EnsureSoftRoot first
    EnsureSoftRoot(*again->WindowDocument);
    ASSERT_TRUE(XmlSetAttr(*again->WindowDocument, QStringLiteral("/Soft/Window/frmEditer"),
                           QStringLiteral("Width"), QStringLiteral("640"), 0)
                    .ok());
    ASSERT_TRUE(SaveSettings(*again).ok());
    auto third = LoadSettings(dir.path());
    ASSERT_TRUE(third.ok());
    EXPECT_FALSE(third->FormatProject);
    EXPECT_EQ(*XmlGetAttr(*third->WindowDocument, QStringLiteral("/Soft/Window/frmEditer"),
                          QStringLiteral("Width"), QString(), 0),
              QStringLiteral("640"));
}

TEST(Settings, ABrokenWindowFileIsNotOverwritten)
{
    TempFolder dir;
    dir.write(ConfigFileName, "<Soft/>");
    dir.write(WindowFileName, "<Soft><Window");
    auto loaded = LoadSettings(dir.path());
    ASSERT_TRUE(loaded.ok());
    ASSERT_TRUE(SaveSettings(*loaded).ok());
    EXPECT_EQ(ReadAll(dir.file(WindowFileName)), QByteArray("<Soft><Window"));
}

TEST(Settings, ExportChoicesAreKeptPerTargetUntilTheNextRun)
{
    TempFolder dir;
    dir.write(ConfigFileName, "<Soft><Config FormatProject='1'/></Soft>");
    auto loaded = LoadSettings(dir.path());
    ASSERT_TRUE(loaded.ok());
    const QString animation = QStringLiteral("export-animation");
    const QString sequence = QStringLiteral("export-sequence");
    ASSERT_TRUE(StoreExportChoices(*loaded, animation,
                                   {{QStringLiteral("loops"), QStringLiteral("7")},
                                    {QStringLiteral("frame-time"), QStringLiteral("40")}}));
    ASSERT_TRUE(StoreExportChoices(*loaded, sequence, {{QStringLiteral("loops"), QStringLiteral("9")}}));
    // A later run replaces the target's values; one it no longer has does not linger.
    ASSERT_TRUE(StoreExportChoices(*loaded, animation, {{QStringLiteral("loops"), QStringLiteral("4")}}));
    // Names that cannot be XML names are refused, not written broken.
    EXPECT_FALSE(StoreExportChoices(*loaded, QStringLiteral("1st target"), {}));
    EXPECT_FALSE(StoreExportChoices(*loaded, sequence, {{QStringLiteral("a b"), QString()}}));
    ASSERT_TRUE(SaveSettings(*loaded));

    auto again = LoadSettings(dir.path());
    ASSERT_TRUE(again.ok());
    EXPECT_TRUE(again->FormatProject);
    EXPECT_EQ(StoredExportChoices(*again, animation),
              (QMap<QString, QString>{{QStringLiteral("loops"), QStringLiteral("4")}}));
    EXPECT_EQ(StoredExportChoices(*again, sequence),
              (QMap<QString, QString>{{QStringLiteral("loops"), QStringLiteral("9")}}));
    EXPECT_TRUE(StoredExportChoices(*again, QStringLiteral("export-long")).isEmpty());
}

TEST(SettingsLocation, PortableWhenTheConfigurationIsBesideTheExecutable)
{
    TempFolder exe;
    TempFolder user;
    exe.write(ConfigFileName, "<Soft/>");
    EXPECT_EQ(SettingsFolder(exe.path(), user.path()), exe.path());
    EXPECT_FALSE(QFileInfo::exists(user.file(ConfigFileName)));
}

TEST(SettingsLocation, PerUserFolderIsSeededOnceFromTheShippedDefault)
{
    TempFolder exe;
    TempFolder user;
    const QString folder = user.file(QStringLiteral("deep/Mirovane"));
    EXPECT_EQ(SettingsFolder(exe.path(), folder), folder);
    const auto loaded = LoadSettings(folder);
    ASSERT_TRUE(loaded.ok());
    EXPECT_FALSE(loaded->FormatProject);
    ASSERT_FALSE(loaded->ScreenScales().isEmpty());
    EXPECT_EQ(loaded->ScreenScales().first().Width, QStringLiteral("1024"));
    EXPECT_EQ(loaded->ScreenScales().first().Height, QStringLiteral("768"));

    // A user's own edits are never replaced by the default.
    mrv::test::TempFolder unused;
    QFile edited(QDir(folder).filePath(ConfigFileName));
    ASSERT_TRUE(edited.open(QIODevice::WriteOnly));
    edited.write("<Soft><Config FormatProject='1'/></Soft>");
    edited.close();
    EXPECT_EQ(SettingsFolder(exe.path(), folder), folder);
    EXPECT_TRUE(LoadSettings(folder)->FormatProject);
}

TEST(SettingsLocation, AnInstalledProgramSeedsFromItsDataFolder)
{
    // bin/ and share/mirovane/ as a package lays them out; an empty data file is one a failed
    // upgrade left, and the built-in copy is used instead.
    for (const QByteArray &installed : {QByteArray("<Soft><Config FormatProject='1'/></Soft>"),
                                       QByteArray()}) {
        TempFolder prefix;
        TempFolder user;
        QDir(prefix.path()).mkpath(QStringLiteral("bin"));
        QDir(prefix.path()).mkpath(QStringLiteral("share/mirovane"));
        prefix.write(QStringLiteral("share/mirovane/") + ConfigFileName, installed);
        const QString folder = user.file(QStringLiteral("Mirovane"));
        EXPECT_EQ(SettingsFolder(prefix.file(QStringLiteral("bin")), folder), folder);
        EXPECT_EQ(ReadAll(QDir(folder).filePath(ConfigFileName)),
                  installed.isEmpty() ? DefaultConfiguration() : installed);
    }
}

TEST(SettingsLocation, AFullDiskNeverLeavesSettingsThatStopTheNextStart)
{
    mrv::test::SmallDisk disk;
    MIROVANE_SKIP_WITHOUT_DISK(disk);
    TempFolder exe;
    const QString folder = disk.file(QStringLiteral("Mirovane"));
    QDir().mkpath(folder);
    const QString config = QDir(folder).filePath(ConfigFileName);

    // A seed that does not fit leaves nothing, and the next start with room seeds again; so
    // does the empty file an interrupted seed of an earlier version left.
    disk.Fill();
    SettingsFolder(exe.path(), folder);
    EXPECT_FALSE(QFileInfo::exists(config));
    QFile::remove(disk.file(QStringLiteral("filler")));
    QFile empty(config);
    ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    empty.close();
    SettingsFolder(exe.path(), folder);
    EXPECT_EQ(ReadAll(config), DefaultConfiguration());

    // Closing on a full disk reports both files and keeps what was there.
    auto loaded = LoadSettings(folder);
    ASSERT_TRUE(loaded.ok());
    ASSERT_TRUE(SaveSettings(*loaded).ok());
    const QByteArray window = ReadAll(QDir(folder).filePath(WindowFileName));
    const QByteArray saved = ReadAll(config);
    loaded->FormatProject = !loaded->FormatProject;
    disk.Fill();
    const Status full = SaveSettings(*loaded);
    ASSERT_FALSE(full.ok());
    EXPECT_TRUE(full.message().contains(ConfigFileName)) << full.message();
    EXPECT_EQ(ReadAll(config), saved);
    EXPECT_EQ(ReadAll(QDir(folder).filePath(WindowFileName)), window);
    EXPECT_TRUE(LoadSettings(folder).ok());
}

TEST(Settings, TheLanguageChoiceIsKeptWithTheSwitches)
{
    TempFolder dir;
    const struct
    {
        const char *stored;
        LanguageChoice choice;
    } cases[] = {{"en", LanguageChoice::English}, {"zh_CN", LanguageChoice::Chinese},
                 {"fr", LanguageChoice::System}, {nullptr, LanguageChoice::System}};
    for (const auto &c : cases) {
        dir.write(ConfigFileName, c.stored ? QByteArray("<Soft><Config Language='") + c.stored
                                                 + "'/></Soft>"
                                           : QByteArray("<Soft/>"));
        auto loaded = LoadSettings(dir.path());
        ASSERT_TRUE(loaded.ok());
        EXPECT_EQ(loaded->Language, c.choice) << (c.stored ? c.stored : "none");
    }
    auto loaded = LoadSettings(dir.path());
    loaded->Language = LanguageChoice::English;
    ASSERT_TRUE(SaveSettings(*loaded).ok());
    EXPECT_EQ(LoadSettings(dir.path())->Language, LanguageChoice::English);
}
