#include "support/xmlfile.h"

#include "support/fileerror.h"
#include "support/regularfile.h"
#include "support/tr.h"

#include <QFile>

#include <sstream>

namespace mrv {

Status LoadXmlText(pugi::xml_document &doc, const QByteArray &utf8, XmlComments comments)
{
    doc.reset();
    unsigned options = pugi::parse_default | pugi::parse_declaration;
    // A document that is written back keeps the user's notes and line layout.
    if (comments == XmlComments::Keep)
        options |= pugi::parse_comments | pugi::parse_ws_pcdata;
    const auto parsed = doc.load_buffer(utf8.constData(), size_t(utf8.size()), options);
    if (!parsed)
        return Status::Fail(QString::fromUtf8(parsed.description()));
    if (!doc.document_element())
        return Status::Fail(QStringLiteral("no root element"));
    return Status::Ok();
}

Status LoadXmlFile(pugi::xml_document &doc, const QString &path, XmlComments comments)
{
    doc.reset();
    QFile file(path);
    if (const Status opened = OpenRegularFile(file); !opened)
        return Status::Fail(QStringLiteral("%1: %2").arg(path, opened.message()));
    if (file.size() > MaxXmlFileBytes)
        return Status::Fail(Tr::tr("%1: 文件过大（%2 MB），上限为 %3 MB")
                                .arg(path)
                                .arg(file.size() / (1024 * 1024))
                                .arg(MaxXmlFileBytes / (1024 * 1024)));
    const Status status = LoadXmlText(doc, file.readAll(), comments);
    if (!status)
        return Status::Fail(QStringLiteral("%1: %2").arg(path, status.message()));
    return status;
}

bool IsIndentedXml(const QString &path)
{
    QFile file(path);
    if (!OpenRegularFile(file))
        return false;
    const QByteArray head = file.read(4096);
    for (qsizetype at = head.indexOf('\n'); at >= 0; at = head.indexOf('\n', at + 1)) {
        qsizetype next = at + 1;
        while (next < head.size() &&
               (head[next] == ' ' || head[next] == '\t' || head[next] == '\r'))
            ++next;
        if (next > at + 1 && next < head.size() && head[next] == '<')
            return true;
    }
    return false;
}

QByteArray XmlToBytes(const pugi::xml_document &doc, bool pretty)
{
    std::ostringstream out;
    if (pretty) {
        pugi::xml_document copy;
        copy.reset(doc);
        // The pretty form always carries a standalone UTF-8 declaration of its own.
        for (auto node = copy.first_child(); node && node.type() == pugi::node_declaration;
             node = copy.first_child())
            copy.remove_child(node);
        auto decl = copy.prepend_child(pugi::node_declaration);
        decl.append_attribute("version") = "1.0";
        decl.append_attribute("encoding") = "UTF-8";
        decl.append_attribute("standalone") = "yes";
        copy.save(out, "\t", pugi::format_indent, pugi::encoding_utf8);
    } else {
        doc.save(out, "", pugi::format_raw, pugi::encoding_utf8);
    }
    const std::string text = out.str();
    return QByteArray(text.data(), qsizetype(text.size()));
}

} // namespace mrv
