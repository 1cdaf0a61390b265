#include "features/point_table.h"

#include "common/text_forms.h"
#include "features/pf_reader.h"

namespace zendro {

const PointEntry& PointTable::at(std::size_t index) const {
    static const PointEntry kEmpty{};
    return index < entries_.size() ? entries_[index] : kEmpty;
}

const std::vector<std::size_t>& PointTable::indicesOf(std::int64_t pointNumber) const {
    static const std::vector<std::size_t> kNone;
    const auto found = indicesByNumber_.find(pointNumber);
    return found == indicesByNumber_.end() ? kNone : found->second;
}

void PointTable::place(PointEntry entry) {
    entries_.resize(pointCount_);
    if (entry.name.isNumber()) indicesByNumber_[entry.name.number()].push_back(pointCount_);
    entries_.push_back(std::move(entry));
}

void PointTable::append(PointEntry entry) {
    place(std::move(entry));
    ++pointCount_;
}

void PointTable::setPartialLast(PointEntry entry) { place(std::move(entry)); }

namespace {

PointEntry pointEntryOf(const PfEntry& read, std::string_view curveCode) {
    PointEntry entry;
    entry.name = PointName::fromField(read.name);
    entry.description = read.description;
    entry.comment = unquoteComment(read.restOfLine);
    if (!curveCode.empty() && contains(entry.description, curveCode)) entry.kind = "C";
    return entry;
}

}  // namespace

PointTable loadPointTable(const PfEntries& entries, std::string_view curveCode) {
    PointTable table;
    for (const PfEntry& entry : entries.complete) table.append(pointEntryOf(entry, curveCode));
    // A partial entry keeps its name and description only, and no kind.
    if (entries.partialLast) {
        PointEntry partial;
        partial.name = PointName::fromField(entries.partialLast->name);
        partial.description = entries.partialLast->description;
        table.setPartialLast(std::move(partial));
    }
    return table;
}

PointTable loadPointTable(std::string_view pfBytes, std::string_view curveCode) {
    return loadPointTable(readPfEntries(pfBytes), curveCode);
}

}  // namespace zendro
