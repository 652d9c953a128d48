#pragma once

#include "document/documentcommand.h"

#include <vector>

namespace mrv {

/// Replaces the whole frame list in one step; undo brings back the old list as it was.
class ReplaceFramesCommand : public DocumentCommand
{
public:
    ReplaceFramesCommand(ProjectDocument &document, const QString &text, std::vector<aImage> before,
                         std::vector<aImage> after);
    void redo() override;
    void undo() override;

private:
    std::vector<aImage> m_before;
    std::vector<aImage> m_after;
};

class InsertFramesCommand : public DocumentCommand
{
public:
    InsertFramesCommand(ProjectDocument &document, const QString &text, int first,
                        std::vector<aImage> frames);
    void redo() override;
    void undo() override;

private:
    int m_first;
    std::vector<aImage> m_frames;
};

/// Removes runs of frames; each run keeps the frames it took out for the undo.
class RemoveFramesCommand : public DocumentCommand
{
public:
    struct Run
    {
        int first;
        std::vector<aImage> frames;
    };

    /// Runs in ascending order, numbered as before the removal.
    RemoveFramesCommand(ProjectDocument &document, std::vector<Run> runs);
    void redo() override;
    void undo() override;

private:
    std::vector<Run> m_runs;
};

/// Puts the frames into another order (a move or a reversal).
class ReorderFramesCommand : public DocumentCommand
{
public:
    ReorderFramesCommand(ProjectDocument &document, const QString &text, FrameOrder order);
    void redo() override;
    void undo() override;

private:
    FrameOrder m_order;
    FrameOrder m_inverse;
};

} // namespace mrv
