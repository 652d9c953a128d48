// XML access on arbitrary documents and paths. Input: a path line, then the document.
#include "support/xmledit.h"
#include "support/xmlfile.h"

#include <QByteArray>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    const qsizetype newline = input.indexOf('\n');
    const QString path = QString::fromUtf8(newline < 0 ? input : input.left(newline));
    pugi::xml_document doc;
    if (!mrv::LoadXmlText(doc, newline < 0 ? QByteArray() : input.mid(newline + 1)).ok())
        (void)doc.append_child("Soft");

    const int count = mrv::XmlCount(doc, path);
    for (int index = 0; index <= count && index < 4; ++index) {
        (void)mrv::XmlGetText(doc, path, QStringLiteral("d"), index, 2147483647);
        (void)mrv::XmlGetAttr(doc, path, QStringLiteral("a"), QStringLiteral("0"), index, 1);
    }
    const auto set = mrv::XmlSetAttr(doc, path, QStringLiteral("a"), QStringLiteral("v"), count);
    if (set.ok()) {
        const auto read = mrv::XmlGetAttr(doc, path, QStringLiteral("a"), QString(), count);
        if (!read.ok() || *read != QStringLiteral("v"))
            abort();
    }
    (void)mrv::XmlAppendElement(doc, path, QStringLiteral("e"), QStringLiteral("t"), 0);
    (void)mrv::XmlToBytes(doc, size % 2 == 0);
    return 0;
}
