#include "shell/failure_text.h"

#include "common/errors.h"
#include "shell/text_codec.h"

namespace zendro {

QString failureText(const std::exception& error, const std::string& path) {
    if (dynamic_cast<const ZendroError*>(&error) != nullptr) return fromMessage(error.what());
    return fromPath(path) + QStringLiteral(": ") + fromMessage(error.what());
}

}  // namespace zendro
