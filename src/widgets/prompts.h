#pragma once

#include "edit/adjustframes.h"
#include "export/exportoptions.h"
#include "import/clipplan.h"
#include "support/filetypes.h"
#include "support/tr.h"

#include <QString>

#include <functional>
#include <optional>

namespace mrv {

enum class MsgIcon { None, Information, Question, Warning, Error };
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MsgAnswer { Ok, Cancel, Yes, No };

/// A message box. An empty title means the application's default title.
struct MessageRequest
{
    QString text;
    QString title;
    MsgIcon icon = MsgIcon::None;
    MsgButtons buttons = MsgButtons::Ok;
    MsgAnswer defaultButton = MsgAnswer::Ok;
};

/// A one-line text input box.
struct InputRequest
{
    QString prompt;
    QString title;
    QString initialText;
};

/// OpenFileOrFolder: an open dialog whose answer may also be a folder: one picked in the list
/// or typed, taken with the Open button (or Enter in the list). Enter on a typed folder and a
/// double click still go into the folder.
/// Folder: a dialog that chooses a folder only.
enum class FileDialogKind { Open, Save, OpenFileOrFolder, Folder };

/// An open or save dialog over one of the file-type lists, or a dialog choosing a folder
/// (no types).
struct FileDialogRequest
{
    FileDialogKind kind = FileDialogKind::Open;
    QString title;
    const DlgFTlist *types = nullptr;
    int filterIndex = 1;  ///< 1-based entry selected at open; 0 selects the first
    QString proposedName; ///< save dialogs only
    /// The folder the dialog opens in (the project's); when empty or gone, the folder the
    /// last dialog ended in.
    QString startFolder;
};

/// The open dialog for choosing one picture ("选择图片文件" over the picture types).
inline FileDialogRequest PictureOpenRequest(const DlgFTlist &imageTypes,
                                            const QString &startFolder = {})
{
    return {FileDialogKind::Open, Tr::tr("选择图片文件"), &imageTypes, 1, {}, startFolder};
}

/// What the user chose in a file dialog.
struct FileDialogAnswer
{
    QString path;        ///< full path of the chosen file
    int filterIndex = 1; ///< 1-based entry of the type box at the end
    /// A save dialog already asked whether to replace the existing file at exactly `path`.
    bool overwriteConfirmed = false;
};

/// The options of one export run, asked in one dialog: a box for each option, showing the
/// proposed value.
struct OptionsRequest
{
    QString title;
    /// The export target, by id: a target may show one of its options in a box of its own.
    QString targetId;
    QList<ExportOptionSpec> specs;
    ExportOptions proposed;
    /// Whether an option plays a part with these values (a width only the whole screen reads);
    /// a box that does not is shown greyed. Every option does when not given.
    std::function<bool(const QString &name, const ExportOptions &values)> used;
};

/// How a clip (an animated picture or a video) is imported, asked in one dialog that shows its
/// first frame placed in the animation area as the chosen fit places it, and what results.
struct ClipImportRequest
{
    QString title;
    ClipSource source;
    /// The project's screen, whose animation area the frames are fitted into.
    QSize projectSize;
    ClipChoices proposed;
    /// What an import with these choices makes; its problem keeps the dialog from accepting.
    std::function<ClipPlan(const ClipChoices &choices)> plan;
    /// The clip's frame shown at a time, at the dialog's size (read off the window's thread);
    /// none keeps the first frame.
    std::function<QImage(qint64 ms)> frameAt;
};

/// The colour and size of the picked frames, asked in one dialog that shows the current frame
/// as the values make it.
struct FrameAdjustRequest
{
    QString title;
    /// The current frame's picture, as read (straight colours), and where it sits in the
    /// animation area of this size.
    QImage picture;
    QPoint offset;
    QSizeF area;
    FrameAdjust proposed;
};

/// Every question the program asks the user goes through here, so command flows can be
/// driven by a scripted stand-in in tests.
class Prompts
{
public:
    virtual ~Prompts() = default;
    virtual MsgAnswer Message(const MessageRequest &request) = 0;
    /// The entered text, or nothing when the box was cancelled.
    virtual std::optional<QString> Input(const InputRequest &request) = 0;
    /// The chosen file, or nothing when the dialog was cancelled.
    virtual std::optional<FileDialogAnswer> File(const FileDialogRequest &request) = 0;
    /// The proposed options with the values chosen, or nothing when the dialog was cancelled.
    virtual std::optional<ExportOptions> Options(const OptionsRequest &request) = 0;
    /// The choices made, or nothing when the dialog was cancelled.
    virtual std::optional<ClipChoices> ClipImport(const ClipImportRequest &request) = 0;
    /// The values chosen, or nothing when the dialog was cancelled.
    virtual std::optional<FrameAdjust> AdjustFrames(const FrameAdjustRequest &request) = 0;
};

} // namespace mrv
