#include "settings/settings.h"

#include "support/atomicfile.h"
#include "support/xmledit.h"
#include "support/xmlfile.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>

namespace mrv {

namespace {

bool readSwitch(const pugi::xml_document &doc, const QString &attr)
{
    // Any integer but 0 is on; a text without digits falls back to the default "0".
    const auto value = XmlGetAttr(doc, QStringLiteral("/Soft/Config"), attr, QStringLiteral("0"), 0, 1);
    return value.ok() && value->toInt() != 0;
}

} // namespace

LanguageChoice ReadLanguageChoice(const QString &text)
{
    if (text == u"zh_CN")
        return LanguageChoice::Chinese;
    if (text == u"en")
        return LanguageChoice::English;
    return LanguageChoice::System;
}

QString LanguageChoiceText(LanguageChoice choice)
{
    switch (choice) {
    case LanguageChoice::Chinese: return QStringLiteral("zh_CN");
    case LanguageChoice::English: return QStringLiteral("en");
    case LanguageChoice::System: break;
    }
    return QStringLiteral("system");
}

QList<ScreenScaleEntry> Settings::ScreenScales() const
{
    QList<ScreenScaleEntry> list;
    for (const auto &scale : XmlSelect(*ConfigDocument, QStringLiteral("/Soft/ScreenScale/Scale")))
        list.append({FromUtf8(scale.attribute("Width").value()),
                     FromUtf8(scale.attribute("Height").value())});
    return list;
}

QString SettingsLoadFailureMessage(const QDateTime &now)
{
    const QLocale locale = QLocale::system();
    const QString stamp = locale.toString(now.date(), QLocale::ShortFormat) + u' '
                          + now.time().toString(QStringLiteral("HH:mm:ss"));
    // untranslated: both languages, for a start that fails before any choice of language.
    return QStringLiteral("加载XML设置文件失败，请检查 ") + ConfigFileName
           + QStringLiteral(" 是否配置正确") + u'\n'
           + QStringLiteral("Load XML config error,please check ") + ConfigFileName + u'\n'
           + stamp;
}

Result<Settings> LoadSettings(const QString &folder, const QDateTime &now)
{
    Settings settings;
    settings.ConfigPath = QDir(folder).filePath(ConfigFileName);
    if (!LoadXmlFile(*settings.ConfigDocument, settings.ConfigPath, XmlComments::Keep))
        return Result<Settings>::Fail(SettingsLoadFailureMessage(now));

    settings.WindowPath = QDir(folder).filePath(WindowFileName);
    if (!LoadXmlFile(*settings.WindowDocument, settings.WindowPath, XmlComments::Keep)) {
        settings.WindowDocument->reset();
        // A file that is there but does not load may be a hand edit gone wrong: keep it for
        // its owner to mend rather than replace it with a document made from nothing.
        settings.KeepWindowFile = QFileInfo::exists(settings.WindowPath);
    }

    const auto distance = XmlGetAttr(*settings.WindowDocument, QStringLiteral("/Soft/Window"),
                                     QStringLiteral("ListDistance"), QStringLiteral("10"), 0,
                                     2147483647);
    settings.ListDistance = distance.ok() ? distance->toInt() : 10;
    settings.FormatProject = readSwitch(*settings.ConfigDocument, QStringLiteral("FormatProject"));
    settings.FrameFocus = readSwitch(*settings.ConfigDocument, QStringLiteral("FrameFocus"));
    const auto language = XmlGetAttr(*settings.ConfigDocument, QStringLiteral("/Soft/Config"),
                                     QStringLiteral("Language"), QString(), 0);
    settings.Language = ReadLanguageChoice(language.ok() ? *language : QString());
    settings.ProjectTypes = MakeProjectTypes();
    settings.ImageTypes = MakeImageTypes();
    settings.ExportTypes = MakeExportTypes();
    return settings;
}

pugi::xml_node EnsureSoftRoot(pugi::xml_document &doc)
{
    if (auto root = doc.document_element())
        return root;
    return doc.append_child("Soft");
}

Status SaveSettings(Settings &settings)
{
    auto &config = *settings.ConfigDocument;
    const QString path = QStringLiteral("/Soft/Config");
    const auto on = [](bool b) { return b ? QStringLiteral("1") : QStringLiteral("0"); };
    QStringList failures;
    if (config.document_element()) {
        for (const auto &[attr, value] :
             {std::pair{QStringLiteral("FormatProject"), settings.FormatProject},
              std::pair{QStringLiteral("FrameFocus"), settings.FrameFocus}})
            if (const Status s = XmlSetAttr(config, path, attr, on(value), 0); !s)
                failures << settings.ConfigPath + QStringLiteral(": ") + s.message();
        if (const Status s = XmlSetAttr(config, path, QStringLiteral("Language"),
                                        LanguageChoiceText(settings.Language), 0);
            !s)
            failures << settings.ConfigPath + QStringLiteral(": ") + s.message();
    }
    // A window document that never got a root holds nothing worth writing.
    if (settings.WindowDocument->document_element() && !settings.KeepWindowFile) {
        if (const Status s = WriteFileAtomically(
                settings.WindowPath, XmlToBytes(*settings.WindowDocument, false), Durability::Sync);
            !s)
            failures << s.message();
    }
    // Each file is written whatever became of the other: losing the layout must not also
    // lose the options.
    if (const Status s =
            WriteFileAtomically(settings.ConfigPath, XmlToBytes(config, false), Durability::Sync);
        !s)
        failures << s.message();
    if (!failures.isEmpty())
        return Status::Fail(failures.join(u'\n'));
    return Status::Ok();
}

} // namespace mrv
