#include "editor/editormenus.h"

#include "export/exporter.h"
#include "export/exportregistry.h"
#include "support/tr.h"

#include <QAction>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QUndoStack>

namespace mrv {

namespace {

QAction *AddEntry(QMenu &menu, const char *name, const QString &caption,
                  const QKeySequence &shortcut = {})
{
    QAction *action = menu.addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(shortcut);
    return action;
}

/// The caption with a key shown in the menu's shortcut column. The frame list takes the key
/// itself, and only while it has the focus: as the entry's shortcut it would reach the path
/// boxes too, where Delete deletes a letter.
QString WithListKey(const QString &caption, Qt::Key key)
{
    return caption + u'\t' + QKeySequence(key).toString(QKeySequence::NativeText);
}

void AddSeparator(QMenu &menu, const char *name)
{
    menu.addSeparator()->setObjectName(QString::fromLatin1(name));
}

/// The export entries of the first group, or of all the others.
void AddExportEntries(QMenu &menu, bool firstGroup, const std::vector<const Exporter *> &targets,
                      std::vector<ExportEntry> &entries)
{
    for (const Exporter *exporter : ExportRegistry::InMenuOrder(targets)) {
        if ((exporter->texts().menuPlace.group == 1) != firstGroup)
            continue;
        QAction *action = menu.addAction(exporter->label());
        action->setObjectName(exporter->menuName());
        action->setShortcut(QKeySequence(exporter->shortcut()));
        entries.push_back({exporter, action});
    }
}

/// After Alt alone, the menu bar takes the next letter: it opens that letter's menu, but an
/// entry without a menu (选项) it only highlights, waiting for Enter. Here the letter triggers
/// such an entry at once, as Alt with the letter does.
class MenuLetterTrigger final : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        if ((key->modifiers() & ~Qt::AltModifier) != Qt::NoModifier)
            return false;
        for (QAction *entry : static_cast<QMenuBar *>(watched)->actions()) {
            const QKeySequence letter = QKeySequence::mnemonic(entry->text());
            if (entry->menu() || !entry->isEnabled() || !entry->isVisible() || letter.isEmpty() ||
                letter[0].key() != key->key())
                continue;
            // Once the bar has let go of the keyboard: the entry may open a modal window.
            QMetaObject::invokeMethod(entry, &QAction::trigger, Qt::QueuedConnection);
            static_cast<QWidget *>(watched)->clearFocus();
            return true;
        }
        return false;
    }
};

} // namespace

EditorMenus BuildEditorMenus(QMenuBar &bar)
{
    return BuildEditorMenus(bar, ExportRegistry::All());
}

EditorMenus BuildEditorMenus(QMenuBar &bar, const std::vector<const Exporter *> &targets)
{
    EditorMenus m;
    m.mnuFile = bar.addMenu(Tr::tr("文件(&F)"));
    m.mnuFile->setObjectName(QStringLiteral("mnuFile"));
    QMenu &file = *m.mnuFile;
    m.mnuNew = AddEntry(file, "mnuNew", Tr::tr("新建工程(&N)"), QKeySequence(QStringLiteral("Ctrl+N")));
    m.mnuOpen = AddEntry(file, "mnuOpen", Tr::tr("打开工程(&O)"), QKeySequence(QStringLiteral("Ctrl+O")));
    m.mnuSave = AddEntry(file, "mnuSave", Tr::tr("保存工程(&S)"), QKeySequence(QStringLiteral("Ctrl+S")));
    m.mnuSaveNew = AddEntry(file, "mnuSaveNew", Tr::tr("另存工程为(&A)"));
    m.mnuBack = AddEntry(file, "mnuBack", Tr::tr("还原(&V)"), QKeySequence(QStringLiteral("Ctrl+B")));
    AddSeparator(file, "heng1");
    AddExportEntries(file, true, targets, m.exports);
    AddSeparator(file, "heng2");
    m.mnuImportLongPic = AddEntry(file, "mnuImportLongPic", Tr::tr("导入长图动画"));
    m.mnuImportFrames = AddEntry(file, "mnuImportFrames", Tr::tr("导入帧序列(&I)..."));
    AddExportEntries(file, false, targets, m.exports);
    AddSeparator(file, "heng3");
    // E belongs to 导出工程 (Ctrl+E); two entries on one letter would only cycle between them.
    m.mnuExit = AddEntry(file, "mnuExit", Tr::tr("退出(&X)"), QKeySequence(QStringLiteral("Ctrl+W")));

    m.mnuEdit = bar.addMenu(Tr::tr("编辑(&E)"));
    m.mnuEdit->setObjectName(QStringLiteral("mnuEdit"));
    m.mnuUndo = AddEntry(*m.mnuEdit, "mnuUndo", Tr::tr("撤销(&U)"),
                         QKeySequence(QStringLiteral("Ctrl+Z")));
    m.mnuRedo = AddEntry(*m.mnuEdit, "mnuRedo", Tr::tr("重做(&R)"),
                         QKeySequence(QStringLiteral("Ctrl+Y")));
    m.mnuRedo->setShortcuts(
        {QKeySequence(QStringLiteral("Ctrl+Y")), QKeySequence(QStringLiteral("Ctrl+Shift+Z"))});

    m.mnuFrame = bar.addMenu(Tr::tr("帧(&R)"));
    m.mnuFrame->setObjectName(QStringLiteral("mnuFrame"));
    QMenu &frame = *m.mnuFrame;
    m.mnuFrameInsertBefore = AddEntry(frame, "mnuFrameInsertBefore",
                                      WithListKey(Tr::tr("在前面插入帧"), Qt::Key_Insert));
    m.mnuFrameInsertAfter = AddEntry(frame, "mnuFrameInsertAfter", Tr::tr("在后面插入帧"));
    m.mnuFrameCopy = AddEntry(frame, "mnuFrameCopy", Tr::tr("复制帧"));
    m.mnuFrameDelete = AddEntry(frame, "mnuFrameDelete",
                                WithListKey(Tr::tr("删除帧"), Qt::Key_Delete));
    AddSeparator(frame, "frameSep1");
    m.mnuFrameUp = AddEntry(frame, "mnuFrameUp", Tr::tr("上移"));
    m.mnuFrameDown = AddEntry(frame, "mnuFrameDown", Tr::tr("下移"));
    m.mnuFrameReverse = AddEntry(frame, "mnuFrameReverse", Tr::tr("反转顺序"));

    m.mnuOptions = bar.addAction(Tr::tr("选项(&O)"));
    m.mnuOptions->setObjectName(QStringLiteral("mnuOptions"));
    bar.installEventFilter(new MenuLetterTrigger(&bar));

    m.mnuHelp = bar.addMenu(Tr::tr("帮助(&H)"));
    m.mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    m.mnuAbout = AddEntry(*m.mnuHelp, "mnuAbout", Tr::tr("关于(&A)"));
    m.mnuCheckUpdates = AddEntry(*m.mnuHelp, "mnuCheckUpdates", Tr::tr("检查更新(&N)"));

    for (QAction *later : {m.mnuImportLongPic, m.mnuUndo, m.mnuRedo, m.mnuOptions, m.mnuAbout,
                           m.mnuCheckUpdates})
        later->setEnabled(false);
    for (const ExportEntry &entry : m.exports)
        entry.action->setEnabled(false);
    m.mnuImportFrames->setEnabled(false);
    for (QAction *later : m.mnuFrame->actions())
        later->setEnabled(false);
    return m;
}

QAction *EditorMenus::Export(QStringView menuName) const
{
    for (const ExportEntry &entry : exports)
        if (entry.action->objectName() == menuName)
            return entry.action;
    return nullptr;
}

QString HistoryActionText(const QString &idle, const QString &verb, const QString &step)
{
    return step.isEmpty() ? idle : verb + u' ' + step;
}

void BindUndoActions(QUndoStack &stack, QAction &undo, QAction &redo)
{
    const auto bind = [&stack](QAction &action, const QString &idle, const QString &verb, bool can,
                               const QString &text, auto canChanged, auto textChanged,
                               void (QUndoStack::*run)()) {
        action.setEnabled(can);
        action.setText(HistoryActionText(idle, verb, text));
        QObject::connect(&stack, canChanged, &action, &QAction::setEnabled);
        QObject::connect(&stack, textChanged, &action, [&action, idle, verb](const QString &step) {
            action.setText(HistoryActionText(idle, verb, step));
        });
        QObject::connect(&action, &QAction::triggered, &stack, run);
    };
    bind(undo, Tr::tr("撤销(&U)"), Tr::tr("撤销"), stack.canUndo(),
         stack.undoText(), &QUndoStack::canUndoChanged, &QUndoStack::undoTextChanged,
         &QUndoStack::undo);
    bind(redo, Tr::tr("重做(&R)"), Tr::tr("重做"), stack.canRedo(),
         stack.redoText(), &QUndoStack::canRedoChanged, &QUndoStack::redoTextChanged,
         &QUndoStack::redo);
}

} // namespace mrv
