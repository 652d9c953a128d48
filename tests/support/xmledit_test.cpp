#include "testsupport.h"
#include "support/xmledit.h"
#include "support/xmlfile.h"

#include <gtest/gtest.h>

using namespace mrv;

namespace {

pugi::xml_document parse(const char *text)
{
    pugi::xml_document doc;
    EXPECT_TRUE(LoadXmlText(doc, QByteArray(text)).ok()) << text;
    return doc;
}

QString attr(const pugi::xml_document &doc, const char *path, const char *name, int index = 0,
             std::optional<qint32> ceiling = std::nullopt)
{
    auto r = XmlGetAttr(doc, QString::fromLatin1(path), QString::fromLatin1(name),
                        QStringLiteral("DEF"), index, ceiling);
    return r.ok() ? *r : QStringLiteral("ERROR");
}

QString raw(const pugi::xml_document &doc)
{
    return QString::fromUtf8(XmlToBytes(doc, false));
}

} // namespace

TEST(XmlRead, DefaultsForMissingElementsAttributesAndIndices)
{
    const auto doc = parse("<Soft><Window ListDistance='4'/><Window ListDistance='9'/></Soft>");
    EXPECT_EQ(attr(doc, "/Soft/Window", "ListDistance"), QStringLiteral("4"));
    EXPECT_EQ(attr(doc, "/Soft/Window", "ListDistance", 1), QStringLiteral("9"));
    EXPECT_EQ(attr(doc, "/Soft/Window", "ListDistance", 2), QStringLiteral("DEF"));
    EXPECT_EQ(attr(doc, "/Soft/Window", "Other"), QStringLiteral("DEF"));
    EXPECT_EQ(attr(doc, "/Soft/Nothing", "ListDistance"), QStringLiteral("DEF"));
    EXPECT_EQ(attr(doc, "/Other/Window", "ListDistance"), QStringLiteral("DEF"));
    // The default comes back verbatim even in ceiling mode.
    EXPECT_EQ(attr(doc, "/Soft/Nothing", "X", 0, 1), QStringLiteral("DEF"));
    EXPECT_EQ(XmlCount(doc, QStringLiteral("/Soft/Window")), 2);
    EXPECT_EQ(XmlCount(doc, QStringLiteral("/Soft/None")), 0);
    EXPECT_EQ(XmlCount(doc, QStringLiteral("Soft")), 0);
}

TEST(XmlRead, MatchesAreInDocumentOrderAcrossParents)
{
    const auto doc = parse("<R><A><B v='1'/><B v='2'/></A><A><B v='3'/></A></R>");
    EXPECT_EQ(XmlCount(doc, QStringLiteral("/R/A/B")), 3);
    EXPECT_EQ(attr(doc, "/R/A/B", "v", 2), QStringLiteral("3"));
}

TEST(XmlRead, CeilingKeepsDigitsAndMinusAndLowersToTheCeiling)
{
    const auto doc = parse("<R><E a='12px' b='1.5' c='007' d='-3' e='5' f='True' g='1-2' "
                           "h='99999999999' i='' j='-'/></R>");
    const qint32 big = 2147483647;
    EXPECT_EQ(attr(doc, "/R/E", "a", 0, big), QStringLiteral("12"));
    EXPECT_EQ(attr(doc, "/R/E", "b", 0, big), QStringLiteral("15"));
    EXPECT_EQ(attr(doc, "/R/E", "c", 0, big), QStringLiteral("7"));
    EXPECT_EQ(attr(doc, "/R/E", "d", 0, 1), QStringLiteral("-3"));
    EXPECT_EQ(attr(doc, "/R/E", "e", 0, 1), QStringLiteral("1"));
    // No digit at all: the default, converted.
    const auto noDigits = XmlGetAttr(doc, QStringLiteral("/R/E"), QStringLiteral("f"),
                                     QStringLiteral("0"), 0, 1);
    ASSERT_TRUE(noDigits.ok());
    EXPECT_EQ(*noDigits, QStringLiteral("0"));
    const auto empty = XmlGetAttr(doc, QStringLiteral("/R/E"), QStringLiteral("i"),
                                  QStringLiteral("10"), 0, big);
    ASSERT_TRUE(empty.ok());
    EXPECT_EQ(*empty, QStringLiteral("10"));
    // Texts that keep no integer are errors, distinguishable from any value.
    EXPECT_EQ(attr(doc, "/R/E", "g", 0, big), QStringLiteral("ERROR"));
    EXPECT_EQ(attr(doc, "/R/E", "h", 0, big), QStringLiteral("ERROR"));
    EXPECT_EQ(attr(doc, "/R/E", "j", 0, big), QStringLiteral("ERROR"));
}

TEST(XmlRead, ElementTextIsAllCharacterData)
{
    const auto doc = parse("<R><T>ab<i>c</i>d</T><E/><N>v12</N></R>");
    EXPECT_EQ(*XmlGetText(doc, QStringLiteral("/R/T"), QStringLiteral("x"), 0), QStringLiteral("abcd"));
    EXPECT_EQ(*XmlGetText(doc, QStringLiteral("/R/E"), QStringLiteral("x"), 0), QString());
    EXPECT_EQ(*XmlGetText(doc, QStringLiteral("/R/E"), QStringLiteral("3"), 0, 100), QStringLiteral("3"));
    EXPECT_EQ(*XmlGetText(doc, QStringLiteral("/R/N"), QStringLiteral("0"), 0, 5), QStringLiteral("5"));
    EXPECT_EQ(*XmlGetText(doc, QStringLiteral("/R/Q"), QStringLiteral("x"), 0), QStringLiteral("x"));
}

TEST(XmlWrite, SetAttrCreatesEveryMissingElementOnce)
{
    auto doc = parse("<Soft/>");
    ASSERT_TRUE(XmlSetAttr(doc, QStringLiteral("/Soft/Window/frmEditer"), QStringLiteral("Width"),
                           QStringLiteral("800"), 0));
    ASSERT_TRUE(XmlSetAttr(doc, QStringLiteral("/Soft/Window/frmEditer"), QStringLiteral("Height"),
                           QStringLiteral("600"), 0));
    ASSERT_TRUE(XmlSetAttr(doc, QStringLiteral("/Soft/Window/frmEditer"), QStringLiteral("Width"),
                           QStringLiteral("900"), 0));
    EXPECT_EQ(raw(doc), QStringLiteral(
                            "<?xml version=\"1.0\"?><Soft><Window><frmEditer Width=\"900\" "
                            "Height=\"600\"/></Window></Soft>"));
}

TEST(XmlWrite, SetAttrAtIndexNAppendsOneSiblingAndFailsBeyond)
{
    auto doc = parse("<Soft><W><S a='0'/><S a='1'/></W><W/></Soft>");
    ASSERT_TRUE(XmlSetAttr(doc, QStringLiteral("/Soft/W/S"), QStringLiteral("a"), QStringLiteral("2"), 2));
    EXPECT_EQ(XmlCount(doc, QStringLiteral("/Soft/W/S")), 3);
    EXPECT_EQ(attr(doc, "/Soft/W/S", "a", 2), QStringLiteral("2"));
    // The new sibling went under the first W.
    EXPECT_EQ(XmlCount(doc, QStringLiteral("/Soft/W")), 2);
    EXPECT_EQ(int(XmlSelect(doc, QStringLiteral("/Soft/W"))[1].select_nodes("S").size()), 0);

    const Status beyond = XmlSetAttr(doc, QStringLiteral("/Soft/W/S"), QStringLiteral("a"),
                                     QStringLiteral("9"), 5);
    EXPECT_FALSE(beyond.ok());
    EXPECT_FALSE(beyond.message().isEmpty());
}

TEST(XmlWrite, TheRootIsNeverCreated)
{
    pugi::xml_document empty;
    EXPECT_FALSE(XmlSetAttr(empty, QStringLiteral("/Soft/Window"), QStringLiteral("Width"),
                            QStringLiteral("1"), 0));
    EXPECT_FALSE(empty.document_element());
    auto doc = parse("<Soft/>");
    EXPECT_FALSE(XmlSetAttr(doc, QStringLiteral("/Other"), QStringLiteral("a"), QStringLiteral("1"), 0));
    EXPECT_FALSE(XmlSetAttr(doc, QStringLiteral("NoSlash"), QStringLiteral("a"), QStringLiteral("1"), 0));
    EXPECT_FALSE(XmlAddAttr(doc, QStringLiteral("/Soft/Missing"), QStringLiteral("a"), QStringLiteral("1"), 0));
}

TEST(XmlWrite, AppendElementAlwaysAppendsAndCreatesAncestors)
{
    auto doc = parse("<Soft/>");
    ASSERT_TRUE(XmlAppendElement(doc, QStringLiteral("/Soft/List"), QStringLiteral("Item"),
                                 QStringLiteral("one"), 0));
    ASSERT_TRUE(XmlAppendElement(doc, QStringLiteral("/Soft/List"), QStringLiteral("Item"),
                                 QStringLiteral("two"), 0));
    EXPECT_EQ(XmlCount(doc, QStringLiteral("/Soft/List")), 1);
    EXPECT_EQ(XmlCount(doc, QStringLiteral("/Soft/List/Item")), 2);
    EXPECT_EQ(*XmlGetText(doc, QStringLiteral("/Soft/List/Item"), QString(), 1), QStringLiteral("two"));
}

TEST(XmlWrite, ValuesAreEscapedAndReadBackUnchanged)
{
    auto doc = parse("<Soft/>");
    const QString value = QStringLiteral("a<b>&\"c' 中文");
    ASSERT_TRUE(XmlSetAttr(doc, QStringLiteral("/Soft/E"), QStringLiteral("v"), value, 0));
    pugi::xml_document reread;
    ASSERT_TRUE(LoadXmlText(reread, XmlToBytes(doc, false)).ok());
    EXPECT_EQ(*XmlGetAttr(reread, QStringLiteral("/Soft/E"), QStringLiteral("v"), QString(), 0), value);
}
