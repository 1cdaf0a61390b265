#pragma once

#include <QUndoCommand>
#include <functional>
#include <vector>

#include "features/grid_edits.h"

namespace zendro {

// One step on the feature editor's undo stack: the cells it changed, applied
// through the editor so that the grid, the boxes and the rows stay one.
class FeatureEditCommand final : public QUndoCommand {
  public:
    using Apply = std::function<void(const std::vector<CellEdit>& edits, bool forward)>;

    // Typing into one cell gives one command per keystroke; `typing` lets the
    // keystrokes into the same cell merge into one step.
    FeatureEditCommand(const QString& text, std::vector<CellEdit> edits, Apply apply, bool typing);

    void redo() override;
    void undo() override;
    int id() const override;
    bool mergeWith(const QUndoCommand* other) override;

  private:
    std::vector<CellEdit> edits_;
    Apply apply_;
    bool typing_;
};

}  // namespace zendro
