#include "platform/vcl/MDIClient.h"

#include "platform/gdi/SysColors.h"
#include "platform/vcl/Canvas.h"
#include "platform/wm/MessageLoop.h"
#include "platform/wm/Messages.h"

#include <algorithm>

namespace tovrel {

TMDIClient::TMDIClient(TComponent* AOwner) : TCustomControl(AOwner)
{
    SetAlign(alClient);
    SetColor(clAppWorkSpace);
}

TMDIClient::~TMDIClient()
{
    // The children go with the client's window; nobody is told any more.
    OnChildAdded = OnChildRemoved = nullptr;
    OnActiveChildChange = nullptr;
}

void TMDIClient::AddChild(TCustomForm* Child)
{
    if (!Child)
        return;
    if (std::find(children_.begin(), children_.end(), Child) == children_.end()) {
        Child->SetFormStyle(fsMDIChild);
        Child->SetParent(this);
        auto ref = std::make_unique<TComponentRef<TCustomForm>>(*this, [this, Child] { ChildGone(Child); });
        *ref = Child;
        refs_.push_back(std::move(ref));
        children_.push_back(Child);
        if (OnChildAdded)
            OnChildAdded(Child);
    }
    Activate(Child);
}

TCustomForm* TMDIClient::MDIChildren(int Index) const
{
    return Index >= 0 && Index < MDIChildCount() ? children_[std::size_t(Index)] : nullptr;
}

void TMDIClient::Activate(TCustomForm* Child)
{
    if (!Child || std::find(children_.begin(), children_.end(), Child) == children_.end())
        return;
    Child->BringToFront();
    if (active_ == Child)
        return;
    // The children's frames show which one is active, as the window system tells them.
    if (active_ && active_->HandleAllocated())
        SendMessage(active_->Handle(), WM_NCACTIVATE, 0, 0);
    active_ = Child;
    if (Child->HandleAllocated())
        SendMessage(Child->Handle(), WM_NCACTIVATE, 1, 0);
    if (OnActiveChildChange)
        OnActiveChildChange(this);
}

void TMDIClient::ChildGone(TCustomForm* Child)
{
    const auto at = std::find(children_.begin(), children_.end(), Child);
    if (at == children_.end())
        return;
    const std::size_t index = std::size_t(at - children_.begin());
    children_.erase(at);
    // The reference that called us is cleared already; it goes after the callback.
    refs_.erase(refs_.begin() + std::ptrdiff_t(index));
    if (OnChildRemoved)
        OnChildRemoved(Child);
    if (active_ == Child) {
        // The topmost remaining child takes over, as the window system does.
        active_ = nullptr;
        for (HWND w = GetWindow(const_cast<TMDIClient*>(this)->Handle(), GW_CHILD); w && !active_;
             w = GetWindow(w, GW_HWNDNEXT))
            for (TCustomForm* c : children_)
                if (c->HandleAllocated() && c->Handle() == w)
                    active_ = c;
        if (active_)
            SendMessage(active_->Handle(), WM_NCACTIVATE, 1, 0);
        if (OnActiveChildChange)
            OnActiveChildChange(this);
    }
}

TCustomForm* TMDIClient::ChildAt(TPoint P) const
{
    TCustomForm* hit = nullptr;
    // Later siblings lie below: the first one holding the point, from the top.
    for (HWND w = GetWindow(const_cast<TMDIClient*>(this)->Handle(), GW_CHILD); w && !hit;
         w = GetWindow(w, GW_HWNDNEXT))
        for (TCustomForm* c : children_)
            if (c->HandleAllocated() && c->Handle() == w && c->Visible() && c->BoundsRect().Contains(Point(P.X, P.Y)))
                hit = c;
    return hit;
}

void TMDIClient::WndProc(TMessage& Message)
{
    if (Message.Msg == WM_PARENTNOTIFY &&
        (LOWORD(Message.WParam) == WM_LBUTTONDOWN || LOWORD(Message.WParam) == WM_RBUTTONDOWN ||
         LOWORD(Message.WParam) == WM_MBUTTONDOWN))
        Activate(ChildAt(PointFromLParam(Message.LParam)));
    TCustomControl::WndProc(Message);
}

void TMDIClient::Paint()
{
    Canvas()->Brush()->SetColor(Color());
    Canvas()->FillRect(ClientRect());
}

TMDIClient* FindMDIClient(const TWinControl* Frame)
{
    if (!Frame)
        return nullptr;
    for (int i = 0; i < Frame->ControlCount(); ++i)
        if (auto* client = dynamic_cast<TMDIClient*>(Frame->Controls(i)))
            return client;
    return nullptr;
}

TMDIClient* MDIClientOf(const TControl* Child)
{
    return Child ? dynamic_cast<TMDIClient*>(Child->Parent()) : nullptr;
}

} // namespace tovrel
