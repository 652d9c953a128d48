#include "editor/framelist.h"
#include "editor_fixture.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTest>

namespace mrv::test {
namespace {

// The test platform uses the Windows key scheme, under which a text box claims none of the
// menu's keys; on a Linux desktop a text box claims Ctrl+E (end of line) and other control
// keys through ShortcutOverride. This makes the focused box claim every control key, the
// strictest a desktop could be.
class ClaimsControlKeys : public QObject
{
protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::ShortcutOverride &&
            static_cast<QKeyEvent *>(event)->modifiers() & Qt::ControlModifier) {
            event->accept();
            return true;
        }
        return false;
    }
};

class MenuShortcutsTest : public EditorTest
{
protected:
    frmEditer &LoadActive()
    {
        frmEditer &w = Load();
        Activate();
        return w;
    }

    /// The menu entries with a shortcut, their commands unhooked so only the trigger counts.
    QList<QAction *> ShortcutActions(const frmEditer &w)
    {
        const EditorMenus &m = w.Menus();
        const QList<QAction *> actions{m.mnuNew,
                                       m.mnuOpen,
                                       m.mnuSave,
                                       m.mnuBack,
                                       m.Export(u"mnuExport"),
                                       m.Export(u"mnuExAniFrame"),
                                       m.mnuExit};
        for (QAction *action : actions) {
            QObject::disconnect(action, &QAction::triggered, nullptr, nullptr);
            action->setEnabled(true); // as the export commands do when installed
        }
        return actions;
    }

    /// Clicks the control as a user would, so it takes the focus, and makes the focused
    /// widget claim control keys.
    QWidget *ClickInto(QWidget &control)
    {
        QTest::mouseClick(&control, Qt::LeftButton, {}, QPoint(5, control.height() / 2));
        QWidget *focus = QApplication::focusWidget();
        if (focus)
            focus->installEventFilter(&claims);
        return focus;
    }

    ClaimsControlKeys claims;
};

TEST_F(MenuShortcutsTest, EveryMenuShortcutWorksFromEveryTextBox)
{
    frmEditer &w = LoadActive();
    const QList<QAction *> actions = ShortcutActions(w);
    QLineEdit *row1 = w.Frames().RowPath(1);
    ASSERT_NE(row1, nullptr);
    const QList<QWidget *> boxes{w.Controls().txtProjectName, w.Controls().comScreenScale,
                                 w.Controls().txtBackground, row1};
    for (QWidget *box : boxes) {
        QWidget *focus = ClickInto(*box);
        ASSERT_NE(focus, nullptr) << box->objectName().toStdString();
        ASSERT_TRUE(focus == box || box->isAncestorOf(focus)) << box->objectName().toStdString();
        for (QAction *action : actions) {
            QSignalSpy triggered(action, &QAction::triggered);
            const QKeyCombination key = action->shortcut()[0];
            QTest::keyClick(QApplication::focusWidget(), key.key(), key.keyboardModifiers());
            EXPECT_EQ(triggered.count(), 1) << box->objectName().toStdString() << " "
                                            << action->shortcut().toString().toStdString();
        }
        focus->removeEventFilter(&claims);
    }
}

TEST_F(MenuShortcutsTest, EditingKeysStayWithTheTextBox)
{
    frmEditer &w = LoadActive();
    ShortcutActions(w);
    QLineEdit &name = *w.Controls().txtProjectName;
    name.setText(QStringLiteral("动画"));
    ASSERT_EQ(ClickInto(name), &name);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(name.selectedText(), QStringLiteral("动画"));
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("动画"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(name.text(), QString());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(name.text(), QStringLiteral("动画动画"));
    // Ctrl+Z is the window's undo, not the box's own (see history_tests).
    name.removeEventFilter(&claims);
}

TEST_F(MenuShortcutsTest, EachMenuOpensOnItsOwnLetterAndNoTwoEntriesShareOne)
{
    frmEditer &w = LoadActive();
    QList<QList<QAction *>> menus{w.menuBar()->actions()};
    for (const QAction *top : menus.first()) {
        EXPECT_FALSE(QKeySequence::mnemonic(top->text()).isEmpty()) << top->text();
        if (top->menu())
            menus << top->menu()->actions();
    }
    for (const QList<QAction *> &entries : menus) {
        QList<QKeySequence> seen;
        for (const QAction *entry : entries)
            if (const QKeySequence letter = QKeySequence::mnemonic(entry->text()); !letter.isEmpty()) {
                EXPECT_FALSE(seen.contains(letter)) << entry->text();
                seen << letter;
            }
    }
    const QKeyCombination frameMenu = QKeySequence::mnemonic(w.Menus().mnuFrame->title())[0];
    QWidget *focus = QApplication::focusWidget();
    QTest::keyClick(focus ? focus : &w, frameMenu.key(), frameMenu.keyboardModifiers());
    EXPECT_EQ(QApplication::activePopupWidget(), w.Menus().mnuFrame);
    if (QWidget *popup = QApplication::activePopupWidget())
        popup->close();
}

} // namespace
} // namespace mrv::test
