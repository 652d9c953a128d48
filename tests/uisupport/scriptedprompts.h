#pragma once

#include "widgets/prompts.h"

#include <QList>

#include <deque>
#include <functional>
#include <variant>

namespace mrv::test {

/// A Prompts stand-in: records every request and answers from a script given in advance.
/// A request with no scripted answer gets the cancel answer (Cancel, no text, no file, no
/// options).
class ScriptedPrompts : public Prompts
{
public:
    void answerMessage(MsgAnswer a) { m_messages.push_back(a); }
    void answerInput(std::optional<QString> a) { m_inputs.push_back(std::move(a)); }
    void answerFile(std::optional<FileDialogAnswer> a) { m_files.push_back(std::move(a)); }
    /// The options dialog accepted with these values changed from the proposed ones, or
    /// (nothing) cancelled.
    void answerOptions(std::optional<QVariantMap> changed) { m_options.push_back(std::move(changed)); }
    /// The clip dialog accepted with the proposed choices as `change` leaves them, or (nothing)
    /// cancelled.
    using ClipChange = std::function<void(ClipChoices &choices)>;
    void answerClip(std::optional<ClipChange> change) { m_clips.push_back(std::move(change)); }
    /// The colour and size dialog accepted with these values, or (nothing) cancelled.
    void answerAdjust(std::optional<FrameAdjust> a) { m_adjusts.push_back(a); }

    MsgAnswer Message(const MessageRequest &request) override
    {
        messages.append(request);
        return pop(m_messages, MsgAnswer::Cancel);
    }
    std::optional<QString> Input(const InputRequest &request) override
    {
        inputs.append(request);
        return pop(m_inputs, std::optional<QString>());
    }
    std::optional<FileDialogAnswer> File(const FileDialogRequest &request) override
    {
        files.append(request);
        return pop(m_files, std::optional<FileDialogAnswer>());
    }

    std::optional<ExportOptions> Options(const OptionsRequest &request) override
    {
        options.append(request);
        const std::optional<QVariantMap> changed = pop(m_options, std::optional<QVariantMap>());
        if (!changed)
            return std::nullopt;
        ExportOptions chosen = request.proposed;
        for (auto it = changed->cbegin(); it != changed->cend(); ++it)
            chosen.values.insert(it.key(), it.value());
        return chosen;
    }

    std::optional<ClipChoices> ClipImport(const ClipImportRequest &request) override
    {
        clips.append(request);
        const std::optional<ClipChange> change = pop(m_clips, std::optional<ClipChange>());
        if (!change)
            return std::nullopt;
        ClipChoices chosen = request.proposed;
        if (*change)
            (*change)(chosen);
        return chosen;
    }

    std::optional<FrameAdjust> AdjustFrames(const FrameAdjustRequest &request) override
    {
        adjusts.append(request);
        return pop(m_adjusts, std::optional<FrameAdjust>());
    }

    QList<MessageRequest> messages;
    QList<InputRequest> inputs;
    QList<FileDialogRequest> files;
    QList<OptionsRequest> options;
    QList<ClipImportRequest> clips;
    QList<FrameAdjustRequest> adjusts;

private:
    template <typename T>
    static T pop(std::deque<T> &queue, const T &fallback)
    {
        if (queue.empty())
            return fallback;
        const T front = queue.front();
        queue.pop_front();
        return front;
    }
    std::deque<MsgAnswer> m_messages;
    std::deque<std::optional<QString>> m_inputs;
    std::deque<std::optional<FileDialogAnswer>> m_files;
    std::deque<std::optional<QVariantMap>> m_options;
    std::deque<std::optional<ClipChange>> m_clips;
    std::deque<std::optional<FrameAdjust>> m_adjusts;
};

} // namespace mrv::test
