#pragma once

#include <optional>
#include <string>
#include <vector>

#include "common/line_writer.h"
#include "common/run_observer.h"
#include "conversion/conversion_options.h"
#include "conversion/notes_pass.h"
#include "conversion/record_state.h"
#include "features/point_table.h"

namespace zendro {

// Taped distance and direction of a point-table entry, set by the shots that
// reach a taped point during this run.
struct TapedValue {
    double distance = 0;
    // Right of the reference point; none for an entry no shot reached.
    std::optional<int> directionDegrees;
};

class TapedColumns {
  public:
    const TapedValue& at(std::size_t index) const;
    TapedValue& slot(std::size_t index);

  private:
    std::vector<TapedValue> values_;
};

// Everything a record handler reads and writes.
struct RunContext {
    const ConversionOptions& options;
    const PointTable& points;
    const NotesTable& notes;
    TapedColumns& taped;
    RecordState& state;
    LineWriter& trv;  // discards its lines in an "OBS Only" run
    LineWriter& obs;
    RunObserver& observer;
    std::string_view pointFeatureFileName;  // as warnings name it: "JOB.pf"
};

}  // namespace zendro
