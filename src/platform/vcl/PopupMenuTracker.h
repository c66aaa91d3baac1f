#pragma once
// The plain popup menu, shown when no presenter is installed: the window
// system's own popup menu. A modal tracking loop shows the menu's items at a
// point (kept on the monitor's work area, flipped left or up where it would
// run off), follows the mouse over the rows, opens submenus beside their rows
// and ends with the item picked (a click, Enter, its "&" letter) or with none
// (Escape at the top level, Alt, a press outside the menu, another window
// activated, the owner window destroyed, the menu freed, the application
// terminated). The focus stays
// with the owner window; the loop takes its keys and keeps dispatching every
// other message (timers, painting). Each time it runs out of messages it
// sends WM_ENTERIDLE (MSGF_MENU, the top level's window) to the owner.
// Messages pass the message filter (MSGF_MENU) before the loop looks at them.
// The levels close as soon as the loop ends (a modal dialog opened meanwhile
// disables them, and the cancel mode that brings ends the loop).
#include "platform/vcl/MenuLevel.h"
#include "platform/wm/ModalLoop.h"

#include <memory>
#include <vector>

namespace tovrel {

class TComponent;

class TPopupMenuTracker final : private TMenuLevelHost {
public:
    // Tracks `menu` at a screen point; returns the item picked, or null. Null
    // at once when another popup menu is being tracked or nothing is visible.
    static TMenuItem* Track(TPopupMenu& menu, TPoint screen);
    // The loop running now, or null.
    static const TPopupMenuTracker* Active();

    HWND Owner() const { return owner_; }
    // Level 0 lists the menu's items; each further level is the submenu of the hot row above it.
    int LevelCount() const { return int(levels_.size()); }
    const TMenuLevel& Level(int index) const { return *levels_[std::size_t(index)]; }

    // Told by a menu whose items changed; a rebuild closes the submenus and lays the menu out again.
    static void MenuChanged(const TMenu* menu, bool rebuild);

private:
    class TMenuWatch;

    TPopupMenuTracker(TPopupMenu& menu, HWND owner);
    ~TPopupMenuTracker();
    std::unique_ptr<TMenuLevel> NewLevel();
    bool Open(TPoint screen);
    void Run();
    bool Over() const;
    void TellIdle();
    bool TakeKeyMessage(const MSG& msg);
    void Key(WORD key);
    void LevelMouse(TMenuLevel& level, UINT message, TPoint screen) override;
    void LevelCancelled(TMenuLevel& level) override;
    int DepthAt(TPoint screen) const;
    void Hover(int depth, TMenuItem* item);
    // A submenu row opens its submenu, any other selectable row is picked.
    void Activate(int depth, TMenuItem* item, bool selectFirst);
    void OpenSubmenu(int depth, TMenuItem* item, bool selectFirst);
    void CloseLevelsBelow(int depth);
    void End(TMenuItem* chosen);

    TPopupMenu& menu_;
    const HWND owner_;
    const HWND active_;
    std::unique_ptr<TMenuWatch> watch_;
    std::vector<std::unique_ptr<TMenuLevel>> levels_;
    bool ended_ = false;
    bool waiting_ = false;   // for a message, in GetMessage
    WORD chosenCommand_ = 0; // none
};

} // namespace tovrel
