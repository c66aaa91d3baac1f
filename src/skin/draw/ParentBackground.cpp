// Parent background painting through the component framework's controls.
#include "skin/draw/ParentBackground.h"

#include "platform/gdi/Gdi.h"
#include "platform/vcl/CustomControls.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/WinControl.h"

namespace tovrel {

namespace {

// The parent's own window painting, without its graphic children: those are
// painted below, and only when they lie under the control.
struct TWindowPainting : TWinControl {
    using TWinControl::PaintWindow;
};

// Marks a control as painting a copy for as long as it lives.
class TPaintCopyMark {
public:
    explicit TPaintCopyMark(TControl* control) : control_(control) { control_->ControlState.Include(csPaintCopy); }
    ~TPaintCopyMark() { control_->ControlState.Exclude(csPaintCopy); }
    TPaintCopyMark(const TPaintCopyMark&) = delete;
    TPaintCopyMark& operator=(const TPaintCopyMark&) = delete;

private:
    TControl* control_;
};

bool Intersects(const TRect& a, const TRect& b)
{
    return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}

void PaintBehind(TControl* control, HDC dc, TPoint shift)
{
    if (control == nullptr || control->Parent() == nullptr)
        return;
    TWinControl* parent = control->Parent();
    const TPaintCopyMark parentMark(parent);
    {
        const TSavedDC saved(dc);
        SetViewportOrgEx(dc, -control->Left() - shift.X, -control->Top() - shift.Y, nullptr);
        IntersectClipRect(dc, 0, 0, parent->ClientWidth(), parent->ClientHeight());
        parent->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
        if (dynamic_cast<TCustomForm*>(parent) == nullptr)
            (parent->*(&TWindowPainting::PaintWindow))(dc);
    }
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* child = parent->Controls(i);
        if (child == control)
            break;
        if (dynamic_cast<TWinControl*>(child) != nullptr || !child->Visible() ||
            !Intersects(child->BoundsRect(), control->BoundsRect()))
            continue;
        const TPaintCopyMark childMark(child);
        const TSavedDC saved(dc);
        SetViewportOrgEx(dc, child->Left() - control->Left() - shift.X, child->Top() - control->Top() - shift.Y,
                         nullptr);
        IntersectClipRect(dc, 0, 0, child->Width(), child->Height());
        child->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    }
}

} // namespace

void PaintParentBackground(TControl* control, HDC dc)
{
    PaintBehind(control, dc, TPoint{});
}

void PaintParentBackgroundRect(TControl* control, const RECT& r, HDC dc)
{
    PaintBehind(control, dc, TPoint{r.Left, r.Top});
}

} // namespace tovrel
