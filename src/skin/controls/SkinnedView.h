#pragma once
// What the skinned list and tree views share: colours and font from a view
// entry of the skin, no frame and no native bars, and two external skinned
// scroll bars. The view's own scroll state stays the truth: a view copies it
// into the bars (SetRange, no events) and scrolls itself from their OnChange.
#include "platform/vcl/ComponentRef.h"
#include "platform/vcl/WinControl.h"
#include "skin/controls/SkinScrollBar.h"

#include <functional>
#include <memory>
#include <string>

namespace tovrel {

class TskSkinData;

// Sets the flag for the lifetime of the guard, then puts the old value back.
class TskFlagGuard {
public:
    explicit TskFlagGuard(bool& flag) : flag_(flag), old_(flag) { flag_ = true; }
    ~TskFlagGuard() { flag_ = old_; }
    TskFlagGuard(const TskFlagGuard&) = delete;
    TskFlagGuard& operator=(const TskFlagGuard&) = delete;

private:
    bool& flag_;
    bool old_;
};

// A view's own scroll range and position in one direction.
struct TskNativeScroll {
    int Min = 0, Max = 0, Pos = 0;
};

// Base: the framework's view; Entry: the skin entry class it reads.
template <class Base, class Entry> class TskSkinnedView : public Base {
public:
    TskSkinnedView(TComponent* AOwner, std::string ASkinDataName);
    ~TskSkinnedView() override;

    TskSkinData* SkinData() const { return FSD; }
    // Applies the skin at once when it is loaded.
    void SetSkinData(TskSkinData* Value);
    std::string SkinDataName;
    TFont* DefaultFont() const { return FDefaultFont.get(); }
    void SetDefaultFont(const TFont* Value);
    TColor DefaultColor() const { return FDefaultColor; }
    void SetDefaultColor(TColor Value);
    bool UseSkinFont = true;
    TskSkinScrollBar* VScrollBar() const { return FVScrollBar; }
    // The bar is enabled, hidden and driven by this view from now on (its
    // OnChange is replaced); a bar replaced here loses this view's handler.
    void SetVScrollBar(TskSkinScrollBar* Value);
    TskSkinScrollBar* HScrollBar() const { return FHScrollBar; }
    void SetHScrollBar(TskSkinScrollBar* Value);

    int SkinIndex() const { return FIndex; }
    // Looks the entry up again, takes colour and font from it and brings the
    // bars up to date (nothing while loading: Loaded does it).
    virtual void ChangeSkinData();
    void BeforeChangeSkinData() { FIndex = -1; }
    // Copies the view's scroll state into the bars, showing or hiding them.
    virtual void UpDateScrollBars() = 0;

protected:
    void CreateParams(TWinControl::TCreateParams& params) override;
    void Loaded() override;
    // No frame (so no native bars), no painting on request, and the bars
    // shown and hidden with the view; the rest goes to the framework.
    void WndProc(TMessage& message) override;
    virtual void VScrollBarChange() = 0;
    virtual void HScrollBarChange() = 0;
    // Runs `Sync` (which shows, hides and fills the bars), then keeps the
    // corner beside a vertical bar free and realigns the parent when a bar
    // appeared or went.
    void SyncBars(const std::function<void()>& Sync);
    // Shows or hides a bar (with the guard set); true when it changed.
    bool ShowBar(TskSkinScrollBar* Bar, bool Visible);
    // SB_VERT or SB_HORZ of the view's window, which must exist.
    TskNativeScroll NativeScroll(int Bar);

    TComponentRef<TskSkinData> FSD{*this};
    int FIndex = -1;
    // A synchronisation, or the realignment it caused, is under way.
    bool FInCheckScrollBars = false;

private:
    void AssignBar(TComponentRef<TskSkinScrollBar>& Ref, TskSkinScrollBar* Value, bool Vertical);
    void RealignBars();

    std::unique_ptr<TFont> FDefaultFont;
    TColor FDefaultColor;
    TComponentRef<TskSkinScrollBar> FVScrollBar{*this};
    TComponentRef<TskSkinScrollBar> FHScrollBar{*this};
};

} // namespace tovrel
