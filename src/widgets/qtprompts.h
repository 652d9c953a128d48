#pragma once

#include "widgets/prompts.h"

#include <QPointer>
#include <QStringList>
#include <QWidget>

namespace mrv {

/// The 1-based position in `filters` of the type a file dialog reports as chosen, whether it
/// reports the whole filter or, with the details hidden, only its caption; 0 when none.
int ChosenFilterIndex(const QStringList &filters, const QString &selected);

/// Prompts shown with Qt's standard message boxes, input dialogs and file dialogs, and the
/// export options dialog.
class QtPrompts : public Prompts
{
public:
    explicit QtPrompts(QWidget *parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget *parent) { m_parent = parent; }

    MsgAnswer Message(const MessageRequest &request) override;
    std::optional<QString> Input(const InputRequest &request) override;
    std::optional<FileDialogAnswer> File(const FileDialogRequest &request) override;
    /// The export options dialog (`frmExportOptions`).
    std::optional<ExportOptions> Options(const OptionsRequest &request) override;
    /// The clip import dialog (`frmClipImport`).
    std::optional<ClipChoices> ClipImport(const ClipImportRequest &request) override;
    /// The colour and size dialog (`frmAdjustFrames`).
    std::optional<FrameAdjust> AdjustFrames(const FrameAdjustRequest &request) override;

private:
    QPointer<QWidget> m_parent;
    /// Where a file dialog opens when its request names no folder: the folder of the last
    /// file chosen, as the platform's own dialogs remember it.
    QString m_lastFolder;
};

} // namespace mrv
