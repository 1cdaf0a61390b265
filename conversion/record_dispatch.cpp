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
    const auto set = [&table](RecordKind kind, RecordHandler handler) {
        table[static_cast<std::size_t>(kind)] = handler;
    };
    set(RecordKind::Setup, &handleSetup);
    set(RecordKind::Reference, &handleReference);
    set(RecordKind::Backsight, &handleBacksight);
    set(RecordKind::Traverse, &handleTraverse);
    set(RecordKind::Sideshot, &handleSideshot);
    set(RecordKind::NoteMarker, &handleNoteMarker);
    set(RecordKind::Ignored7, &ignoreRecord);
    set(RecordKind::Ignored8, &ignoreRecord);
    for (const RecordKind kind :
         {RecordKind::DistanceUnit, RecordKind::AngleUnit, RecordKind::AzimuthSystem,
          RecordKind::AngleDirection, RecordKind::VerticalSystem}) {
        set(kind, &handleInformation);
    }
    set(RecordKind::Deleted, &handleDeleted);
    return table;
}

constexpr std::array<RecordHandler, 256> kHandlers = makeHandlerTable();

}  // namespace

void dispatchRecord(const DecodedRecord& record, RunContext& run) {
    run.state.lastRecordKind = record.recordKind;
    kHandlers[static_cast<std::size_t>(record.recordKind)](record, run);
}

}  // namespace zendro
