// Ordering a node's children by a compare function.
#include "platform/ctrls/TreeView.h"

#include <algorithm>

namespace tovrel {

bool TTreeNode::CustomSort(const TTVCompare& compare, bool recurse)
{
    if (!compare)
        return false;
    // Sorted as plain pointers first: a compare function that throws leaves
    // the children as they were, none lost.
    std::vector<TTreeNode*> order;
    order.reserve(children_.size());
    for (auto& child : children_)
        order.push_back(child.get());
    std::stable_sort(order.begin(), order.end(), [&compare](TTreeNode* a, TTreeNode* b) { return compare(a, b) < 0; });
    std::vector<std::unique_ptr<TTreeNode>> sorted;
    sorted.reserve(order.size());
    for (auto& child : children_)
        static_cast<void>(child.release());
    for (TTreeNode* node : order)
        sorted.emplace_back(node);
    children_ = std::move(sorted);
    if (recurse)
        for (auto& child : children_)
            child->CustomSort(compare, true);
    owner_.NodesChanged();
    return true;
}

} // namespace tovrel
