#include "editor/projectcommands.h"

#include "settings/settings.h"
#include "document/projectdocument.h"
#include "support/tr.h"
#include "widgets/prompts.h"
#include "editor/exportmenucommands.h"
#include "editor/projectfilewatch.h"
#include "editor/trimworkingset.h"

#include <QFileInfo>

namespace mrv {

QString ProjectCommands::UnsavedQuestion()
{
    return Tr::tr("你的文件修改了没有保存，是否保存");
}

QString SaveAsTarget(const QString &chosenPath, int filterIndex)
{
    const QString wanted = filterIndex == 2 ? QStringLiteral(".xml") : QStringLiteral(".mrv");
    return chosenPath.right(4) == wanted ? chosenPath : chosenPath + wanted;
}

ProjectCommands::ProjectCommands(Settings &settings, Prompts &prompts, ProjectDocument &document,
                                 ProjectHost &host)
    : m_settings(settings), m_prompts(prompts), m_document(document), m_host(host),
      m_watch(std::make_unique<ProjectFileWatch>(
          prompts, [&document] { return document.IsModified(); },
          [this](const QString &path) { OpenProjectFile(path); }))
{
}

ProjectCommands::~ProjectCommands() = default;

const MVK *ProjectCommands::CurrentProject() const
{
    return &m_document.Project();
}

void ProjectCommands::Load(std::unique_ptr<MVK> project)
{
    m_document.Reset(std::move(project));
    m_watch->Follow(m_document.FilePath());
    m_host.LoadProjectIntoEditor();
    TrimWorkingSet();
}

void ProjectCommands::ShowError(const QString &text)
{
    m_prompts.Message({text, {}, MsgIcon::Error, MsgButtons::Ok, MsgAnswer::Ok});
}

std::optional<FileDialogAnswer> ProjectCommands::AskForFile(FileDialogKind kind,
                                                           const QString &title)
{
    FileDialogRequest request;
    request.kind = kind;
    request.title = title;
    request.types = &m_settings.ProjectTypes;
    request.filterIndex = 1;
    request.startFolder = m_document.Project().aFileFolder;
    return m_prompts.File(request);
}

bool ProjectCommands::AskToSave()
{
    if (!m_document.IsModified())
        return true;
    const MsgAnswer answer =
        m_prompts.Message({UnsavedQuestion(), Tr::tr("提示"), MsgIcon::Question,
                           MsgButtons::YesNoCancel, MsgAnswer::Cancel});
    switch (answer) {
    case MsgAnswer::Yes: return Save();
    case MsgAnswer::No: return true;
    default: return false;
    }
}

bool ProjectCommands::New()
{
    if (!AskToSave())
        return false;
    auto project = std::make_unique<MVK>();
    project->AddNew();
    Load(std::move(project));
    return true;
}

bool ProjectCommands::Open()
{
    if (!AskToSave())
        return false;
    const auto chosen = AskForFile(FileDialogKind::Open, Tr::tr("打开工程文件"));
    if (!chosen)
        return false;
    return OpenProjectFile(chosen->path);
}

bool ProjectCommands::OpenProjectFile(const QString &path)
{
    if (const Status valid = CheckProjectFile(path); !valid) {
        ShowError(valid.message());
        return false;
    }
    auto project = std::make_unique<MVK>();
    if (const Status read = project->OpenFile(path); !read) {
        ShowError(read.message());
        return false;
    }
    Load(std::move(project));
    return true;
}

bool ProjectCommands::WriteProject(const QString &path)
{
    if (!m_watch->MayOverwrite(path))
        return false;
    if (const Status saved = m_document.Save(path, m_settings.FormatProject); !saved) {
        ShowError(Tr::tr("工程文件保存失败：\n%1").arg(saved.message()));
        return false;
    }
    m_watch->Follow(m_document.FilePath());
    return true;
}

bool ProjectCommands::Save()
{
    if (m_document.FilePath().isEmpty())
        return SaveAs();
    return WriteProject(m_document.FilePath());
}

bool ProjectCommands::SaveAs()
{
    const auto chosen = AskForFile(FileDialogKind::Save, Tr::tr("选择工程保存位置"));
    if (!chosen)
        return false;
    // The extension may be added after the dialog's own check, so a file it did not ask about
    // could be replaced silently.
    const QString target = SaveAsTarget(chosen->path, chosen->filterIndex);
    const QString existing = FirstExistingFile({target}, *chosen);
    if (!existing.isEmpty() &&
        m_prompts.Message({OverwriteQuestion(existing), Tr::tr("提示"), MsgIcon::Question,
                           MsgButtons::YesNo, MsgAnswer::No}) != MsgAnswer::Yes)
        return false;
    // A failed write leaves the project with its previous file; a written one makes the new
    // file the project's, its folder, title and picture paths following it.
    return WriteProject(target);
}

bool ProjectCommands::Revert()
{
    const QString path = m_document.FilePath();
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        m_prompts.Message(
            {Tr::tr("工程文件储存位置不存在"), {}, MsgIcon::None, MsgButtons::Ok, MsgAnswer::Ok});
        return false;
    }
    const QString question = Tr::tr("还原为最后一次保存的%1版本？").arg(m_host.TitleFileName());
    if (m_prompts.Message({question, {}, MsgIcon::Question, MsgButtons::YesNo, MsgAnswer::Yes})
        != MsgAnswer::Yes)
        return false;
    // Checked first: a file that is no longer a project must not replace the one shown.
    return OpenProjectFile(path);
}

} // namespace mrv
