#pragma once

#include "widgets/prompts.h"
#include "project/mvk.h"

#include <QString>

#include <memory>

namespace mrv {

class ProjectDocument;
class ProjectFileWatch;
struct Settings;

/// What the project commands need from the window that shows the project.
class ProjectHost
{
public:
    virtual ~ProjectHost() = default;
    /// Shows the project the document was just reset to, from its first frame.
    virtual void LoadProjectIntoEditor() = 0;
    /// The file name the title shows.
    virtual QString TitleFileName() const = 0;
};

/// The File menu's project commands and the question asked before unsaved changes are lost.
/// Each command returns true when it did what was asked, false when it stopped (a cancelled
/// question or dialog, an invalid file, a failed save); a command that stops loses nothing.
/// New, Open and Revert reset the document (forgetting its history); a save marks it saved.
class ProjectCommands
{
public:
    ProjectCommands(Settings &settings, Prompts &prompts, ProjectDocument &document,
                    ProjectHost &host);
    ~ProjectCommands();

    /// The project the editor works on.
    const MVK *CurrentProject() const;

    /// Asked when the project has unsaved changes: Yes saves (and a save that does not happen
    /// stops the command), No goes on without saving, Cancel stops. True to go on.
    bool AskToSave();

    bool New();
    bool Open();
    /// Saves to the project's file, or asks for one (Save As) when it has none.
    bool Save();
    bool SaveAs();
    bool Revert();

    /// Checks the file and makes it the current project; an invalid file is reported and the
    /// current project stays.
    bool OpenProjectFile(const QString &path);

    static QString UnsavedQuestion();

private:
    std::optional<FileDialogAnswer> AskForFile(FileDialogKind kind, const QString &title);
    bool WriteProject(const QString &path);
    void Load(std::unique_ptr<MVK> project);
    void ShowError(const QString &text);

    Settings &m_settings;
    Prompts &m_prompts;
    ProjectDocument &m_document;
    ProjectHost &m_host;
    // Follows the open file; a save over another program's change asks first.
    std::unique_ptr<ProjectFileWatch> m_watch;
};

/// The file a Save As writes for the name chosen in the dialog and the chosen filter: ".xml"
/// is added for filter 2 unless the name ends in ".xml", ".mrv" for any other filter unless it
/// ends in ".mrv" (both compared with exact case).
QString SaveAsTarget(const QString &chosenPath, int filterIndex);

} // namespace mrv
