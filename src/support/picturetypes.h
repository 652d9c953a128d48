#pragma once

#include "support/filetypes.h"

#include <QString>
#include <QStringList>
#include <QStringView>

#include <span>

namespace mrv {

/// One kind of picture file the program reads or writes, with every name it goes by.
struct PictureType
{
    QString name;           ///< "JPEG"
    QStringList extensions; ///< lower case, without dot; the first is the one written
    QString caption;        ///< its entry in the dialogs' type lists ("JPEG文件(*.jpg)")
    /// Its entry where the frame import offers it as an animation ("GIF动画(*.gif)"); empty
    /// where its still entry serves.
    QString animationCaption;
    bool still = true;   ///< a path box shows it (an animation by its first frame)
    bool classic = true; ///< one of the five types the settings' lists and still exports offer
};

/// Every picture type, the classic ones first in the order of the export save dialogs
/// (PNG, BMP, JPEG, GIF, TIFF), then WebP and APNG.
std::span<const PictureType> PictureTypes();
/// The type of that name; the first one for a name that is none.
const PictureType &PictureTypeNamed(QStringView name);

// The dialogs' lists and the name checks made of the table are declared in filetypes.h.

} // namespace mrv
