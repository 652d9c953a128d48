#include "support/xmledit.h"

#include "support/regexutil.h"
#include "support/tr.h"

#include <QStringList>

namespace mrv {

namespace {

std::optional<QStringList> splitPath(const QString &path)
{
    if (!path.startsWith(u'/'))
        return std::nullopt;
    const QStringList names = path.mid(1).split(u'/');
    for (const QString &n : names)
        if (n.isEmpty())
            return std::nullopt;
    return names;
}

pugi::xml_node selectAt(const pugi::xml_node &node, const QString &path, int index)
{
    if (index < 0)
        return {};
    const auto matches = XmlSelect(node, path);
    return index < int(matches.size()) ? matches[size_t(index)] : pugi::xml_node();
}

QString innerText(const pugi::xml_node &node)
{
    // Walked without recursion: a hostile document may nest elements very deeply.
    QString text;
    for (auto n = node.first_child(); n;) {
        if (n.type() == pugi::node_pcdata || n.type() == pugi::node_cdata)
            text += FromUtf8(n.value());
        if (n.type() == pugi::node_element && n.first_child()) {
            n = n.first_child();
            continue;
        }
        while (n && n != node && !n.next_sibling())
            n = n.parent();
        if (!n || n == node)
            break;
        n = n.next_sibling();
    }
    return text;
}

Status failure(const QString &what, const QString &path)
{
    return Status::Fail(QStringLiteral("XML: %1: %2").arg(what, path));
}

} // namespace

std::vector<pugi::xml_node> XmlSelect(const pugi::xml_node &node, const QString &path)
{
    const auto names = splitPath(path);
    if (!names)
        return {};
    std::vector<pugi::xml_node> current{node.root()};
    for (const QString &name : *names) {
        const std::string utf8 = ToUtf8(name);
        std::vector<pugi::xml_node> next;
        for (const auto &parent : current)
            for (auto child = parent.child(utf8.c_str()); child;
                 child = child.next_sibling(utf8.c_str()))
                next.push_back(child);
        current = std::move(next);
        if (current.empty())
            break;
    }
    return current;
}

Result<QString> ApplyCeiling(const QString &value, const QString &defaultText, qint32 ceiling)
{
    // Same result as collecting "[-\d]" matches; done by hand because it runs per attribute.
    // Only ASCII digits count, as "\d" takes them: other scripts' digits (full-width "１")
    // are dropped like any other character instead of breaking the number.
    QString kept;
    kept.reserve(value.size());
    for (const QChar c : value)
        if (c == u'-' || (c >= u'0' && c <= u'9'))
            kept += c;
    if (kept.isEmpty())
        kept = defaultText;
    bool ok = false;
    const qint32 number = kept.toInt(&ok, 10);
    if (!ok)
        return Result<QString>::Fail(Tr::tr("“%1”不是有效的整数").arg(value));
    return QString::number(number > ceiling ? ceiling : number);
}

Result<QString> XmlGetText(const pugi::xml_node &node, const QString &path,
                           const QString &defaultText, int index, std::optional<qint32> ceiling)
{
    const auto element = selectAt(node, path, index);
    if (!element)
        return defaultText;
    const QString all = innerText(element);
    return ceiling ? ApplyCeiling(all, defaultText, *ceiling) : Result<QString>(all);
}

Result<QString> XmlGetAttr(const pugi::xml_node &node, const QString &path, const QString &attr,
                           const QString &defaultText, int index, std::optional<qint32> ceiling)
{
    const auto element = selectAt(node, path, index);
    if (!element)
        return defaultText;
    const auto attribute = element.attribute(ToUtf8(attr).c_str());
    if (!attribute)
        return defaultText;
    const QString value = FromUtf8(attribute.value());
    return ceiling ? ApplyCeiling(value, defaultText, *ceiling) : Result<QString>(value);
}

int XmlCount(const pugi::xml_node &node, const QString &path)
{
    return int(XmlSelect(node, path).size());
}

Status XmlAppendElement(const pugi::xml_node &node, const QString &parentPath,
                        const QString &name, const QString &text, int index)
{
    if (!splitPath(parentPath) || name.isEmpty() || index < 0)
        return failure(QStringLiteral("invalid path"), parentPath);
    auto parent = selectAt(node, parentPath, index);
    if (!parent) {
        const qsizetype cut = parentPath.lastIndexOf(u'/');
        const QString head = parentPath.left(cut);
        const QString tail = parentPath.mid(cut + 1);
        if (head.isEmpty())
            return failure(QStringLiteral("cannot create the root element"), parentPath);
        const Status created = XmlAppendElement(node, head, tail, QString(), 0);
        if (!created)
            return created;
        parent = selectAt(node, parentPath, index);
        if (!parent)
            return failure(QStringLiteral("index past the matching elements"), parentPath);
    }
    auto child = parent.append_child(ToUtf8(name).c_str());
    if (!child)
        return failure(QStringLiteral("cannot append element"), parentPath);
    if (!text.isEmpty())
        child.text().set(ToUtf8(text).c_str());
    return Status::Ok();
}

Status XmlAddAttr(const pugi::xml_node &node, const QString &path, const QString &attr,
                  const QString &value, int index)
{
    auto element = selectAt(node, path, index);
    if (!element)
        return failure(QStringLiteral("no element"), path);
    const std::string name = ToUtf8(attr);
    auto attribute = element.attribute(name.c_str());
    if (!attribute)
        attribute = element.append_attribute(name.c_str());
    if (!attribute || !attribute.set_value(ToUtf8(value).c_str()))
        return failure(QStringLiteral("cannot set attribute"), path);
    return Status::Ok();
}

Status XmlSetAttr(const pugi::xml_node &node, const QString &path, const QString &attr,
                  const QString &value, int index)
{
    if (!splitPath(path) || index < 0)
        return failure(QStringLiteral("invalid path"), path);
    if (!selectAt(node, path, index)) {
        const qsizetype cut = path.lastIndexOf(u'/');
        const QString head = path.left(cut);
        if (head.isEmpty())
            return failure(QStringLiteral("cannot create the root element"), path);
        const Status created = XmlAppendElement(node, head, path.mid(cut + 1), QString(), 0);
        if (!created)
            return created;
    }
    return XmlAddAttr(node, path, attr, value, index);
}

} // namespace mrv
