#include "review/review_chains.h"

#include "features/chain_list.h"

namespace zendro::review {

std::vector<ReviewChain> chainsOf(const std::vector<ChainList>& lists,
                                  const ConversionOptions& options) {
    std::vector<ReviewChain> chains;
    chains.reserve(lists.size());
    for (const ChainList& list : lists) {
        ReviewChain& chain = chains.emplace_back();
        chain.name = list.name;
        if (chain.name.ends_with(options.runSuffix)) {
            chain.name.resize(chain.name.size() - options.runSuffix.size());
        }
        chain.feature = list.feature;
        chain.pointTexts = list.pointTexts;
        chain.endText = list.endText;
    }
    return chains;
}

}  // namespace zendro::review
