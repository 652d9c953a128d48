#include "widgets/qtprompts.h"

#include "support/appinfo.h"
#include "widgets/clipimportdialog.h"
#include "widgets/frameadjustdialog.h"
#include "widgets/exportoptionsdialog.h"

#include <QAbstractItemView>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QRegularExpression>

namespace mrv {

namespace {

QMessageBox::Icon toIcon(MsgIcon icon)
{
    switch (icon) {
    case MsgIcon::None: return QMessageBox::NoIcon;
    case MsgIcon::Information: return QMessageBox::Information;
    case MsgIcon::Question: return QMessageBox::Question;
    case MsgIcon::Warning: return QMessageBox::Warning;
    case MsgIcon::Error: return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons toButtons(MsgButtons buttons)
{
    switch (buttons) {
    case MsgButtons::Ok: return QMessageBox::Ok;
    case MsgButtons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case MsgButtons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case MsgButtons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::StandardButton toButton(MsgAnswer answer)
{
    switch (answer) {
    case MsgAnswer::Ok: return QMessageBox::Ok;
    case MsgAnswer::Cancel: return QMessageBox::Cancel;
    case MsgAnswer::Yes: return QMessageBox::Yes;
    case MsgAnswer::No: return QMessageBox::No;
    }
    return QMessageBox::Ok;
}

bool IsEnter(const QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<const QKeyEvent *>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

// Qt's open dialog goes into a folder taken with Open; this one can answer with the folder.
// Enter on a folder typed into the name box still goes into it, as in every file dialog;
// the Open button, or Enter on a folder picked in the list, answers with it.
class FileOrFolderDialog : public QFileDialog
{
public:
    using QFileDialog::QFileDialog;

    bool takesFolders = false;

    void accept() override
    {
        if (takesFolders && ChosenFolder() && !TypedInNameBox()) {
            QDialog::accept();
            return;
        }
        QFileDialog::accept(); // a typed folder: goes into it
    }

protected:
    void showEvent(QShowEvent *event) override
    {
        QFileDialog::showEvent(event);
        // The folder's entries, in either view; not the side bar or the completion list.
        for (const QString &name : {QStringLiteral("listView"), QStringLiteral("treeView")})
            if (auto *view = findChild<QAbstractItemView *>(name))
                view->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // The list itself would go into the folder.
        if (takesFolders && IsEnter(event) && watched->isWidgetType() &&
            static_cast<QWidget *>(watched)->hasFocus() && ChosenFolder()) {
            QDialog::accept();
            return true;
        }
        return QFileDialog::eventFilter(watched, event);
    }

private:
    /// Enter in the name box accepts through the box itself; the Open button takes the focus.
    bool TypedInNameBox() const
    {
        const auto *nameBox = findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        return nameBox && nameBox->hasFocus() && !nameBox->text().isEmpty();
    }

    bool ChosenFolder() const
    {
        const QStringList chosen = selectedFiles();
        return chosen.size() == 1 && QFileInfo(chosen.first()).isDir();
    }
};

} // namespace

int ChosenFilterIndex(const QStringList &filters, const QString &selected)
{
    if (const qsizetype exact = filters.indexOf(selected); exact >= 0)
        return int(exact) + 1;
    // With the details hidden, Qt's own dialog answers with the caption alone: the filter cut
    // before its last parenthesised pattern list, as QFileDialog strips it for the type box.
    static const QRegularExpression patterns(
        QStringLiteral("^(.*)\\(([a-zA-Z0-9_.,*? +;#\\-\\[\\]@\\{\\}/!<>\\$%&=^~:\\|]*)\\)$"));
    for (qsizetype i = 0; i < filters.size(); ++i) {
        const QRegularExpressionMatch match = patterns.match(filters[i]);
        if (match.hasMatch() && match.captured(1).simplified() == selected.simplified())
            return int(i) + 1;
    }
    return 0;
}

MsgAnswer QtPrompts::Message(const MessageRequest &request)
{
    QMessageBox box(toIcon(request.icon),
                    request.title.isEmpty() ? AppInfo::Title() : request.title, request.text,
                    toButtons(request.buttons), m_parent);
    box.setDefaultButton(toButton(request.defaultButton));
    // A message's file name or address can be selected and copied.
    box.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    switch (box.exec()) {
    case QMessageBox::Yes: return MsgAnswer::Yes;
    case QMessageBox::No: return MsgAnswer::No;
    case QMessageBox::Ok: return MsgAnswer::Ok;
    default: return MsgAnswer::Cancel;
    }
}

std::optional<QString> QtPrompts::Input(const InputRequest &request)
{
    bool ok = false;
    const QString text = QInputDialog::getText(
        m_parent, request.title.isEmpty() ? AppInfo::Title() : request.title, request.prompt,
        QLineEdit::Normal, request.initialText, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

std::optional<FileDialogAnswer> QtPrompts::File(const FileDialogRequest &request)
{
    const bool startThere =
        !request.startFolder.isEmpty() && QFileInfo(request.startFolder).isDir();
    FileOrFolderDialog dialog(m_parent, request.title,
                              startThere ? request.startFolder : m_lastFolder);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setOption(QFileDialog::ReadOnly, false);
    const QStringList filters = request.types ? request.types->NameFilters() : QStringList();
    dialog.setNameFilters(filters);
    const int index = request.filterIndex < 1 ? 1 : request.filterIndex;
    if (index <= filters.size())
        dialog.selectNameFilter(filters[index - 1]);
    if (request.kind == FileDialogKind::Save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        if (!request.proposedName.isEmpty())
            dialog.selectFile(request.proposedName);
    } else if (request.kind == FileDialogKind::Folder) {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::Directory);
        dialog.setOption(QFileDialog::ShowDirsOnly);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    // Only this kind takes a folder; the others go into it as Qt's dialog does.
    dialog.takesFolders = request.kind == FileDialogKind::OpenFileOrFolder;
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    FileDialogAnswer answer;
    // Qt answers with "/"; stored paths and folder rules use the platform's own separator.
    answer.path = QDir::toNativeSeparators(dialog.selectedFiles().first());
    m_lastFolder = dialog.directory().absolutePath();
    const int chosen = ChosenFilterIndex(dialog.nameFilters(), dialog.selectedNameFilter());
    answer.filterIndex = chosen > 0 ? chosen : index;
    // A save dialog accepts an existing file only after asking whether to replace it.
    answer.overwriteConfirmed =
        request.kind == FileDialogKind::Save && QFileInfo::exists(answer.path);
    return answer;
}

std::optional<ExportOptions> QtPrompts::Options(const OptionsRequest &request)
{
    ExportOptionsDialog dialog(request, m_parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Chosen();
}

std::optional<ClipChoices> QtPrompts::ClipImport(const ClipImportRequest &request)
{
    ClipImportDialog dialog(request, m_parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Choices();
}

std::optional<FrameAdjust> QtPrompts::AdjustFrames(const FrameAdjustRequest &request)
{
    FrameAdjustDialog dialog(request, m_parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Values();
}

} // namespace mrv
