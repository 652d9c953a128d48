#include "document/framelistcommands.h"

#include "support/tr.h"

namespace mrv {

ReplaceFramesCommand::ReplaceFramesCommand(ProjectDocument &document, const QString &text,
                                           std::vector<aImage> before, std::vector<aImage> after)
    : DocumentCommand(document, text), m_before(std::move(before)), m_after(std::move(after))
{}

void ReplaceFramesCommand::redo()
{
    applyFrames(m_after);
}

void ReplaceFramesCommand::undo()
{
    applyFrames(m_before);
}

InsertFramesCommand::InsertFramesCommand(ProjectDocument &document, const QString &text,
                                         int first, std::vector<aImage> frames)
    : DocumentCommand(document, text), m_first(first),
      m_frames(std::move(frames))
{}

void InsertFramesCommand::redo()
{
    applyInsert(m_first, m_frames);
}

void InsertFramesCommand::undo()
{
    applyRemove(m_first, int(m_frames.size()));
}

RemoveFramesCommand::RemoveFramesCommand(ProjectDocument &document, std::vector<Run> runs)
    : DocumentCommand(document, Tr::tr("删除帧")), m_runs(std::move(runs))
{}

void RemoveFramesCommand::redo()
{
    // Last run first, so the numbers of the runs before it still hold.
    for (auto run = m_runs.rbegin(); run != m_runs.rend(); ++run)
        applyRemove(run->first, int(run->frames.size()));
}

void RemoveFramesCommand::undo()
{
    // First run first: everything before each run is back when it goes in.
    for (const Run &run : m_runs)
        applyInsert(run.first, run.frames);
}

ReorderFramesCommand::ReorderFramesCommand(ProjectDocument &document, const QString &text,
                                           FrameOrder order)
    : DocumentCommand(document, text), m_order(std::move(order)), m_inverse(InverseOrder(m_order))
{}

void ReorderFramesCommand::redo()
{
    applyOrder(m_order);
}

void ReorderFramesCommand::undo()
{
    applyOrder(m_inverse);
}

} // namespace mrv
