#pragma once
// Menus: TMenuItem trees with captions, shortcuts, checks and radio groups,
// command numbers and change notices; TMenu (shortcut and command dispatch,
// images), TMainMenu and TPopupMenu. A popup's look belongs to whoever shows
// it: Popup fires OnPopup and hands the menu to the installed presenter, or
// without one to the plain popup menu (PopupMenuTracker.h); the skinned menus
// replace Popup, and tests may install a presenter that picks.
#include "platform/vcl/Component.h"
#include "platform/vcl/ComponentRef.h"
#include "platform/vcl/ControlTypes.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tovrel {

class TBitmap;
class TCanvas;
class TCustomImageList;
class TMenu;

using TShortCut = WORD;
constexpr TShortCut scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000, scNone = 0;

TShortCut ShortCut(WORD key, TShiftState shift);
// "Ctrl+S", "Shift+Del", "F1"; "" for none.
std::string ShortCutToText(TShortCut shortCut);
// Parses what ShortCutToText writes (case-insensitive); 0 for anything else.
TShortCut TextToShortCut(std::string_view text);
// The caption's "&" letter is the key (ASCII letters and digits; "&&" is no accelerator).
bool IsAccel(WORD vk, std::string_view caption);
// The caption without its "&" marks ("&&" becomes "&").
std::string StripHotkey(std::string_view caption);

using TMenuDrawItemEvent = std::function<void(TObject* sender, TCanvas* canvas, TRect rect, bool selected)>;

class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* owner);
    ~TMenuItem() override;

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    bool IsLine() const { return caption_ == "-"; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    bool Checked() const { return checked_; }
    // Checking a radio item unchecks the others of its group under the same parent.
    void SetChecked(bool value);
    bool RadioItem() const { return radioItem_; }
    void SetRadioItem(bool value);
    std::uint8_t GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(std::uint8_t value);
    bool Default() const { return default_; }
    void SetDefault(bool value);
    TShortCut ShortCut() const { return shortCut_; }
    void SetShortCut(TShortCut value);
    std::string Hint;
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value);
    TBitmap* Bitmap();
    bool AutoCheck = false;

    // A number unique among live items, for dispatching commands.
    WORD Command() const { return command_; }
    int Count() const { return int(items_.size()); }
    TMenuItem* Items(int index) const;
    TMenuItem* Parent() const { return parent_; }
    int MenuIndex() const;
    void Add(TMenuItem* item);
    void Insert(int index, TMenuItem* item);
    // Deletes (frees) the item at index.
    void Delete(int index);
    // Takes the item out without freeing it.
    void Remove(TMenuItem* item);
    void Clear();
    int IndexOf(const TMenuItem* item) const;
    // The child whose caption without "&" is caption (case-insensitive).
    TMenuItem* Find(std::string_view caption) const;
    TMenu* GetParentMenu() const;
    // Hides separators that would show first, last or twice in a row.
    void RethinkLines();

    // OnClick (AutoCheck toggles Checked first). Disabled items still run it,
    // as callers that invoke Click directly expect.
    virtual void Click();

    TNotifyEvent OnClick;
    TMenuDrawItemEvent OnDrawItem;

private:
    friend class TMenu;
    void Changed(bool rebuild);
    template <class T> void Store(T& field, T value, bool rebuild);

    std::string caption_;
    bool enabled_ = true;
    bool visible_ = true;
    bool checked_ = false;
    bool radioItem_ = false;
    std::uint8_t groupIndex_ = 0;
    bool default_ = false;
    TShortCut shortCut_ = 0;
    int imageIndex_ = -1;
    std::unique_ptr<TBitmap> bitmap_;
    WORD command_ = 0;
    TMenuItem* parent_ = nullptr;
    TMenu* menu_ = nullptr;
    std::vector<TMenuItem*> items_;
};

enum TMenuAutoFlag : std::uint8_t { maAutomatic, maManual, maParent };
enum TFindItemKind : std::uint8_t { fkCommand, fkHandle, fkShortCut };
using TMenuChangeEvent = std::function<void(TObject* sender, TMenuItem* source, bool rebuild)>;

class TMenu : public TComponent {
public:
    explicit TMenu(TComponent* owner);
    ~TMenu() override;

    TMenuItem* Items() const { return items_; }
    TCustomImageList* Images() const { return images_; }
    void SetImages(TCustomImageList* images);
    TMenuAutoFlag AutoLineReduction = maAutomatic;

    // Clicks the item with that command number; false when there is none.
    bool DispatchCommand(WORD command);
    TMenuItem* FindItem(unsigned value, TFindItemKind kind) const;
    // A key press that matches an enabled, visible item's shortcut clicks it.
    bool IsShortCut(WORD key, TShiftState shift);

    TMenuChangeEvent OnChange;

private:
    friend class TMenuItem;
    void ItemChanged(TMenuItem* source, bool rebuild);

    TMenuItem* items_;
    TComponentRef<TCustomImageList> images_{*this};
};

class TMainMenu : public TMenu {
public:
    using TMenu::TMenu;
};

enum TPopupAlignment : std::uint8_t { paLeft, paRight, paCenter };

class TPopupMenu;
// Shows a popup menu at a screen point and returns the item chosen (null: none).
using TPopupPresenter = std::function<TMenuItem*(TPopupMenu& menu, TPoint screen)>;
// Null goes back to the plain popup menu.
void SetPopupPresenter(TPopupPresenter presenter);

class TPopupMenu : public TMenu {
public:
    using TMenu::TMenu;

    // OnPopup, then the presenter (or the plain popup menu); the chosen item is clicked.
    virtual void Popup(int x, int y);
    TComponentRef<TComponent> PopupComponent{*this};
    TPoint PopupPoint() const { return popupPoint_; }
    bool AutoPopup = true;
    TPopupAlignment Alignment = paLeft;

    TNotifyEvent OnPopup;

    void SetPopupPoint(TPoint p) { popupPoint_ = p; }

private:
    TPoint popupPoint_;
};

} // namespace tovrel
