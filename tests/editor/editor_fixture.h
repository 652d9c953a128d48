#pragma once

#include "settings/settings.h"
#include "settings/settingslocation.h"
#include "editor/frmediter.h"
#include "project/mvk.h"
#include "scriptedprompts.h"
#include "testsupport.h"

#include <QApplication>
#include <QColor>
#include <QImage>
#include <QLayout>
#include <QMenuBar>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace mrv::test {

/// A flat-coloured picture file.
inline QString WritePicture(const QString &path, QSize size, QColor colour)
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(colour);
    image.save(path);
    return path;
}

/// A project file with a background and `frames` frame pictures named f<i>.png (paths
/// relative to the project's folder); returns the project's path.
inline QString WriteProject(const TempFolder &folder, const QString &name, int frames,
                            qint16 width = 1024, qint16 height = 768)
{
    MVK project;
    project.aName = name;
    project.aWidth = width;
    project.aHeight = height;
    project.aBackground = aImage{QStringLiteral("bg.png"), 0, 0};
    for (int i = 1; i <= frames; ++i)
        project.aFrame.Add(QStringLiteral("f%1.png").arg(i), 0, 0);
    const QString path = folder.file(name + QStringLiteral(".mrv"));
    EXPECT_TRUE(project.SaveFile(path, {}).ok());
    return path;
}

/// An editor window over settings in a temporary folder, with scripted prompts.
class EditorTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        folder.write(ConfigFileName, DefaultConfiguration());
        auto loaded = LoadSettings(folder.path());
        ASSERT_TRUE(loaded.ok());
        settings = std::move(*loaded);
    }

    /// Makes and loads the window (shown offscreen, so it has its real client size).
    frmEditer &Load(const QList<CommandLinePath> &commandLine = {})
    {
        window = std::make_unique<frmEditer>(settings, prompts);
        window->SetInstanceStarter([this](const CommandLinePath &p) {
            started.append(p);
            return startSucceeds;
        });
        window->Form_Load(commandLine);
        window->show();
        window->layout()->activate();
        return *window;
    }

    /// Makes the loaded window the active one, as the desktop does when it opens, so clicks
    /// give the focus and keys reach the focused control.
    void Activate()
    {
        QApplication::setActiveWindow(window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    /// Resizes the window so its client area has the size.
    void SetClientSize(QSize client)
    {
        // The menu bar and the docks take what lies around the client area.
        window->layout()->activate();
        window->resize(window->size() + client - window->Client().size());
        window->layout()->activate();
        ASSERT_EQ(window->Client().size(), client);
    }

    TempFolder folder;
    Settings settings;
    ScriptedPrompts prompts;
    std::unique_ptr<frmEditer> window;
    QList<CommandLinePath> started;
    bool startSucceeds = true;
};

} // namespace mrv::test
