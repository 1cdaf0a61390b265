#pragma once

#include "conversion/decoding.h"
#include "conversion/run_context.h"

namespace zendro {

// Hands one decoded record to the handler of its kind; kinds 7 and 8 do nothing.
void dispatchRecord(const DecodedRecord& record, RunContext& run);

}  // namespace zendro
