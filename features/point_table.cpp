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

PointTable loadPointTable(std::string_view pfBytes, std::string_view curveCode) {
    PointTable table;
    PfCursor cursor(pfBytes);
    while (true) {
        cursor.nextEntry();
        PointEntry entry;
        if (cursor.atEnd()) break;
        entry.name = PointName::fromField(cursor.readField());
        if (cursor.atEnd()) {
            table.setPartialLast(std::move(entry));
            break;
        }
        entry.description = cursor.readField();
        if (cursor.atEnd()) {
            table.setPartialLast(std::move(entry));
            break;
        }
        entry.comment = unquoteComment(cursor.readRestOfLine());
        if (!curveCode.empty() && contains(entry.description, curveCode)) entry.kind = "C";
        table.append(std::move(entry));
    }
    return table;
}

}  // namespace zendro
