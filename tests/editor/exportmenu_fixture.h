#pragma once

#include "editor/editor_fixture.h"
#include "editor/exportmenucommands.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>

namespace mrv::test {

/// The editor with the export commands installed, over a project whose pictures exist: a
/// 1024 x 768 blue background and frame pictures of 40 x 40 in a colour of their own.
class ExportMenuTest : public EditorTest
{
protected:
    static QColor FrameColour(int frame) { return QColor(QColor::fromHsv((frame * 29) % 360, 255, 255).rgb()); }
    static inline const QColor BackgroundColour{0, 0, 255};

    /// Loads a project of `frames` frames (all pictures written) and installs the commands.
    frmEditer &LoadProject(int frames, qint16 width = 1024, qint16 height = 768)
    {
        const QString path = WriteProject(folder, QStringLiteral("anim"), frames, width, height);
        WritePicture(folder.file(QStringLiteral("bg.png")), {1024, 768}, BackgroundColour);
        for (int i = 1; i <= frames; ++i)
            WritePicture(folder.file(QStringLiteral("f%1.png").arg(i)), {40, 40}, FrameColour(i));
        frmEditer &w = Load({{path, path}});
        commands = &ExportMenuCommands::Install(w.Context());
        QDir().mkpath(OutFolder());
        return w;
    }

    QString OutFolder() const { return folder.file(QStringLiteral("out")); }
    QString Out(const QString &name) const { return OutFolder() + u'/' + name; }

    /// Files in the output folder, sorted.
    QStringList OutFiles(const QString &sub = {}) const
    {
        return QDir(sub.isEmpty() ? OutFolder() : Out(sub)).entryList(QDir::Files, QDir::Name);
    }

    /// The save dialog's answer. Like a real one, it has asked about replacing the file when
    /// one exists at exactly that path.
    void ChooseFile(const QString &path, int filterIndex)
    {
        prompts.answerFile(FileDialogAnswer{path, filterIndex, QFileInfo::exists(path)});
    }

    /// The last message shown, or an empty request when none was.
    MessageRequest LastMessage() const
    {
        return prompts.messages.isEmpty() ? MessageRequest{} : prompts.messages.last();
    }

    ExportMenuCommands *commands = nullptr;
};

} // namespace mrv::test
