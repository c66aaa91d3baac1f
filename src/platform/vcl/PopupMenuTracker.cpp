// The plain popup menu's tracking loop: the levels it shows, the mouse over
// them (the top level holds the capture, so every mouse event comes here)
// and the keys it takes before they reach the focused window.
#include "platform/vcl/PopupMenuTracker.h"

#include "platform/vcl/Application.h"
#include "platform/vcl/Control.h"
#include "platform/vcl/WinControl.h"
#include "platform/wm/Input.h"
#include "platform/wm/Keys.h"
#include "platform/wm/MessageLoop.h"
#include "platform/wm/Paint.h"
#include "platform/wm/Window.h"

namespace tovrel {

namespace {

TPopupMenuTracker* running = nullptr;

// The top-level window of the control the menu pops up for; else the active window.
HWND OwnerWindowOf(const TPopupMenu& menu)
{
    auto* control = dynamic_cast<TControl*>(menu.PopupComponent.Get());
    auto* windowed = dynamic_cast<TWinControl*>(control);
    if (control && !windowed)
        windowed = control->Parent();
    if (windowed && windowed->HandleAllocated())
        return GetAncestor(windowed->Handle(), GA_ROOT);
    return GetActiveWindow();
}

TPoint Aligned(TPoint screen, TPopupAlignment alignment, TSize size)
{
    switch (alignment) {
    case paRight: return {screen.X - int(size.cx), screen.Y};
    case paCenter: return {screen.X - int(size.cx) / 2, screen.Y};
    default: return screen;
    }
}

bool IsKeyMessage(UINT message)
{
    return message >= WM_KEYFIRST && message <= WM_KEYLAST;
}

bool IsButtonDown(UINT message)
{
    return message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK || message == WM_RBUTTONDOWN ||
           message == WM_RBUTTONDBLCLK || message == WM_MBUTTONDOWN || message == WM_MBUTTONDBLCLK;
}

} // namespace

// Learns that the menu was freed, so nothing of it is touched afterwards.
class TPopupMenuTracker::TMenuWatch : public TComponent {
public:
    TMenuWatch(TPopupMenu& menu, TPopupMenuTracker& tracker) : TComponent(nullptr), tracker_(tracker) { menu_ = &menu; }
    bool MenuGone() const { return menu_ == nullptr; }

private:
    TPopupMenuTracker& tracker_;
    TComponentRef<TPopupMenu> menu_{*this, [this] { tracker_.End(nullptr); }};
};

TMenuItem* TPopupMenuTracker::Track(TPopupMenu& menu, TPoint screen)
{
    if (running || Application->Terminated())
        return nullptr;
    TPopupMenuTracker tracker(menu, OwnerWindowOf(menu));
    if (!tracker.Open(screen))
        return nullptr;
    tracker.Run();
    // Looked up again by its command: what the last messages ran may have freed it.
    return tracker.watch_->MenuGone() || !tracker.chosenCommand_ ? nullptr
                                                                 : menu.FindItem(tracker.chosenCommand_, fkCommand);
}

const TPopupMenuTracker* TPopupMenuTracker::Active()
{
    return running;
}

TPopupMenuTracker::TPopupMenuTracker(TPopupMenu& menu, HWND owner)
    : menu_(menu), owner_(owner), active_(GetActiveWindow()), watch_(std::make_unique<TMenuWatch>(menu, *this))
{
    running = this;
}

TPopupMenuTracker::~TPopupMenuTracker()
{
    running = nullptr;
    // Deepest first, the top level (holding the capture) last.
    while (!levels_.empty())
        levels_.pop_back();
}

std::unique_ptr<TMenuLevel> TPopupMenuTracker::NewLevel()
{
    return std::make_unique<TMenuLevel>(static_cast<TMenuLevelHost&>(*this));
}

bool TPopupMenuTracker::Open(TPoint screen)
{
    auto& top = *levels_.emplace_back(NewLevel());
    top.LayOut(*menu_.Items());
    if (!top.HasRows())
        return false;
    top.Show(owner_, PlaceMenuLevel(Aligned(screen, menu_.Alignment, top.Size()), top.Size(), screen.X, screen.Y));
    SetCapture(top.Window());
    return true;
}

bool TPopupMenuTracker::Over() const
{
    // Another window activated (another program clicked, a window shown) takes the menu away too.
    return ended_ || watch_->MenuGone() || (owner_ && !IsWindow(owner_)) || GetActiveWindow() != active_ ||
           !levels_.front()->Shown() || Application->Terminated();
}

void TPopupMenuTracker::Run()
{
    bool idleTold = false;
    MSG msg;
    while (!Over()) {
        if (!PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (Over()) // ended by the input the peek took in
                break;
            if (!idleTold) {
                idleTold = true;
                TellIdle();
                continue;
            }
            waiting_ = true;
            GetMessage(&msg, nullptr, 0, 0);
            waiting_ = false;
        }
        idleTold = false;
        if (msg.message == WM_QUIT) {
            PostQuitMessage(int(msg.wParam)); // for the loop outside
            break;
        }
        if (CallMsgFilter(&msg, MSGF_MENU))
            continue;
        if (!TakeKeyMessage(msg)) {
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
    }
}

void TPopupMenuTracker::TellIdle()
{
    if (owner_)
        SendMessage(owner_, WM_ENTERIDLE, MSGF_MENU, reinterpret_cast<LPARAM>(levels_.front()->Window()));
}

bool TPopupMenuTracker::TakeKeyMessage(const MSG& msg)
{
    if (!IsKeyMessage(msg.message))
        return false;
    if (msg.message == WM_KEYDOWN || (msg.message == WM_SYSKEYDOWN && msg.wParam != VK_MENU))
        Key(WORD(msg.wParam));
    else if (msg.message == WM_SYSKEYUP && msg.wParam == VK_MENU)
        End(nullptr); // Alt, on its release, as the window system's menus do
    return true;
}

void TPopupMenuTracker::Key(WORD key)
{
    const int depth = LevelCount() - 1;
    TMenuLevel& level = *levels_.back();
    switch (key) {
    case VK_UP: level.MoveHot(-1); break;
    case VK_DOWN: level.MoveHot(1); break;
    case VK_RIGHT:
        if (TMenuItem* hot = level.HotItem(); hot && hot->Count() > 0)
            OpenSubmenu(depth, hot, true);
        break;
    case VK_LEFT:
        if (depth > 0)
            CloseLevelsBelow(depth - 1);
        break;
    case VK_ESCAPE:
        if (depth > 0)
            CloseLevelsBelow(depth - 1);
        else
            End(nullptr);
        break;
    case VK_RETURN:
        if (TMenuItem* hot = level.HotItem())
            Activate(depth, hot, true);
        break;
    default: {
        // One row with that letter is activated; several take turns being hot.
        const std::vector<TMenuItem*> matches = level.AccelItems(key);
        if (matches.size() == 1)
            Activate(depth, matches.front(), true);
        else if (!matches.empty())
            level.SetHotItem(matches.front());
        break;
    }
    }
}

void TPopupMenuTracker::LevelMouse(TMenuLevel&, UINT message, TPoint screen)
{
    const int depth = DepthAt(screen);
    TMenuItem* item = depth >= 0 ? levels_[std::size_t(depth)]->ItemAt(screen) : nullptr;
    if (message == WM_MOUSEMOVE) {
        if (depth >= 0)
            Hover(depth, item);
    } else if (IsButtonDown(message)) {
        if (depth < 0)
            End(nullptr); // a press outside the menu
        else if (item && MenuItemSelectable(item) && item->Count() > 0)
            Hover(depth, item);
    } else if ((message == WM_LBUTTONUP || message == WM_RBUTTONUP) && item && MenuItemSelectable(item) &&
               item->Count() == 0) {
        End(item);
    }
}

void TPopupMenuTracker::LevelCancelled(TMenuLevel&)
{
    End(nullptr);
}

int TPopupMenuTracker::DepthAt(TPoint screen) const
{
    for (int depth = LevelCount() - 1; depth >= 0; --depth)
        if (levels_[std::size_t(depth)]->ScreenRect().Contains(screen))
            return depth;
    return -1;
}

void TPopupMenuTracker::Hover(int depth, TMenuItem* item)
{
    TMenuLevel& level = *levels_[std::size_t(depth)];
    if (item && MenuItemSelectable(item) && item->Count() > 0) {
        if (depth + 1 < LevelCount() && levels_[std::size_t(depth) + 1]->Parent() == item)
            CloseLevelsBelow(depth + 1); // its submenu is open already
        else
            OpenSubmenu(depth, item, false);
        return;
    }
    CloseLevelsBelow(depth);
    level.SetHotItem(item);
}

void TPopupMenuTracker::Activate(int depth, TMenuItem* item, bool selectFirst)
{
    if (item->Count() > 0)
        OpenSubmenu(depth, item, selectFirst);
    else
        End(item);
}

void TPopupMenuTracker::OpenSubmenu(int depth, TMenuItem* item, bool selectFirst)
{
    CloseLevelsBelow(depth);
    TMenuLevel& parent = *levels_[std::size_t(depth)];
    parent.SetHotItem(item);
    auto submenu = NewLevel();
    submenu->LayOut(*item);
    if (!submenu->HasRows())
        return;
    submenu->ShowBeside(parent, owner_);
    if (selectFirst)
        submenu->MoveHot(1);
    levels_.push_back(std::move(submenu));
}

void TPopupMenuTracker::CloseLevelsBelow(int depth)
{
    while (LevelCount() > depth + 1)
        levels_.pop_back();
}

void TPopupMenuTracker::End(TMenuItem* chosen)
{
    if (ended_)
        return;
    ended_ = true;
    chosenCommand_ = chosen ? chosen->Command() : 0;
    // Gone from the screen at once, though the loop may be waiting under a nested one.
    for (const auto& level : levels_)
        level->Hide();
    // Ended by what the wait ran (input it took in, a main-thread call): the wait must return.
    if (waiting_)
        PostMessage(nullptr, WM_NULL, 0, 0);
}

void TPopupMenuTracker::MenuChanged(const TMenu* menu, bool rebuild)
{
    TPopupMenuTracker* tracker = running;
    if (!tracker || &tracker->menu_ != menu || tracker->Over())
        return;
    if (!rebuild) {
        for (const auto& level : tracker->levels_)
            InvalidateRect(level->Window(), nullptr, 0);
        return;
    }
    tracker->CloseLevelsBelow(0);
    TMenuLevel& top = *tracker->levels_.front();
    const TRect at = top.ScreenRect();
    top.LayOut(*tracker->menu_.Items());
    if (top.HasRows())
        top.Show(tracker->owner_, PlaceMenuLevel({at.Left, at.Top}, top.Size(), at.Left, at.Top));
    else
        tracker->End(nullptr);
}

} // namespace tovrel
