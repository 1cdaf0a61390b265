#pragma once

#include <string>
#include <string_view>

namespace zendro {

// The entry `entryName` of the module at `pathFromProgram` (relative to the
// running program's folder: the same in the build tree and an installation).
// The module stays loaded; loading it again only counts a reference. Throws
// ZendroError naming the module file when it cannot be loaded or lacks the
// entry (`what` names the module in the message, e.g. "the sketch module").
void* programModuleEntry(std::string_view pathFromProgram, const char* entryName,
                         std::string_view what);

}  // namespace zendro
