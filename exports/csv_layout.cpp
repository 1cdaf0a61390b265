#include "exports/csv_layout.h"

#include "common/errors.h"

namespace zendro::exports {

CsvLayout csvLayout(std::string_view columns, char delimiter, bool header, bool comment,
                    bool latin1) {
    const std::string named = "CSV columns \"" + std::string(columns) + "\"";
    if (columns.empty()) throw ZendroError(named, "give at least one of P N E Z D H");
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const char letter = columns[i];
        if (std::string_view("PNEZDH").find(letter) == std::string_view::npos) {
            throw ZendroError(named, "'" + std::string(1, letter) +
                                         "' is not a column: use P N E Z D H (upper case)");
        }
        if (columns.find(letter, i + 1) != std::string_view::npos) {
            throw ZendroError(named, "'" + std::string(1, letter) + "' is given twice");
        }
    }
    // The quote and the line ends are how CSV keeps text whole: they cannot
    // also part the fields.
    if (delimiter == '"' || delimiter == '\r' || delimiter == '\n' || delimiter == '\0') {
        throw ZendroError(named, "the delimiter cannot be a quote, a line end or NUL");
    }
    return CsvLayout{std::string(columns), delimiter, header, comment, latin1};
}

}  // namespace zendro::exports
