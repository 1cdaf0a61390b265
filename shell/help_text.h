#pragma once

#include <QStringList>

namespace zendro {

// The items of the Help page, one line each, in order. A single space is an
// empty line between sections; leading and trailing spaces belong to the items.
QStringList helpTextItems();

}  // namespace zendro
