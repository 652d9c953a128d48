#pragma once

#include "import/clipplan.h"
#include "import/importer.h"

#include <QString>

#include <memory>

class QWidget;

namespace mrv {

class MVK;
class Prompts;

/// Opens the clip on a worker thread: probing a large video takes a while, during which the
/// window keeps drawing under a busy cursor and takes no input.
Result<std::shared_ptr<OpenedClip>> OpenClipInBackground(const QString &path, ClipKind kind);

/// The clip import's two steps in the editor: the dialog that asks how (through the prompts),
/// and the import itself on a worker thread behind a progress dialog with Cancel.
class ClipImportFlow
{
public:
    ClipImportFlow(QWidget &owner, Prompts &prompts) : m_owner(owner), m_prompts(prompts) {}

    /// Asks how the opened clip is imported; none when the dialog was cancelled.
    std::shared_ptr<const ChosenClip> Ask(const std::shared_ptr<const OpenedClip> &clip,
                                          const MVK &project, int frameTimeMs);

    /// Runs the import with progress and Cancel; a cancelled one leaves nothing behind.
    ImportOutcome Run(const Importer &importer, const MVK &project, ImportRequest request);

private:
    QWidget &m_owner;
    Prompts &m_prompts;
};

} // namespace mrv
