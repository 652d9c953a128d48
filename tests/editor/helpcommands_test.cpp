#include "editor/editormenus.h"
#include "editor/helpcommands.h"
#include "editor/updateflow.h"
#include "editor_fixture.h"

#include <QAction>
#include <QUrl>

namespace mrv::test {

using HelpCommandsTest = EditorTest;

TEST_F(HelpCommandsTest, AboutAndUpdateEntriesWorkOnceInstalled)
{
    frmEditer &editor = Load();
    EXPECT_FALSE(editor.Menus().mnuAbout->isEnabled());
    UpdateFlow &flow = InstallHelpCommands(editor.Context());
    EXPECT_TRUE(editor.Menus().mnuAbout->isEnabled());
    EXPECT_TRUE(editor.Menus().mnuCheckUpdates->isEnabled());

    QList<QUrl> opened;
    flow.setUrlOpener([&](const QUrl &url) {
        opened.append(url);
        return true;
    });
    editor.Menus().mnuAbout->trigger();
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened.first().path(), QStringLiteral("/tools/Mirovane"));
}

} // namespace mrv::test
