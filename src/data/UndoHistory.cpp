#include "data/UndoHistory.h"

// Steps pushed while a macro is open: made again in their order, undone newest first.
class UndoHistory::Macro : public UndoStep
{
public:
    using UndoStep::UndoStep;

    void add(UndoStep* step) { m_children.emplace_back(step); }
    void undo() override
    {
        for (auto it = m_children.rbegin(); it != m_children.rend(); ++it)
            (*it)->undo();
    }
    void redo() override
    {
        for (const std::unique_ptr<UndoStep>& child : m_children)
            child->redo();
    }

private:
    std::vector<std::unique_ptr<UndoStep>> m_children;
};

UndoHistory::UndoHistory(QObject* parent)
    : QObject(parent)
{}

UndoHistory::~UndoHistory() = default;

void UndoHistory::push(UndoStep* step)
{
    std::unique_ptr<UndoStep> owned(step);
    const State before = state();
    if (!owned->isObsolete())
        owned->redo();
    if (!m_openMacros.empty()) {
        if (!owned->isObsolete())
            m_openMacros.back()->add(owned.release());
        return;
    }
    dropUndone();
    if (!owned->isObsolete()) {
        m_steps.push_back(std::move(owned));
        ++m_index;
    }
    announceChanges(before);
}

void UndoHistory::beginMacro(const QString& text)
{
    const State before = state();
    auto* macro = new Macro(text);
    if (m_openMacros.empty()) {
        dropUndone();
        m_steps.emplace_back(macro);
    } else {
        m_openMacros.back()->add(macro);
    }
    m_openMacros.push_back(macro);
    announceChanges(before);
}

void UndoHistory::endMacro()
{
    if (m_openMacros.empty())
        return;
    const State before = state();
    m_openMacros.pop_back();
    if (m_openMacros.empty())
        ++m_index;
    announceChanges(before);
}

void UndoHistory::clear()
{
    const State before = state();
    m_openMacros.clear();
    m_steps.clear();
    m_index = 0;
    announceChanges(before);
}

void UndoHistory::undo()
{
    if (!canUndo())
        return;
    const State before = state();
    const int at = m_index - 1;
    UndoStep& step = *m_steps[size_t(at)];
    if (!step.isObsolete())
        step.undo();
    if (step.isObsolete())
        m_steps.erase(m_steps.begin() + at);
    m_index = at;
    announceChanges(before);
}

void UndoHistory::redo()
{
    if (!canRedo())
        return;
    const State before = state();
    UndoStep& step = *m_steps[size_t(m_index)];
    if (!step.isObsolete())
        step.redo();
    if (step.isObsolete())
        m_steps.erase(m_steps.begin() + m_index);
    else
        ++m_index;
    announceChanges(before);
}

bool UndoHistory::canUndo() const
{
    return m_openMacros.empty() && m_index > 0;
}

bool UndoHistory::canRedo() const
{
    return m_openMacros.empty() && m_index < count();
}

QString UndoHistory::undoText() const
{
    return canUndo() ? m_steps[size_t(m_index - 1)]->text() : QString();
}

QString UndoHistory::redoText() const
{
    return canRedo() ? m_steps[size_t(m_index)]->text() : QString();
}

UndoHistory::State UndoHistory::state() const
{
    return {canUndo(), canRedo(), undoText(), redoText()};
}

void UndoHistory::announceChanges(const State& before)
{
    const State now = state();
    if (now.canUndo != before.canUndo)
        Q_EMIT canUndoChanged(now.canUndo);
    if (now.undoText != before.undoText)
        Q_EMIT undoTextChanged(now.undoText);
    if (now.canRedo != before.canRedo)
        Q_EMIT canRedoChanged(now.canRedo);
    if (now.redoText != before.redoText)
        Q_EMIT redoTextChanged(now.redoText);
}

void UndoHistory::dropUndone()
{
    m_steps.erase(m_steps.begin() + m_index, m_steps.end());
}
