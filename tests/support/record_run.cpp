#include "tests/support/record_run.h"

namespace zendro::testing {

RecordRun::RecordRun(std::string_view pfText, ConversionOptions options, std::string_view rtxBytes)
    : options_(std::move(options)),
      points_(loadPointTable(pfText, options_.curveCode)),
      notes_(readNotes(rtxBytes, observer_)),
      trv_(options_.obsOnly ? LineWriter() : LineWriter(trvText_)),
      obs_(obsText_),
      run_{options_, points_, notes_, taped_, state_, trv_, obs_, observer_} {}

RecordRun& RecordRun::feed(const std::string& hvdRecordBytes) {
    dispatchRecord(decodeRecord(hvdRecordBytes), run_);
    return *this;
}

RecordRun& RecordRun::finish() {
    writeTapedShots(run_);
    writeClosingLines(run_);
    return *this;
}

void RecordRun::clearOutput() {
    trvText_.clear();
    obsText_.clear();
}

}  // namespace zendro::testing
