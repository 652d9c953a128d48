#include "settings/exportchoices.h"

#include "support/xmledit.h"

#include <QRegularExpression>

namespace mrv {

namespace {

const QString ExportPath = QStringLiteral("/Soft/Export");

bool IsXmlName(const QString &name)
{
    static const QRegularExpression pattern(QStringLiteral("^[A-Za-z_][A-Za-z0-9._-]*$"));
    return pattern.match(name).hasMatch();
}

} // namespace

QMap<QString, QString> StoredExportChoices(const Settings &settings, const QString &targetId)
{
    QMap<QString, QString> values;
    if (!IsXmlName(targetId))
        return values;
    const auto found = XmlSelect(*settings.ConfigDocument, ExportPath + u'/' + targetId);
    if (found.empty())
        return values;
    for (const pugi::xml_attribute &attr : found.front().attributes())
        values.insert(FromUtf8(attr.name()), FromUtf8(attr.value()));
    return values;
}

Status StoreExportChoices(Settings &settings, const QString &targetId,
                          const QMap<QString, QString> &values)
{
    if (!IsXmlName(targetId))
        return Status::Fail(QStringLiteral("XML: invalid name: %1").arg(targetId));
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        if (!IsXmlName(it.key()))
            return Status::Fail(QStringLiteral("XML: invalid name: %1").arg(it.key()));
    pugi::xml_document &config = *settings.ConfigDocument;
    const QString path = ExportPath + u'/' + targetId;
    // The element is made afresh, so a value the target no longer has does not linger.
    for (pugi::xml_node old : XmlSelect(config, path))
        old.parent().remove_child(old);
    if (const Status made = XmlAppendElement(config, ExportPath, targetId, {}, 0); !made)
        return made;
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        if (const Status set = XmlAddAttr(config, path, it.key(), it.value(), 0); !set)
            return set;
    return Status::Ok();
}

} // namespace mrv
