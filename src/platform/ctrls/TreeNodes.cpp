// Nodes of the tree view.
#include "platform/ctrls/TreeView.h"

#include "platform/vcl/Errors.h"

#include <algorithm>

namespace tovrel {

void TTreeNode::SetText(const std::string& text)
{
    if (text_ == text)
        return;
    text_ = text;
    owner_.NodesChanged();
}

void TTreeNode::SetStateIndex(int index)
{
    if (stateIndex_ == index)
        return;
    stateIndex_ = index;
    owner_.NodesChanged();
}

void TTreeNode::SetImageIndex(int index)
{
    // Unchanged values repaint nothing, so OnGetImageIndex may set them while painting.
    if (imageIndex_ == index)
        return;
    imageIndex_ = index;
    owner_.NodesChanged();
}

TTreeNode* TTreeNode::Item(int index) const
{
    if (index < 0 || index >= Count())
        ListIndexError(index);
    return children_[std::size_t(index)].get();
}

int TTreeNode::Index() const
{
    if (!parent_)
        return -1;
    const auto& siblings = parent_->children_;
    for (std::size_t i = 0; i < siblings.size(); ++i)
        if (siblings[i].get() == this)
            return int(i);
    return -1;
}

int TTreeNode::Level() const
{
    int level = -1; // the hidden root is above the top level
    for (const TTreeNode* p = parent_; p; p = p->parent_)
        ++level;
    return level;
}

void TTreeNode::SetHasChildren(bool value)
{
    hasChildren_ = value;
    owner_.NodesChanged();
}

void TTreeNode::SetExpanded(bool value)
{
    owner_.ExpandNode(this, value);
}

void TTreeNode::Expand(bool recurse)
{
    SetExpanded(true);
    if (recurse)
        for (auto& child : children_)
            child->Expand(true);
}

void TTreeNode::Collapse(bool recurse)
{
    SetExpanded(false);
    if (recurse)
        for (auto& child : children_)
            child->Collapse(true);
}

bool TTreeNode::Selected() const
{
    return owner_.Selected() == this;
}

void TTreeNode::SetSelected(bool value)
{
    if (value)
        owner_.SetSelected(this);
    else if (Selected())
        owner_.SetSelected(nullptr);
}

bool TTreeNode::IsVisible() const
{
    for (const TTreeNode* p = parent_; p && p->parent_; p = p->parent_)
        if (!p->expanded_)
            return false;
    return true;
}

TTreeNode* TTreeNode::GetNextSibling() const
{
    const int index = Index();
    return index >= 0 && index + 1 < parent_->Count() ? parent_->Item(index + 1) : nullptr;
}

TTreeNode* TTreeNode::GetPrevSibling() const
{
    const int index = Index();
    return index > 0 ? parent_->Item(index - 1) : nullptr;
}

TTreeNode* TTreeNode::GetNext() const
{
    if (!children_.empty())
        return children_.front().get();
    for (const TTreeNode* node = this; node->parent_; node = node->parent_)
        if (TTreeNode* next = node->GetNextSibling())
            return next;
    return nullptr;
}

void TTreeNode::Delete()
{
    owner_.Items()->Delete(this);
}

TTreeNodes::TTreeNodes(TCustomTreeView& owner) : owner_(owner), root_(std::make_unique<TTreeNode>(owner, nullptr))
{
    root_->expanded_ = true;
}

TTreeNodes::~TTreeNodes() = default;

namespace {

int CountBelow(const TTreeNode& node)
{
    int count = node.Count();
    for (int i = 0; i < node.Count(); ++i)
        count += CountBelow(*node.Item(i));
    return count;
}

} // namespace

int TTreeNodes::Count() const
{
    return CountBelow(*root_);
}

TTreeNode* TTreeNodes::Item(int index) const
{
    if (index < 0)
        ListIndexError(index);
    int remaining = index;
    // Pre-order walk.
    std::vector<TTreeNode*> stack;
    for (int i = root_->Count() - 1; i >= 0; --i)
        stack.push_back(root_->Item(i));
    while (!stack.empty()) {
        TTreeNode* node = stack.back();
        stack.pop_back();
        if (remaining-- == 0)
            return node;
        for (int i = node->Count() - 1; i >= 0; --i)
            stack.push_back(node->Item(i));
    }
    ListIndexError(index);
}

TTreeNode* TTreeNodes::InsertAt(TTreeNode* parent, int index, const std::string& text)
{
    auto node = std::make_unique<TTreeNode>(owner_, parent);
    node->text_ = text;
    TTreeNode* raw = node.get();
    parent->children_.insert(parent->children_.begin() + std::clamp(index, 0, parent->Count()), std::move(node));
    owner_.NodesChanged();
    return raw;
}

TTreeNode* TTreeNodes::Add(TTreeNode* sibling, const std::string& text)
{
    TTreeNode* parent = sibling ? sibling->Parent() : root_.get();
    return InsertAt(parent, parent->Count(), text);
}

TTreeNode* TTreeNodes::AddFirst(TTreeNode* sibling, const std::string& text)
{
    return InsertAt(sibling ? sibling->Parent() : root_.get(), 0, text);
}

TTreeNode* TTreeNodes::AddChild(TTreeNode* parent, const std::string& text)
{
    TTreeNode* p = parent ? parent : root_.get();
    return InsertAt(p, p->Count(), text);
}

TTreeNode* TTreeNodes::AddChildFirst(TTreeNode* parent, const std::string& text)
{
    return InsertAt(parent ? parent : root_.get(), 0, text);
}

TTreeNode* TTreeNodes::Insert(TTreeNode* sibling, const std::string& text)
{
    if (!sibling)
        return Add(nullptr, text);
    return InsertAt(sibling->Parent(), sibling->Index(), text);
}

void TTreeNodes::TellDeletion(TTreeNode* node)
{
    for (int i = 0; i < node->Count(); ++i)
        TellDeletion(node->Item(i));
    owner_.Delete(node);
}

void TTreeNodes::Delete(TTreeNode* node)
{
    if (!node || node == root_.get() || !node->Parent() || &node->TreeView() != &owner_)
        return;
    if (!owner_.ComponentState().Contains(csDestroying))
        TellDeletion(node);
    owner_.NodeDeleting(node);
    auto& siblings = node->Parent()->children_;
    siblings.erase(siblings.begin() + node->Index());
    owner_.NodesChanged();
}

void TTreeNodes::Clear()
{
    // One repaint at the end, also when a deletion handler throws.
    BeginUpdate();
    struct TEndUpdate {
        TTreeNodes& nodes;
        ~TEndUpdate() { nodes.EndUpdate(); }
    } endUpdate{*this};
    while (root_->Count() > 0)
        Delete(root_->Item(root_->Count() - 1));
}

void TTreeNodes::BeginUpdate()
{
    owner_.BeginUpdate();
}

void TTreeNodes::EndUpdate()
{
    owner_.EndUpdate();
}

} // namespace tovrel
