#pragma once

#include "support/filetypes.h"
#include "support/result.h"

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringView>

#include <span>

namespace mrv {

/// The picture formats the exports write.
enum class PictureFormat
{
    Png,
    Bmp,
    Jpg,
    Gif,
    Tif,
    WebP, ///< animated only
    Apng, ///< animated only
};

/// One picture format with every name it goes by and its encoder.
struct PictureFormatInfo
{
    PictureFormat format;
    QString extension; ///< ".png": what file names end with and what picks the format
    QString cliName;   ///< "png": the command line's --format value
    QString caption;   ///< "PNG文件(*.png)": the export save dialogs' entry, shown translated
    int typeIndex;     ///< 1-based position of that entry in the export file types
    Result<QByteArray> (*encode)(const QImage &canvas);
    QString alias = {}; ///< ".apng": another extension that names the format, kept when typed
};

/// Every still format, in the order of the export save dialogs (PNG, BMP, JPEG, GIF, TIFF).
std::span<const PictureFormatInfo> PictureFormats();

/// The animated formats, in the order of the animation's save dialog (GIF, WebP, APNG); their
/// encode writes a single still frame and their typeIndex is their position there.
std::span<const PictureFormatInfo> AnimationFormats();

/// The entry of a format (GIF: its still entry).
const PictureFormatInfo &FormatInfo(PictureFormat format);

/// Lookups; nullptr when nothing matches. Names and extensions are compared exactly, so
/// "PNG", ".PNG" and ".jpeg" match nothing.
const PictureFormatInfo *FormatByCliName(QStringView name);
const PictureFormatInfo *FormatByExtension(QStringView extension);
const PictureFormatInfo *FormatByTypeIndex(int typeIndex);

/// The export file types of the save dialogs, built from the table.
DlgFTlist ExportTypeList();

/// The format of the list that the command line writes: the one named by --format (nameGiven)
/// when given, otherwise the one whose alias or extension (in any letter case) the output's
/// file name ends with, otherwise the fallback. An unknown name fails with a message listing
/// the list's names.
Result<PictureFormat> CliFormat(std::span<const PictureFormatInfo> formats,
                                const QString *nameGiven, const QString &outPath,
                                PictureFormat fallback);

} // namespace mrv
