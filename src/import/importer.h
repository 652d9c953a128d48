#pragma once

#include "import/frameimport.h"
#include "support/result.h"

#include <QMap>
#include <QString>

#include <atomic>
#include <functional>
#include <memory>
#include <vector>

namespace mrv {

class MVK;
struct ChosenClip;

/// A value an importer takes besides its source, as text (the long picture's X offset).
struct ImportOptionSpec
{
    QString name;      ///< key of ImportRequest::values
    QString cliFlag;   ///< "--x"
    QString valueName; ///< "TEXT", for the usage line
};

/// What an import reads and where it may write.
struct ImportRequest
{
    /// The picture, animation or folder to import (absolute).
    QString source;
    /// The project's folder: pictures inside it are stored relative to it.
    QString projectFolder;
    /// Where pictures the import makes go: the folder of the project file that is written.
    QString framesFolder;
    /// Option texts by name; a missing one takes the importer's proposal.
    QMap<QString, QString> values;
    /// A clip the editor has opened and asked about: its choices are taken as they are, the
    /// option texts are not read.
    std::shared_ptr<const ChosenClip> clip;
    /// Stops an import that writes pictures; what it wrote is removed.
    const std::atomic_bool *cancel = nullptr;
    /// The frame time the project plays at, for an import that retimes a clip.
    int frameTimeMs = 75;
    /// Hears how far a long import (a video's decoding) is; may be empty.
    std::function<void(int done, int total)> progress = nullptr;
};

/// The new frame list, or why there is none.
struct ImportOutcome
{
    /// Ok with frames, or the reason; a failed import changed nothing on disk.
    Status status;
    ImportFailure failure = ImportFailure::None;
    std::vector<aImage> frames;
    /// Files the import left out, and why.
    QList<SkippedPicture> skipped;
    /// The folder of pictures this import made; nothing else refers to it until the project
    /// that uses them is kept, so a caller that cannot keep it removes the folder.
    QString writtenFolder;
    /// What the user should know about the result (a retimed clip's speed); may be empty.
    QString notice;
};

/// A source of frames: the editor's import commands and the command line's import-* commands
/// run the same importers, found in ImportRegistry.
class Importer
{
public:
    virtual ~Importer() = default;

    /// The command line's command ("import-long").
    virtual QString id() const = 0;
    /// The source's name in the usage line ("STRIP").
    virtual QString sourceName() const = 0;
    /// One line for the command line's help.
    virtual QString summary() const = 0;
    virtual std::vector<ImportOptionSpec> options() const { return {}; }

    /// Whether the project can take this import at all; asked before a source is chosen.
    virtual Status Check(const MVK &) const { return Status::Ok(); }
    /// The option's text proposed for the project, used when the request has none.
    virtual QString Proposal(const MVK &, const QString &) const { return {}; }
    /// The project's new frames from the source.
    virtual ImportOutcome Run(const MVK &project, const ImportRequest &request) const = 0;

    /// "import-long PROJECT STRIP [--x TEXT] [--output OUT]".
    QString cliUsage() const;
};

/// Every importer, in the order of the command line's help.
class ImportRegistry
{
public:
    static const std::vector<const Importer *> &All();
    /// The importer with a command-line id, nullptr for none.
    static const Importer *Find(QStringView id);
};

} // namespace mrv
