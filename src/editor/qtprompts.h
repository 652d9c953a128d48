#pragma once

#include "editor/prompts.h"

#include <QPointer>
#include <QWidget>

namespace mrv {

/// Prompts shown with Qt's standard message boxes, input dialogs and file dialogs.
class QtPrompts : public Prompts
{
public:
    explicit QtPrompts(QWidget *parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget *parent) { m_parent = parent; }

    MsgAnswer Message(const MessageRequest &request) override;
    std::optional<QString> Input(const InputRequest &request) override;
    std::optional<FileDialogAnswer> File(const FileDialogRequest &request) override;

private:
    QPointer<QWidget> m_parent;
    /// Where the next file dialog opens: the folder of the last file chosen, as the
    /// platform's own dialogs remember it.
    QString m_lastFolder;
};

} // namespace mrv
