#include "support/filetypes.h"

#include "support/pathrules.h"
#include "support/tr.h"

#include <algorithm>

namespace mrv {

namespace {
constexpr int MaxEntries = 254;
constexpr int MaxExtensions = 255;

/// An entry of the lists below. Their captions stay source texts: NameFilters shows them in the
/// interface's language.
void AddType(DlgFTlist &list, const char *caption, const char *extensions)
{
    (void)list.Add(QString::fromUtf8(caption), QString::fromLatin1(extensions));
}

} // namespace

QStringList FileType::ExtensionList() const
{
    return Extensions.split(u',');
}

Result<FileType> DlgFTlist::Add(const QString &typeName, const QString &extensions,
                                  const QString &key)
{
    if (!key.isEmpty() && Item(key))
        return Result<FileType>::Fail(QStringLiteral("duplicate file type key: %1").arg(key));
    m_types.push_back(FileType{typeName, extensions});
    m_keys.push_back(key);
    return m_types.back();
}

const FileType *DlgFTlist::Item(int position) const
{
    if (position < 1 || position > Count())
        return nullptr;
    return &m_types[size_t(position - 1)];
}

const FileType *DlgFTlist::Item(const QString &key) const
{
    if (key.isEmpty())
        return nullptr;
    for (size_t i = 0; i < m_keys.size(); ++i)
        if (m_keys[i] == key)
            return &m_types[i];
    return nullptr;
}

bool DlgFTlist::Remove(int position)
{
    if (position < 1 || position > Count())
        return false;
    m_types.erase(m_types.begin() + (position - 1));
    m_keys.erase(m_keys.begin() + (position - 1));
    return true;
}

bool DlgFTlist::Remove(const QString &key)
{
    for (size_t i = 0; i < m_keys.size(); ++i)
        if (!key.isEmpty() && m_keys[i] == key)
            return Remove(int(i) + 1);
    return false;
}

Result<QString> DlgFTlist::Txt() const
{
    if (Count() > MaxEntries)
        return Result<QString>::Fail(QStringLiteral("too many file types"));
    QString text;
    for (int i = 0; i < Count(); ++i) {
        const FileType &type = m_types[size_t(i)];
        const QStringList exts = type.ExtensionList();
        if (type.Extensions.isEmpty() || exts.size() > MaxExtensions)
            return Result<QString>::Fail(QStringLiteral("bad extensions: %1").arg(type.TypeName));
        text += type.TypeName + QChar(u'\0');
        QStringList patterns;
        for (const QString &e : exts)
            patterns << QStringLiteral("*.") + e;
        text += patterns.join(u';');
        if (i + 1 < Count())
            text += QChar(u'\0');
    }
    return text;
}

QStringList DlgFTlist::NameFilters() const
{
    // Qt reads the patterns from the last parenthesis; the caption keeps its own text, which
    // QFileDialog::HideNameFilterDetails shows alone.
    QStringList filters;
    for (const FileType &type : m_types) {
        QStringList patterns;
        for (const QString &ext : type.ExtensionList())
            patterns << QStringLiteral("*.") + ext;
        const QString caption = Tr::tr(type.TypeName.toUtf8().constData());
        filters << caption + u" (" + patterns.join(u' ') + u')';
    }
    return filters;
}

int DlgFTlist::IndexOfNameFilter(const QString &filter) const
{
    return int(NameFilters().indexOf(filter)) + 1;
}

int DlgFTlist::IndexForTypedName(int chosen, const QString &fileName) const
{
    const auto endsInOneOf = [&fileName](const FileType &type) {
        const QStringList extensions = type.ExtensionList();
        return std::any_of(extensions.begin(), extensions.end(), [&](const QString &extension) {
            return !extension.isEmpty() &&
                   fileName.endsWith(u'.' + extension, Qt::CaseInsensitive);
        });
    };
    if (const FileType *own = Item(chosen); own && endsInOneOf(*own))
        return chosen;
    for (int i = 1; i <= Count(); ++i)
        if (endsInOneOf(*Item(i)))
            return i;
    return chosen;
}

QString DialogFiles::FirstPath() const
{
    return Files.isEmpty() ? QString() : Folder + Files.first();
}

DialogFiles ParseDialogFiles(const QString &chosenPath)
{
    DialogFiles result;
    QString path = chosenPath;
    while (path.endsWith(QChar(u'\0')))
        path.chop(1);
    qsizetype cut = -1;
    for (qsizetype i = path.size() - 1; i >= 0; --i)
        if (IsSeparator(path[i])) {
            cut = i;
            break;
        }
    if (cut < 0 || cut + 1 >= path.size())
        return result;
    result.Folder = path.left(cut + 1);
    result.Files << path.mid(cut + 1);
    result.Count = 1;
    return result;
}

DlgFTlist MakeProjectTypes()
{
    DlgFTlist list;
    AddType(list, QT_TRANSLATE_NOOP("Mirovane", "MRVK工程文件(*.mrv)"), "mrv");
    AddType(list, QT_TRANSLATE_NOOP("Mirovane", "XML文件(*.xml)"), "xml");
    return list;
}

} // namespace mrv
