#include "skin/forms/SkinMDIFrame.h"

#include "platform/wm/WindowPos.h"
#include "skin/forms/MDIArrange.h"
#include "skin/forms/SkinForm.h"
#include "skin/forms/SkinMDITabsBar.h"
#include "skin/forms/SkinMainMenuBar.h"

#include <algorithm>

namespace tovrel {

TskSkinMDIFrame::TskSkinMDIFrame(TComponent* AOwner) : TComponent(AOwner) {}

TskSkinMDIFrame::~TskSkinMDIFrame()
{
    if (FClient) {
        FClient->OnChildAdded = FClient->OnChildRemoved = nullptr;
        FClient->OnActiveChildChange = nullptr;
        FClient->OnResize = nullptr;
    }
}

void TskSkinMDIFrame::SetClient(TMDIClient* Value)
{
    FClient = Value;
    if (!Value)
        return;
    Value->OnChildAdded = [this](TCustomForm* child) { ChildAdded(child); };
    Value->OnChildRemoved = [this](TCustomForm* child) { ChildRemoved(child); };
    Value->OnActiveChildChange = [this](TObject*) { ActiveChanged(); };
    Value->OnResize = [this](TObject*) { RefreshMDIChildren(); };
    for (int i = 0; i < Value->MDIChildCount(); ++i)
        ChildAdded(Value->MDIChildren(i));
}

void TskSkinMDIFrame::SetMDITabsBar(TskSkinMDITabsBar* Value)
{
    FTabsBar = Value;
    if (Value)
        Value->SetSkinForm(FrameSkinForm());
}

TskSkinForm* TskSkinMDIFrame::FrameSkinForm() const
{
    return GetSkinForm(Owner());
}

// ---- children coming, going, changing ----

void TskSkinMDIFrame::ChildAdded(TCustomForm* Child)
{
    if (TskSkinForm* skinForm = GetSkinForm(Child)) {
        // The frame follows the child's window states; the child's own handlers still run.
        auto chain = [this, Child](TNotifyEvent previous) {
            return [this, Child, previous](TObject* sender) {
                ChildStateChanged(Child);
                if (previous)
                    previous(sender);
            };
        };
        skinForm->OnMaximize = chain(skinForm->OnMaximize);
        skinForm->OnRestore = chain(skinForm->OnRestore);
        skinForm->OnMinimize = chain(skinForm->OnMinimize);
    }
    AddChildToMenu(Child);
    bool accept = true;
    if (OnAcceptToMDITabsBar)
        OnAcceptToMDITabsBar(Child, accept);
    if (accept && FTabsBar)
        FTabsBar->AddTab(Child);
    UpDateChildActiveInMenu();
}

void TskSkinMDIFrame::ChildRemoved(TCustomForm* Child)
{
    DeleteChildFromMenu(Child);
    if (FTabsBar)
        FTabsBar->DeleteTab(Child);
    ChildStateChanged(nullptr);
}

void TskSkinMDIFrame::ActiveChanged()
{
    UpDateChildActiveInMenu();
    if (FTabsBar)
        FTabsBar->UpdateActiveTab();
}

void TskSkinMDIFrame::ChildStateChanged(TCustomForm* Child)
{
    const TskSkinForm* skinForm = GetSkinForm(Child);
    if (skinForm && skinForm->WindowState() == wsMaximized)
        FitMaximizedChild(Child);
    else if (skinForm && skinForm->WindowState() == wsMinimized)
        ArrangeMinimizedChildren();
    TskSkinForm* frame = FrameSkinForm();
    TskSkinMainMenuBar* bar = frame ? frame->MainMenuBar() : nullptr;
    if (GetMaximizedMDIChild()) {
        FMDIChildMaximized = true;
        if (bar)
            bar->MDIChildMaximize();
    } else {
        FMDIChildMaximized = false;
        if (bar)
            bar->MDIChildRestore();
    }
    if (FTabsBar)
        FTabsBar->UpdateActiveTab();
}

void TskSkinMDIFrame::FitMaximizedChild(TCustomForm* Child)
{
    if (!FClient || !Child->HandleAllocated())
        return;
    // The child's frame lies outside the client, so only its client area shows.
    RECT window{};
    GetWindowRect(Child->Handle(), &window);
    const TPoint origin = Child->ClientOrigin();
    const int left = origin.X - window.Left, top = origin.Y - window.Top;
    const int right = window.Right - (origin.X + Child->ClientWidth());
    const int bottom = window.Bottom - (origin.Y + Child->ClientHeight());
    const TRect area = FClient->MDIWorkArea();
    Child->SetBounds(area.Left - left, area.Top - top, area.Width() + left + right, area.Height() + top + bottom);
}

void TskSkinMDIFrame::ArrangeMinimizedChildren()
{
    if (!FClient)
        return;
    // Row by row from the client's bottom-left corner.
    const TRect area = FClient->MDIWorkArea();
    int x = area.Left, y = area.Bottom, rowHeight = 0;
    for (int i = 0; i < FClient->MDIChildCount(); ++i) {
        TCustomForm* child = FClient->MDIChildren(i);
        const TskSkinForm* skinForm = GetSkinForm(child);
        if (!skinForm || skinForm->WindowState() != wsMinimized)
            continue;
        if (x > area.Left && x + child->Width() > area.Right) {
            x = area.Left;
            y -= rowHeight;
            rowHeight = 0;
        }
        rowHeight = std::max(rowHeight, child->Height());
        child->SetBounds(x, y - child->Height(), child->Width(), child->Height());
        x += child->Width();
    }
}

void TskSkinMDIFrame::RefreshMDIChildren()
{
    if (!FClient)
        return;
    for (int i = 0; i < FClient->MDIChildCount(); ++i)
        if (const TskSkinForm* skinForm = GetSkinForm(FClient->MDIChildren(i));
            skinForm && skinForm->WindowState() == wsMaximized)
            FitMaximizedChild(FClient->MDIChildren(i));
    ArrangeMinimizedChildren();
}

TCustomForm* TskSkinMDIFrame::GetMaximizedMDIChild() const
{
    if (!FClient)
        return nullptr;
    auto maximized = [](TCustomForm* child) {
        const TskSkinForm* skinForm = GetSkinForm(child);
        return skinForm && skinForm->WindowState() == wsMaximized;
    };
    if (TCustomForm* active = FClient->ActiveMDIChild(); active && maximized(active))
        return active;
    for (int i = 0; i < FClient->MDIChildCount(); ++i)
        if (maximized(FClient->MDIChildren(i)))
            return FClient->MDIChildren(i);
    return nullptr;
}

// ---- all children ----

void TskSkinMDIFrame::ForEachSkinnedChild(const std::function<void(TskSkinForm&)>& Act)
{
    if (!FClient)
        return;
    // A copy: acting may change the list.
    std::vector<TCustomForm*> children;
    for (int i = 0; i < FClient->MDIChildCount(); ++i)
        children.push_back(FClient->MDIChildren(i));
    for (TCustomForm* child : children)
        if (TskSkinForm* skinForm = GetSkinForm(child))
            Act(*skinForm);
}

void TskSkinMDIFrame::MinimizeAll()
{
    ForEachSkinnedChild([](TskSkinForm& f) { f.ApplyWindowState(wsMinimized); });
}

void TskSkinMDIFrame::MaximizeAll()
{
    ForEachSkinnedChild([](TskSkinForm& f) { f.ApplyWindowState(wsMaximized); });
}

void TskSkinMDIFrame::RestoreAll()
{
    ForEachSkinnedChild([](TskSkinForm& f) {
        if (f.WindowState() != wsNormal)
            f.ApplyWindowState(wsNormal);
        if (f.RollUpState() && f.WindowState() == wsNormal)
            f.ApplyRollUpState(false);
    });
}

void TskSkinMDIFrame::CloseAll()
{
    if (!FClient)
        return;
    for (int i = FClient->MDIChildCount() - 1; i >= 0; --i)
        if (TCustomForm* child = FClient->MDIChildren(i))
            child->Close();
}

void TskSkinMDIFrame::Tile()
{
    if (!FClient)
        return;
    RestoreAll();
    const TRect area = FClient->MDIWorkArea();
    const std::vector<TRect> rects = TileRects(FClient->MDIChildCount(), area.Width(), area.Height());
    for (std::size_t i = 0; i < rects.size(); ++i)
        FClient->MDIChildren(int(i))->SetBoundsRect(rects[i]);
}

void TskSkinMDIFrame::Cascade()
{
    if (!FClient)
        return;
    RestoreAll();
    const TRect area = FClient->MDIWorkArea();
    std::vector<TskCascadeChild> children;
    int step = 1, minW = 0, minH = 0;
    for (int i = 0; i < FClient->MDIChildCount(); ++i) {
        TCustomForm* child = FClient->MDIChildren(i);
        children.push_back({child->Width(), child->Height(), child->BorderStyle() == bsSingle});
        if (const TskSkinForm* skinForm = GetSkinForm(child)) {
            // The step is a caption's height.
            step = skinForm->SkinSupport() ? skinForm->Frame().NewClRect.Top : skinForm->GetDefCaptionHeight() + 3;
            minW = std::max(minW, skinForm->GetMinWidth());
            minH = std::max(minH, skinForm->GetMinHeight());
        }
    }
    const std::vector<TRect> rects = CascadeRects(children, area.Width(), area.Height(), step, minW, minH);
    for (std::size_t i = 0; i < rects.size(); ++i)
        FClient->MDIChildren(int(i))->SetBoundsRect(rects[i]);
}

// ---- the window menu ----

namespace {

// The child's name in an entry's name; empty when it is no child entry.
std::string ChildNameOf(const TMenuItem& Item)
{
    const std::string& name = Item.Name();
    const std::size_t at = name.find(kMDIChildItemSuffix);
    if (at == std::string::npos)
        return {};
    return name.substr(0, at) + name.substr(at + std::string_view(kMDIChildItemSuffix).size());
}

} // namespace

TMenuItem* TskSkinMDIFrame::FindChildItem(const TCustomForm* Child) const
{
    if (!FWindowMenu || !Child)
        return nullptr;
    for (int i = 0; i < FWindowMenu->Count(); ++i)
        if (TMenuItem* item = FWindowMenu->Items(i); !ChildNameOf(*item).empty() && ChildNameOf(*item) == Child->Name())
            return item;
    return nullptr;
}

void TskSkinMDIFrame::AddChildToMenu(TCustomForm* Child)
{
    if (!FWindowMenu || !Child)
        return;
    auto* item = new TMenuItem(this);
    item->SetName(Child->Name() + kMDIChildItemSuffix);
    item->SetCaption(Child->Caption());
    item->SetRadioItem(true);
    item->OnClick = [this](TObject* sender) { MDIItemClick(sender); };
    FWindowMenu->Add(item);
}

void TskSkinMDIFrame::DeleteChildFromMenu(TCustomForm* Child)
{
    delete FindChildItem(Child);
    if (!FWindowMenu || (FClient && FClient->MDIChildCount() > 0))
        return;
    // No child left: an entry left behind goes too.
    for (int i = 0; i < FWindowMenu->Count(); ++i)
        if (TMenuItem* item = FWindowMenu->Items(i); !ChildNameOf(*item).empty()) {
            delete item;
            return;
        }
}

void TskSkinMDIFrame::UpDateChildCaptionInMenu(TCustomForm* Child)
{
    if (TMenuItem* item = FindChildItem(Child))
        item->SetCaption(Child->Caption());
    if (FTabsBar)
        FTabsBar->Invalidate();
}

void TskSkinMDIFrame::UpDateChildActiveInMenu()
{
    if (!FWindowMenu)
        return;
    const TCustomForm* active = FClient ? FClient->ActiveMDIChild() : nullptr;
    for (int i = 0; i < FWindowMenu->Count(); ++i)
        if (TMenuItem* item = FWindowMenu->Items(i); !ChildNameOf(*item).empty())
            item->SetChecked(active && ChildNameOf(*item) == active->Name());
}

void TskSkinMDIFrame::MDIItemClick(TObject* Sender)
{
    const auto* item = dynamic_cast<const TMenuItem*>(Sender);
    if (!item || !FClient)
        return;
    const std::string name = ChildNameOf(*item);
    for (int i = 0; i < FClient->MDIChildCount(); ++i)
        if (FClient->MDIChildren(i)->Name() == name) {
            ShowChild(FClient->MDIChildren(i));
            return;
        }
}

void TskSkinMDIFrame::ShowChild(TCustomForm* Child)
{
    if (TskSkinForm* skinForm = GetSkinForm(Child); skinForm && skinForm->WindowState() == wsMinimized)
        skinForm->ApplyWindowState(wsNormal);
    Child->Show();
    if (FClient)
        FClient->Activate(Child);
}

TskSkinMDIFrame* GetSkinMDIFrame(const TComponent* Form)
{
    if (!Form)
        return nullptr;
    for (int i = 0; i < Form->ComponentCount(); ++i)
        if (auto* frame = dynamic_cast<TskSkinMDIFrame*>(Form->Components(i)))
            return frame;
    return nullptr;
}

TskSkinMDIFrame* GetChildMDIFrame(const TControl* Child)
{
    const TMDIClient* client = MDIClientOf(Child);
    return client ? GetSkinMDIFrame(GetParentForm(const_cast<TMDIClient*>(client))) : nullptr;
}

} // namespace tovrel
