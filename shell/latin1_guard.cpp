#include "shell/latin1_guard.h"

#include <QTimer>

namespace zendro {

std::optional<char32_t> firstNonLatin1(const QString& text) {
    for (qsizetype at = 0; at < text.size(); ++at) {
        // Every unit of a character beyond Latin-1 is above 0xFF; a surrogate
        // pair gives its whole character.
        if (text[at].unicode() > 0xFF) return text.mid(at, 2).toUcs4().front();
    }
    return std::nullopt;
}

QString refusedCharacterMessage(char32_t character) {
    return QStringLiteral(
               "The character \"%1\" (U+%2) cannot be kept: the point-feature file holds "
               "one byte per character (Latin-1) only.")
        .arg(QString::fromUcs4(&character, 1),
             QStringLiteral("%1")
                 .arg(static_cast<uint>(character), 4, 16, QLatin1Char('0'))
                 .toUpper());
}

Latin1Guard::Latin1Guard(QObject* parent, std::function<void(char32_t)> onRefused)
    : QValidator(parent), onRefused_(std::move(onRefused)) {}

QValidator::State Latin1Guard::validate(QString& input, int& /*position*/) const {
    const std::optional<char32_t> refused = firstNonLatin1(input);
    if (!refused) return Acceptable;
    // A message box opened inside the box's own input handling would run a
    // nested event loop there; it waits until the input is done.
    QTimer::singleShot(0, this, [report = onRefused_, character = *refused] { report(character); });
    return Invalid;
}

}  // namespace zendro
