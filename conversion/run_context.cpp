#include "conversion/run_context.h"

namespace zendro {

const TapedValue& TapedColumns::at(std::size_t index) const {
    static const TapedValue kNone{};
    return index < values_.size() ? values_[index] : kNone;
}

TapedValue& TapedColumns::slot(std::size_t index) {
    if (index >= values_.size()) values_.resize(index + 1);
    return values_[index];
}

}  // namespace zendro
