#include "update/updateaddress.h"

#include "support/xmlfile.h"

#include <gtest/gtest.h>

namespace mrv {
namespace {

TEST(UpdateAddress, QueryAndProductPageGoBelowTheBase)
{
    const QString query = QStringLiteral("/tools/checkver/index.php?soft=Mirovane&mod=xmlverinfo&ver=newest");
    EXPECT_EQ(VersionQueryUrl(QStringLiteral("https://mirovane.org")).toString(),
              u"https://mirovane.org" + query);
    EXPECT_EQ(VersionQueryUrl(QStringLiteral("https://mirovane.org/")).toString(),
              u"https://mirovane.org" + query);
    EXPECT_EQ(VersionQueryUrl(QStringLiteral(" http://127.0.0.1:8080 ")).toString(),
              u"http://127.0.0.1:8080" + query);
    EXPECT_EQ(VersionQueryUrl(QStringLiteral("https://example.net/mirror/?x=1#top")).toString(),
              u"https://example.net/mirror" + query);
    EXPECT_EQ(ProductPageUrl(QStringLiteral("https://mirovane.org")).toString(),
              u"https://mirovane.org/tools/Mirovane");
    EXPECT_EQ(ProductPageUrl(QStringLiteral("HTTP://Mirovane.org:81//")).toString(),
              u"http://mirovane.org:81/tools/Mirovane");
}

TEST(UpdateAddress, OnlyHttpAndHttpsAreWebAddresses)
{
    for (const char16_t *good : {u"http://mirovane.org", u"https://mirovane.org/dl?v=2", u"HTTPS://x.org/",
                                 u"http://[::1]:8080/a"})
        EXPECT_FALSE(WebAddress(QString::fromUtf16(good)).isEmpty()) << QString::fromUtf16(good).toStdString();
    for (const char16_t *bad :
         {u"", u"   ", u"mirovane.org", u"file:///etc/passwd", u"file://server/share/x.exe",
          u"javascript:alert(1)", u"C:\\Windows\\system32\\calc.exe", u"/usr/bin/xterm",
          u"ftp://mirovane.org/", u"mailto:a@b.org", u"http://", u"https:///path", u"data:text/html,hi",
          u"http://exa mple.org/"})
        EXPECT_TRUE(WebAddress(QString::fromUtf16(bad)).isEmpty()) << QString::fromUtf16(bad).toStdString();
}

TEST(UpdateAddress, NoWebBaseGivesNoAddresses)
{
    for (const char16_t *bad : {u"", u"mirovane.org", u"file:///tmp", u"ftp://mirovane.org"}) {
        EXPECT_TRUE(VersionQueryUrl(QString::fromUtf16(bad)).isEmpty());
        EXPECT_TRUE(ProductPageUrl(QString::fromUtf16(bad)).isEmpty());
    }
}

TEST(UpdateAddress, ServerComesFromTheConfiguration)
{
    pugi::xml_document doc;
    ASSERT_TRUE(LoadXmlText(doc, R"(<Soft><Update Server=" https://a.example "/></Soft>)").ok());
    EXPECT_EQ(UpdateServerAddress(doc), u"https://a.example");
    ASSERT_TRUE(LoadXmlText(doc, R"(<Soft><Update/></Soft>)").ok());
    EXPECT_TRUE(UpdateServerAddress(doc).isEmpty());
    ASSERT_TRUE(LoadXmlText(doc, R"(<Soft/>)").ok());
    EXPECT_TRUE(UpdateServerAddress(doc).isEmpty());
}

TEST(UpdateAddress, ShippedConfigurationNamesAWebServer)
{
    pugi::xml_document doc;
    ASSERT_TRUE(LoadXmlFile(doc, QStringLiteral(MIROVANE_SOURCE_DIR "/data/MRVKConfig.xml")).ok());
    const QString server = UpdateServerAddress(doc);
    EXPECT_EQ(WebAddress(server).scheme(), u"https");
    EXPECT_FALSE(VersionQueryUrl(server).isEmpty());
    EXPECT_FALSE(ProductPageUrl(server).isEmpty());
}

} // namespace
} // namespace mrv
