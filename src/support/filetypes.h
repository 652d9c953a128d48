#pragma once

#include "support/result.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace mrv {

/// One entry of a file dialog's type box: a caption and its extensions ("tif,tiff").
struct FileType
{
    QString TypeName;
    QString Extensions;

    /// The extensions split at ",".
    QStringList ExtensionList() const;
};

/// An ordered, 1-based list of file types; positions are the dialogs' filter indices.
class DlgFTlist
{
public:
    /// Appends an entry; a non-empty key must be unique (a repeated key fails).
    Result<FileType> Add(const QString &typeName, const QString &extensions,
                           const QString &key = {});
    /// The entry at a 1-based position, or nullptr outside 1..Count.
    const FileType *Item(int position) const;
    /// The entry stored under a key, or nullptr.
    const FileType *Item(const QString &key) const;
    int Count() const { return int(m_types.size()); }
    bool Remove(int position);
    bool Remove(const QString &key);

    /// Filter text: each caption, NUL, its patterns "*.a;*.b", NUL between entries, none at the end.
    Result<QString> Txt() const;
    /// The same list as Qt file-dialog name filters, "Caption (*.a *.b)", one per entry.
    QStringList NameFilters() const;
    /// 1-based position of the entry whose name filter this is, 0 when none.
    int IndexOfNameFilter(const QString &filter) const;
    /// The entry a typed file name asks for: `chosen` when the name ends in one of its
    /// extensions or in none of the list's, else the first entry whose extension it ends in.
    /// Extensions compare without regard to letter case.
    int IndexForTypedName(int chosen, const QString &fileName) const;

    auto begin() const { return m_types.cbegin(); }
    auto end() const { return m_types.cend(); }

private:
    std::vector<FileType> m_types;
    std::vector<QString> m_keys; ///< parallel to m_types; empty for entries without key
};

/// A dialog's answer split into folder (ending in a separator) and file names.
struct DialogFiles
{
    int Count = 0;
    QString Folder;
    QStringList Files;

    /// Folder followed by the first file name.
    QString FirstPath() const;
};

/// Splits a chosen full path into its folder and file name.
DialogFiles ParseDialogFiles(const QString &chosenPath);

/// The lists the dialogs use, with their entries in order: the project dialogs' types, and
/// from the picture-type table (picturetypes.h) the picture open dialogs' (the settings'
/// ImageTypes), the still exports' save dialogs' (ExportTypes) and the frame import's.
DlgFTlist MakeProjectTypes();
DlgFTlist MakeImageTypes();
DlgFTlist MakeExportTypes();
DlgFTlist MakeFrameImportTypes();

/// Whether a path's extension, in any letter case, names a picture a path box takes (a drop).
bool IsStillPictureName(const QString &path);
/// Whether a path's extension, in any letter case, names a picture the frame import takes.
bool IsFramePictureName(const QString &path);

} // namespace mrv
