#include "platform/ctrls/ScrollState.h"

#include "platform/vcl/WinControl.h"

#include <algorithm>

namespace tovrel {

int TScrollState::MaxPos() const
{
    return std::max(min_, page_ > 0 ? max_ - page_ + 1 : max_);
}

void TScrollState::SetRange(int min, int max)
{
    min_ = min;
    max_ = std::max(min, max);
    SetPos(pos_);
}

void TScrollState::SetPage(int page)
{
    page_ = std::clamp(page, 0, max_ - min_ + 1);
    SetPos(pos_);
}

int TScrollState::SetPos(int pos)
{
    pos_ = std::clamp(pos, min_, MaxPos());
    return pos_;
}

void TScrollState::Get(SCROLLINFO& info) const
{
    if (info.fMask & SIF_RANGE) {
        info.nMin = min_;
        info.nMax = max_;
    }
    if (info.fMask & SIF_PAGE)
        info.nPage = UINT(page_);
    if (info.fMask & SIF_POS)
        info.nPos = pos_;
    if (info.fMask & SIF_TRACKPOS)
        info.nTrackPos = pos_;
}

int TScrollState::Set(const SCROLLINFO& info)
{
    if (info.fMask & SIF_RANGE)
        SetRange(info.nMin, info.nMax);
    if (info.fMask & SIF_PAGE)
        SetPage(int(std::min<UINT>(info.nPage, 0x7FFFFFFF)));
    if (info.fMask & SIF_POS)
        SetPos(info.nPos);
    return pos_;
}

int ScrollRequest(WPARAM w, int position, int line, int page, int last)
{
    switch (LOWORD(w)) {
    case SB_LINEUP: return position - line;
    case SB_LINEDOWN: return position + line;
    case SB_PAGEUP: return position - page;
    case SB_PAGEDOWN: return position + page;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: return int(std::min<WPARAM>(w >> 16, 0x7FFFFFFF));
    case SB_TOP: return 0;
    case SB_BOTTOM: return last;
    default: return position;
    }
}

namespace {

IScrollStateOwner* OwnerOf(HWND hwnd)
{
    return hwnd ? dynamic_cast<IScrollStateOwner*>(FindControl(hwnd)) : nullptr;
}

TScrollState* StateOf(HWND hwnd, int bar)
{
    IScrollStateOwner* owner = OwnerOf(hwnd);
    return owner ? owner->ScrollStateOf(bar) : nullptr;
}

} // namespace

BOOL GetScrollInfo(HWND hwnd, int bar, SCROLLINFO* info)
{
    TScrollState* state = StateOf(hwnd, bar);
    if (!state || !info)
        return 0;
    state->Get(*info);
    return 1;
}

int SetScrollInfo(HWND hwnd, int bar, const SCROLLINFO* info, BOOL /*redraw*/)
{
    TScrollState* state = StateOf(hwnd, bar);
    if (!state || !info)
        return 0;
    const int pos = state->Set(*info);
    OwnerOf(hwnd)->ScrollStateChanged(bar);
    return pos;
}

int GetScrollPos(HWND hwnd, int bar)
{
    TScrollState* state = StateOf(hwnd, bar);
    return state ? state->Pos() : 0;
}

int SetScrollPos(HWND hwnd, int bar, int pos, BOOL redraw)
{
    TScrollState* state = StateOf(hwnd, bar);
    if (!state)
        return 0;
    const int old = state->Pos();
    SCROLLINFO info;
    info.fMask = SIF_POS;
    info.nPos = pos;
    SetScrollInfo(hwnd, bar, &info, redraw);
    return old;
}

BOOL GetScrollRange(HWND hwnd, int bar, int* min, int* max)
{
    TScrollState* state = StateOf(hwnd, bar);
    if (!state || !min || !max)
        return 0;
    *min = state->Min();
    *max = state->Max();
    return 1;
}

BOOL SetScrollRange(HWND hwnd, int bar, int min, int max, BOOL redraw)
{
    SCROLLINFO info;
    info.fMask = SIF_RANGE;
    info.nMin = min;
    info.nMax = max;
    return StateOf(hwnd, bar) && SetScrollInfo(hwnd, bar, &info, redraw) >= 0;
}

BOOL ShowScrollBar(HWND hwnd, int bar, BOOL show)
{
    bool any = false;
    for (int b : {SB_HORZ, SB_VERT}) {
        if (bar != b && bar != SB_BOTH)
            continue;
        if (TScrollState* state = StateOf(hwnd, b)) {
            state->SetVisible(show != 0);
            any = true;
        }
    }
    return any;
}

} // namespace tovrel
