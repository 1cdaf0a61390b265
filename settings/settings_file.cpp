#include "settings/settings_file.h"

namespace zendro {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isLineEnd(char c) { return c == '\r' || c == '\n'; }

class ValueReader {
  public:
    explicit ValueReader(std::string_view bytes) : bytes_(bytes) {}

    bool atEnd() const { return pos_ >= bytes_.size(); }
    std::size_t position() const { return pos_; }

    // The next value; `problem` tells what was wrong with it, if anything.
    std::string next(std::string& problem) {
        while (pos_ < bytes_.size() && isBlank(bytes_[pos_])) ++pos_;
        std::string value;
        if (pos_ < bytes_.size() && bytes_[pos_] == '"') {
            const std::size_t opening = pos_++;
            if (!readQuoted(value)) {
                problem = "has no closing double quote";
                pos_ = opening + 1;
                value = readToDelimiter();
                dropTrailingBlanks(value);
            }
            // Whatever stands between the closing quote and the comma is passed over.
            readToDelimiter();
        } else {
            value = readToDelimiter();
            if (dropTrailingBlanks(value)) problem = "ends in blanks, which are ignored";
        }
        consumeDelimiter();
        return value;
    }

    // Passes over the rest of the current line and its line end.
    void skipLine() {
        while (pos_ < bytes_.size() && !isLineEnd(bytes_[pos_])) ++pos_;
        consumeDelimiter();
    }

  private:
    bool readQuoted(std::string& value) {
        while (pos_ < bytes_.size()) {
            const char c = bytes_[pos_++];
            if (c != '"') {
                value += c;
            } else if (pos_ < bytes_.size() && bytes_[pos_] == '"') {
                value += '"';
                ++pos_;
            } else {
                return true;
            }
        }
        return false;
    }

    std::string readToDelimiter() {
        const std::size_t start = pos_;
        while (pos_ < bytes_.size() && bytes_[pos_] != ',' && !isLineEnd(bytes_[pos_])) ++pos_;
        return std::string(bytes_.substr(start, pos_ - start));
    }

    static bool dropTrailingBlanks(std::string& value) {
        const std::size_t length = value.size();
        while (!value.empty() && isBlank(value.back())) value.pop_back();
        return value.size() != length;
    }

    void consumeDelimiter() {
        if (pos_ >= bytes_.size()) return;
        if (bytes_[pos_] == ',') {
            ++pos_;
        } else if (bytes_[pos_] == '\r') {
            ++pos_;
            if (pos_ < bytes_.size() && bytes_[pos_] == '\n') ++pos_;
        } else if (bytes_[pos_] == '\n') {
            ++pos_;
        }
    }

    std::string_view bytes_;
    std::size_t pos_ = 0;
};

constexpr const char* kDefaultKermitSettingsName = "server.krm";

bool needsQuotes(std::string_view value) {
    if (value.find_first_of(",\"\r\n") != std::string_view::npos) return true;
    return !value.empty() && (isBlank(value.front()) || isBlank(value.back()));
}

void appendValue(std::string& out, std::string_view value) {
    if (needsQuotes(value)) {
        out += '"';
        for (const char c : value) {
            if (c == '"') out += '"';
            out += c;
        }
        out += '"';
    } else {
        out += value;
    }
    out += "\r\n";
}

// The number of values in `bytes`, at most three.
int countValues(std::string_view bytes) {
    ValueReader reader(bytes);
    int count = 0;
    std::string ignored;
    while (count < 3 && !reader.atEnd()) {
        reader.next(ignored);
        ++count;
    }
    return count;
}

}  // namespace

SettingsReading parseSettings(std::string_view bytes) {
    ValueReader reader(bytes);
    SettingsReading reading;
    std::string* const values[] = {&reading.settings.lastFolder, &reading.settings.kermitFolder,
                                   &reading.settings.kermitSettingsName};
    int count = 0;
    for (std::string* value : values) {
        if (reader.atEnd()) {
            *value = std::string();
            continue;
        }
        std::string problem;
        *value = reader.next(problem);
        ++count;
        if (!problem.empty()) {
            reading.problems.push_back("value " + std::to_string(count) + " " + problem);
        }
    }
    if (count < 3) {
        reading.problems.push_back("it holds " + std::to_string(count) +
                                   " of its 3 values (last folder, Kermit folder, Kermit "
                                   "settings name)");
    }
    if (reading.settings.kermitSettingsName.empty()) {
        reading.settings.kermitSettingsName = kDefaultKermitSettingsName;
        reading.problems.push_back(std::string("the Kermit settings name is missing; ") +
                                   kDefaultKermitSettingsName + " is used");
    }
    return reading;
}

std::string composeSettings(const Settings& settings) {
    std::string out;
    appendValue(out, settings.lastFolder);
    appendValue(out, settings.kermitFolder);
    appendValue(out, settings.kermitSettingsName);
    return out;
}

std::string settingsAtExit(std::string_view lastFolder, const std::optional<std::string>& current,
                           const Settings& fallback) {
    if (!current)
        return composeSettings(
            {std::string(lastFolder), fallback.kermitFolder, fallback.kermitSettingsName});
    std::string out;
    appendValue(out, lastFolder);

    // The first line ends after the first value, which may be quoted over
    // several lines; anything else on that line belongs to it.
    ValueReader reader(*current);
    std::string ignored;
    if (!reader.atEnd()) {
        const std::size_t start = reader.position();
        reader.next(ignored);
        const std::string_view consumed =
            std::string_view(*current).substr(start, reader.position() - start);
        if (consumed.empty() || !isLineEnd(consumed.back())) reader.skipLine();
    }
    std::string_view rest = std::string_view(*current).substr(reader.position());
    out += rest;
    if (!rest.empty() && !isLineEnd(rest.back())) out += "\r\n";

    // Values the file lacks are added from what was read, as the window used them.
    const Settings read = parseSettings(*current).settings;
    const std::string* const kermitValues[] = {&read.kermitFolder, &read.kermitSettingsName};
    for (int value = countValues(rest); value < 2; ++value) appendValue(out, *kermitValues[value]);
    return out;
}

}  // namespace zendro
