#pragma once

#include <QString>
#include <QValidator>
#include <functional>
#include <optional>

namespace zendro {

// The first character of `text` that one byte per character (Latin-1) cannot
// hold, as the point-feature file is written.
std::optional<char32_t> firstNonLatin1(const QString& text);

// What the user reads when such a character is refused.
QString refusedCharacterMessage(char32_t character);

// Refuses every keystroke, paste or drop that would bring such a character into
// a box, so it never reaches a cell (it would be saved as "?"). `onRefused` hears
// of each refusal once the box has finished handling the input.
class Latin1Guard final : public QValidator {
  public:
    Latin1Guard(QObject* parent, std::function<void(char32_t)> onRefused);

    State validate(QString& input, int& position) const override;

  private:
    std::function<void(char32_t)> onRefused_;
};

}  // namespace zendro
