// The open project's file changed by another program: the editor asks before it reloads, and
// before a save writes over the change.
#include "editor_fixture.h"

#include <QLineEdit>
#include <QTest>

namespace mrv::test {
namespace {

using ProjectWatch = EditorTest;

QString NameOnDisk(const QString &path)
{
    MVK project;
    EXPECT_TRUE(project.OpenFile(path).ok());
    return project.aName;
}

TEST_F(ProjectWatch, AChangeOnDiskIsReloadedOrWrittenOverOnlyAsTheUserSays)
{
    struct Case
    {
        const char *name;
        bool editFirst;                // an unsaved edit before the change
        QList<MsgAnswer> answers;      // to the reload question, then to the save's
        const char *nameAfter;         // the project's name in the editor at the end
        const char *nameOnDisk;        // and in the file
    };
    const QList<Case> cases = {
        {"reloaded", false, {MsgAnswer::Yes}, "outside", "outside"},
        {"kept, then the save is stopped", false, {MsgAnswer::No, MsgAnswer::No}, "edited",
         "outside"},
        {"unsaved edits, then the save writes over it", true, {MsgAnswer::Yes}, "edited",
         "edited"},
    };
    int n = 0;
    for (const Case &c : cases) {
        const QString path = WriteProject(folder, QStringLiteral("p%1").arg(++n), 3);
        frmEditer &w = Load({{path, path}});
        Activate();
        prompts.messages.clear();
        for (const MsgAnswer answer : c.answers)
            prompts.answerMessage(answer);
        if (c.editFirst)
            w.Controls().txtProjectName->setText(QStringLiteral("edited"));

        // Another program writes the file as every writer here does: a new file renamed over it.
        MVK outside;
        outside.AddNew();
        outside.aName = QStringLiteral("outside");
        ASSERT_TRUE(outside.SaveFile(path, {}).ok());
        if (c.editFirst) {
            QTest::qWait(600);
            EXPECT_TRUE(prompts.messages.isEmpty()) << c.name << " asked while edits are unsaved";
        } else {
            ASSERT_TRUE(QTest::qWaitFor([&] { return !prompts.messages.isEmpty(); }, 5000))
                << c.name;
            const MessageRequest &asked = prompts.messages.first();
            EXPECT_TRUE(asked.text.contains(path)) << asked.text;
            EXPECT_EQ(asked.buttons, MsgButtons::YesNo);
        }
        if (c.answers.size() > 1 || c.editFirst) {
            if (!c.editFirst)
                w.Controls().txtProjectName->setText(QStringLiteral("edited"));
            prompts.messages.clear();
            QWidget *focused = QApplication::focusWidget();
            QTest::keyClick(focused ? focused : &w, Qt::Key_S, Qt::ControlModifier);
            ASSERT_EQ(prompts.messages.size(), 1) << c.name;
            EXPECT_EQ(prompts.messages.first().defaultButton, MsgAnswer::No);
            EXPECT_TRUE(prompts.messages.first().text.contains(path));
        }
        EXPECT_EQ(w.CurrentProject()->aName, QString::fromUtf8(c.nameAfter)) << c.name;
        EXPECT_EQ(NameOnDisk(path), QString::fromUtf8(c.nameOnDisk)) << c.name;
    }
}

} // namespace
} // namespace mrv::test
