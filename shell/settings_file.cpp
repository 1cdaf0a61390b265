#include "shell/settings_file.h"

namespace zendro {
namespace {

class ValueReader {
  public:
    explicit ValueReader(std::string_view bytes) : bytes_(bytes) {}

    std::string next() {
        while (pos_ < bytes_.size() && (bytes_[pos_] == ' ' || bytes_[pos_] == '\t')) ++pos_;
        std::string value;
        if (pos_ < bytes_.size() && bytes_[pos_] == '"') {
            ++pos_;
            while (pos_ < bytes_.size()) {
                const char c = bytes_[pos_++];
                if (c != '"') {
                    value += c;
                } else if (pos_ < bytes_.size() && bytes_[pos_] == '"') {
                    value += '"';
                    ++pos_;
                } else {
                    break;
                }
            }
            // Whatever stands between the closing quote and the comma is passed over.
            while (pos_ < bytes_.size() && bytes_[pos_] != ',' && !atLineEnd()) ++pos_;
        } else {
            const std::size_t start = pos_;
            while (pos_ < bytes_.size() && bytes_[pos_] != ',' && !atLineEnd()) ++pos_;
            value = std::string(bytes_.substr(start, pos_ - start));
        }
        consumeDelimiter();
        return value;
    }

  private:
    bool atLineEnd() const { return bytes_[pos_] == '\r' || bytes_[pos_] == '\n'; }

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

bool needsQuotes(std::string_view value) {
    if (value.find_first_of(",\"\r\n") != std::string_view::npos) return true;
    return !value.empty() && (value.front() == ' ' || value.front() == '\t');
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

}  // namespace

Settings parseSettings(std::string_view bytes) {
    ValueReader reader(bytes);
    Settings settings;
    settings.lastFolder = reader.next();
    settings.kermitFolder = reader.next();
    settings.kermitSettingsName = reader.next();
    return settings;
}

std::string composeSettings(const Settings& settings) {
    std::string out;
    appendValue(out, settings.lastFolder);
    appendValue(out, settings.kermitFolder);
    appendValue(out, settings.kermitSettingsName);
    return out;
}

}  // namespace zendro
