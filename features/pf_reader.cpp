#include "features/pf_reader.h"

#include "common/text_forms.h"

namespace zendro {

bool PfCursor::atLineEnd() const {
    return pos_ < bytes_.size() && (bytes_[pos_] == '\r' || bytes_[pos_] == '\n');
}

void PfCursor::consumeLineEnd() {
    lineEnded_ = true;
    if (pos_ < bytes_.size() && bytes_[pos_] == '\r') {
        ++pos_;
        if (pos_ < bytes_.size() && bytes_[pos_] == '\n') ++pos_;
    } else if (pos_ < bytes_.size() && bytes_[pos_] == '\n') {
        ++pos_;
    }
}

std::string PfCursor::readField() {
    if (lineEnded_) return {};
    while (pos_ < bytes_.size() && (bytes_[pos_] == ' ' || bytes_[pos_] == '\t')) ++pos_;

    std::string field;
    bool quoted = false;
    if (pos_ < bytes_.size() && bytes_[pos_] == '"') {
        quoted = true;
        const std::size_t start = ++pos_;
        while (pos_ < bytes_.size() && bytes_[pos_] != '"' && !atLineEnd()) ++pos_;
        field = std::string(bytes_.substr(start, pos_ - start));
        if (pos_ < bytes_.size() && bytes_[pos_] == '"') ++pos_;
    }
    // Up to the comma or line end; after a quoted field the text between the
    // closing quote and the comma is passed over.
    const std::size_t start = pos_;
    while (pos_ < bytes_.size() && bytes_[pos_] != ',' && !atLineEnd()) ++pos_;
    if (!quoted) field = trimBlanks(bytes_.substr(start, pos_ - start));

    if (pos_ < bytes_.size() && bytes_[pos_] == ',') {
        ++pos_;
    } else {
        consumeLineEnd();
    }
    return field;
}

std::string PfCursor::readRestOfLine() {
    if (lineEnded_) return {};
    const std::size_t start = pos_;
    while (pos_ < bytes_.size() && !atLineEnd()) ++pos_;
    std::string rest(bytes_.substr(start, pos_ - start));
    consumeLineEnd();
    return rest;
}

PfEntries readPfEntries(std::string_view bytes) {
    PfEntries entries;
    PfCursor cursor(bytes);
    while (!cursor.atEnd()) {
        cursor.nextEntry();
        PfEntry entry;
        entry.name = cursor.readField();
        if (!cursor.atEnd()) entry.description = cursor.readField();
        if (cursor.atEnd()) {
            entries.partialLast = std::move(entry);
            break;
        }
        entry.restOfLine = cursor.readRestOfLine();
        entries.complete.push_back(std::move(entry));
    }
    return entries;
}

std::string unquoteComment(std::string_view restOfLine) {
    std::string comment = trimBlanks(restOfLine);
    if (comment.size() >= 2 && comment.front() == '"' && comment.back() == '"') {
        comment = comment.substr(1, comment.size() - 2);
    }
    return comment;
}

}  // namespace zendro
