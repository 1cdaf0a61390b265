#include "conversion/record_dispatch.h"

#include <array>

#include "conversion/record_handlers.h"

namespace zendro {
namespace {

using RecordHandler = void (*)(const DecodedRecord&, RunContext&);

void ignoreRecord(const DecodedRecord&, RunContext&) {}

constexpr std::array<RecordHandler, 256> makeHandlerTable() {
    std::array<RecordHandler, 256> table{};
    for (auto& handler : table) handler = &handleUnknown;
    table[1] = &handleSetup;
    table[2] = &handleReference;
    table[3] = &handleBacksight;
    table[4] = &handleTraverse;
    table[5] = &handleSideshot;
    table[6] = &handleNoteMarker;
    table[7] = &ignoreRecord;
    table[8] = &ignoreRecord;
    for (int kind = 9; kind <= 13; ++kind)
        table[static_cast<std::size_t>(kind)] = &handleInformation;
    table[252] = &handleDeleted;
    return table;
}

constexpr std::array<RecordHandler, 256> kHandlers = makeHandlerTable();

}  // namespace

void dispatchRecord(const DecodedRecord& record, RunContext& run) {
    run.state.lastRecordKind = record.recordKind;
    kHandlers[static_cast<std::size_t>(record.recordKind & 0xFF)](record, run);
}

}  // namespace zendro
