#include "shell/feature_edit_command.h"

namespace zendro {
namespace {

constexpr int kTypingId = 1;

}  // namespace

FeatureEditCommand::FeatureEditCommand(const QString& text, std::vector<CellEdit> edits,
                                       Apply apply, bool typing)
    : QUndoCommand(text), edits_(std::move(edits)), apply_(std::move(apply)), typing_(typing) {}

void FeatureEditCommand::redo() { apply_(edits_, true); }

void FeatureEditCommand::undo() { apply_(edits_, false); }

int FeatureEditCommand::id() const { return typing_ ? kTypingId : -1; }

bool FeatureEditCommand::mergeWith(const QUndoCommand* other) {
    const auto& next = static_cast<const FeatureEditCommand&>(*other);
    if (edits_.size() != 1 || next.edits_.size() != 1) return false;
    CellEdit& mine = edits_.front();
    const CellEdit& theirs = next.edits_.front();
    if (mine.row != theirs.row || mine.field != theirs.field) return false;
    mine.after = theirs.after;
    // Typed back to where it started: nothing is left to undo.
    setObsolete(mine.after == mine.before);
    return true;
}

}  // namespace zendro
