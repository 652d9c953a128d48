#pragma once

#include <QString>

namespace mrv {

/// The program's identity, as shown in titles and substituted into layout texts.
struct AppInfo
{
    static QString Title();       ///< "Mirovane"
    static QString VersionText(); ///< "1.4.34"
    static int Major();
    static int Minor();
    static int Revision();
    /// Folder that holds the running executable, without a trailing separator.
    static QString ExeFolder();
    /// File name of the running executable without its extension.
    static QString ExeName();
};

} // namespace mrv
