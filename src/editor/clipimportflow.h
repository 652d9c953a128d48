#pragma once

#include "import/importer.h"

#include <QString>

class QWidget;

namespace mrv {

class MVK;
class Prompts;

/// True when the frame import takes the file as a clip: an animated picture, or a file
/// FFmpeg's libraries find a video stream in.
bool IsClipSource(const QString &path);

/// The clip import's two steps in the editor: the dialog that asks how (through the prompts),
/// and the import itself on a worker thread behind a progress dialog with Cancel.
class ClipImportFlow
{
public:
    ClipImportFlow(QWidget &owner, Prompts &prompts) : m_owner(owner), m_prompts(prompts) {}

    /// Asks how the clip is imported and puts the answer into the request's values; false when
    /// the dialog was cancelled or the clip cannot be read (the reason was shown).
    bool Ask(const QString &source, const MVK &project, int frameTimeMs, ImportRequest &request);

    /// Runs the import with progress and Cancel; a cancelled one leaves nothing behind.
    ImportOutcome Run(const Importer &importer, const MVK &project, ImportRequest request);

private:
    QWidget &m_owner;
    Prompts &m_prompts;
};

} // namespace mrv
