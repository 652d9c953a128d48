#pragma once

#include "support/filetypes.h"
#include "support/result.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <pugixml.hpp>

#include <memory>

namespace mrv {

/// One entry of the configured screen-size list, as written in the file.
struct ScreenScaleEntry
{
    QString Width;
    QString Height;
};

/// The language of the interface as chosen in the options dialog: the system's, or one of the
/// two the program speaks.
enum class LanguageChoice { System, Chinese, English };

/// The choice a "Language" attribute names ("zh_CN", "en"); anything else follows the system.
LanguageChoice ReadLanguageChoice(const QString &text);
/// The attribute text of a choice: "system", "zh_CN" or "en".
QString LanguageChoiceText(LanguageChoice choice);

/// The program's settings: the two documents held for the whole run and the values read
/// from them at start.
struct Settings
{
    QString ConfigPath;
    QString WindowPath;
    std::shared_ptr<pugi::xml_document> ConfigDocument = std::make_shared<pugi::xml_document>();
    /// Empty (no root element) when the window file is missing or broken.
    std::shared_ptr<pugi::xml_document> WindowDocument = std::make_shared<pugi::xml_document>();
    /// The window file exists but did not load: it is left as it is, never replaced by what
    /// the run wrote into the empty document.
    bool KeepWindowFile = false;
    qint32 ListDistance = 10;
    bool FormatProject = false;
    bool FrameFocus = false;
    /// "/Soft/Config" `Language`, written back with the two switches.
    LanguageChoice Language = LanguageChoice::System;
    DlgFTlist ProjectTypes;
    DlgFTlist ImageTypes;
    DlgFTlist ExportTypes;

    /// The configured screen sizes in document order, duplicates kept.
    QList<ScreenScaleEntry> ScreenScales() const;
};

inline const QString ConfigFileName = QStringLiteral("MRVKConfig.xml");
inline const QString WindowFileName = QStringLiteral("MRVKWindow.xml");

/// Loads both documents from the folder. A configuration document that does not load is the
/// one failure; its message is SettingsLoadFailureMessage.
Result<Settings> LoadSettings(const QString &folder,
                              const QDateTime &now = QDateTime::currentDateTime());

/// The message shown when the configuration file cannot be loaded: two lines and the time.
QString SettingsLoadFailureMessage(const QDateTime &now);

/// Writes the two switches and the language into the configuration document, then saves the
/// window document (when it has a root element and its file is not kept) and the configuration
/// document, each through a temporary file. A failed file does not stop the other; the failure names every
/// file that was not written, one line each, with its reason.
Status SaveSettings(Settings &settings);

/// The root "Soft" of a document, created when the document has no root element yet.
pugi::xml_node EnsureSoftRoot(pugi::xml_document &doc);

} // namespace mrv
