#include "platform/vcl/Menus.h"

#include "platform/rtl/Text.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/Errors.h"
#include "platform/vcl/ImageList.h"
#include "platform/vcl/MenuBar.h"
#include "platform/vcl/PopupMenuTracker.h"
#include "platform/wm/Keys.h"

#include <algorithm>
#include <set>

namespace tovrel {

namespace {

std::set<WORD>& UsedCommands()
{
    static std::set<WORD> used;
    return used;
}

WORD AllocateCommand()
{
    static WORD next = 0;
    auto& used = UsedCommands();
    for (int tries = 0; tries < 0xFFFF; ++tries) {
        next = WORD(next == 0xFFFF ? 1 : next + 1);
        if (used.insert(next).second)
            return next;
    }
    throw EInvalidOperation("No menu command numbers left");
}

struct TKeyName {
    WORD Key;
    const char* Name;
};

constexpr TKeyName kKeyNames[] = {
    {VK_BACK, "BkSp"},  {VK_TAB, "Tab"},     {VK_ESCAPE, "Esc"}, {VK_RETURN, "Enter"}, {VK_SPACE, "Space"},
    {VK_PRIOR, "PgUp"}, {VK_NEXT, "PgDn"},   {VK_END, "End"},    {VK_HOME, "Home"},    {VK_LEFT, "Left"},
    {VK_UP, "Up"},      {VK_RIGHT, "Right"}, {VK_DOWN, "Down"},  {VK_INSERT, "Ins"},   {VK_DELETE, "Del"},
};

std::string KeyName(WORD key)
{
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9'))
        return std::string(1, char(key));
    if (key >= VK_F1 && key <= VK_F12)
        return "F" + std::to_string(key - VK_F1 + 1);
    for (const TKeyName& k : kKeyNames)
        if (k.Key == key)
            return k.Name;
    return {};
}

TPopupPresenter& Presenter()
{
    static TPopupPresenter presenter;
    return presenter;
}

} // namespace

TShortCut ShortCut(WORD key, TShiftState shift)
{
    if (key & 0xFF00)
        return 0;
    TShortCut result = key;
    if (shift.Contains(ssShift))
        result |= scShift;
    if (shift.Contains(ssCtrl))
        result |= scCtrl;
    if (shift.Contains(ssAlt))
        result |= scAlt;
    return result;
}

std::string ShortCutToText(TShortCut shortCut)
{
    const std::string name = KeyName(WORD(shortCut & 0xFF));
    if (name.empty())
        return {};
    std::string text;
    if (shortCut & scShift)
        text += "Shift+";
    if (shortCut & scCtrl)
        text += "Ctrl+";
    if (shortCut & scAlt)
        text += "Alt+";
    return text + name;
}

TShortCut TextToShortCut(std::string_view text)
{
    TShortCut modifiers = 0;
    for (;;) {
        const auto plus = text.find('+');
        if (plus == std::string_view::npos || plus + 1 == text.size())
            break;
        const std::string_view part = text.substr(0, plus);
        if (SameText(part, "Shift"))
            modifiers |= scShift;
        else if (SameText(part, "Ctrl"))
            modifiers |= scCtrl;
        else if (SameText(part, "Alt"))
            modifiers |= scAlt;
        else
            return 0;
        text.remove_prefix(plus + 1);
    }
    for (int key = 1; key < 0x100; ++key) {
        const std::string name = KeyName(WORD(key));
        if (!name.empty() && SameText(name, text))
            return TShortCut(modifiers | key);
    }
    return 0;
}

bool IsAccel(WORD vk, std::string_view caption)
{
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&')
            continue;
        if (caption[i + 1] == '&') {
            ++i;
            continue;
        }
        const char c = caption[i + 1];
        const char upper = c >= 'a' && c <= 'z' ? char(c - 32) : c;
        return WORD(upper) == vk;
    }
    return false;
}

std::string StripHotkey(std::string_view caption)
{
    std::string result;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size())
            ++i;
        else if (caption[i] == '&')
            continue;
        result += caption[i];
    }
    return result;
}

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner), command_(AllocateCommand()) {}

TMenuItem::~TMenuItem()
{
    Destroying();
    while (!items_.empty()) {
        TMenuItem* child = items_.back();
        items_.pop_back();
        child->parent_ = nullptr;
        TObject::Free(child);
    }
    if (parent_)
        parent_->Remove(this);
    UsedCommands().erase(command_);
}

template <class T> void TMenuItem::Store(T& field, T value, bool rebuild)
{
    if (field == value)
        return;
    field = value;
    Changed(rebuild);
}

void TMenuItem::Changed(bool rebuild)
{
    if (TMenu* menu = GetParentMenu())
        menu->ItemChanged(this, rebuild);
}

void TMenuItem::SetCaption(const std::string& caption)
{
    Store(caption_, caption, true);
}

void TMenuItem::SetEnabled(bool value)
{
    Store(enabled_, value, false);
}

void TMenuItem::SetVisible(bool value)
{
    Store(visible_, value, true);
}

void TMenuItem::SetChecked(bool value)
{
    if (checked_ == value)
        return;
    checked_ = value;
    if (value && radioItem_ && parent_)
        for (TMenuItem* sibling : parent_->items_)
            if (sibling != this && sibling->radioItem_ && sibling->groupIndex_ == groupIndex_ && sibling->checked_) {
                sibling->checked_ = false;
                sibling->Changed(false);
            }
    Changed(false);
}

void TMenuItem::SetRadioItem(bool value)
{
    Store(radioItem_, value, false);
}

void TMenuItem::SetGroupIndex(std::uint8_t value)
{
    Store(groupIndex_, value, false);
}

void TMenuItem::SetDefault(bool value)
{
    Store(default_, value, false);
}

void TMenuItem::SetShortCut(TShortCut value)
{
    Store(shortCut_, value, false);
}

void TMenuItem::SetImageIndex(int value)
{
    Store(imageIndex_, value, false);
}

TBitmap* TMenuItem::Bitmap()
{
    if (!bitmap_)
        bitmap_ = std::make_unique<TBitmap>();
    return bitmap_.get();
}

TMenuItem* TMenuItem::Items(int index) const
{
    if (index < 0 || index >= Count())
        ListIndexError(index);
    return items_[std::size_t(index)];
}

int TMenuItem::MenuIndex() const
{
    return parent_ ? parent_->IndexOf(this) : -1;
}

int TMenuItem::IndexOf(const TMenuItem* item) const
{
    const auto it = std::find(items_.begin(), items_.end(), item);
    return it == items_.end() ? -1 : int(it - items_.begin());
}

void TMenuItem::Add(TMenuItem* item)
{
    Insert(Count(), item);
}

void TMenuItem::Insert(int index, TMenuItem* item)
{
    if (!item)
        return;
    if (item->parent_)
        throw EInvalidOperation("Menu inserted twice");
    if (index < 0 || index > Count())
        ListIndexError(index);
    items_.insert(items_.begin() + index, item);
    item->parent_ = this;
    Changed(true);
}

void TMenuItem::Delete(int index)
{
    TMenuItem* item = Items(index);
    Remove(item);
    TObject::Free(item);
}

void TMenuItem::Remove(TMenuItem* item)
{
    const int index = IndexOf(item);
    if (index < 0)
        return;
    items_.erase(items_.begin() + index);
    item->parent_ = nullptr;
    if (!ComponentState().Contains(csDestroying))
        Changed(true);
}

void TMenuItem::Clear()
{
    while (!items_.empty())
        Delete(Count() - 1);
}

TMenuItem* TMenuItem::Find(std::string_view caption) const
{
    const std::string wanted = StripHotkey(caption);
    for (TMenuItem* item : items_)
        if (SameText(StripHotkey(item->caption_), wanted))
            return item;
    return nullptr;
}

TMenu* TMenuItem::GetParentMenu() const
{
    const TMenuItem* root = this;
    while (root->parent_)
        root = root->parent_;
    return root->menu_;
}

void TMenuItem::RethinkLines()
{
    TMenuItem* lastVisible = nullptr;
    bool previousWasLine = true; // a line at the top is redundant
    for (TMenuItem* item : items_) {
        if (item->IsLine()) {
            item->visible_ = !previousWasLine;
            if (item->visible_) {
                previousWasLine = true;
                lastVisible = item;
            }
        } else if (item->visible_) {
            previousWasLine = false;
            lastVisible = item;
        }
    }
    if (lastVisible && lastVisible->IsLine())
        lastVisible->visible_ = false;
    Changed(true);
}

void TMenuItem::Click()
{
    if (AutoCheck)
        SetChecked(!checked_ || radioItem_);
    if (OnClick) {
        const TNotifyEvent handler = OnClick; // the handler may free the item
        handler(this);
    }
}

TMenu::TMenu(TComponent* owner) : TComponent(owner), items_(new TMenuItem(nullptr))
{
    items_->menu_ = this;
}

TMenu::~TMenu()
{
    TObject::Free(items_);
}

void TMenu::SetImages(TCustomImageList* images)
{
    images_ = images;
    ItemChanged(nullptr, false);
}

void TMenu::ItemChanged(TMenuItem* source, bool rebuild)
{
    if (!ComponentState().Contains(csDestroying)) {
        MenuBarsChanged(this);
        TPopupMenuTracker::MenuChanged(this, rebuild);
    }
    if (OnChange && !ComponentState().Contains(csDestroying) && !ComponentState().Contains(csLoading))
        OnChange(this, source, rebuild);
}

TMenuItem* TMenu::FindItem(unsigned value, TFindItemKind kind) const
{
    std::vector<TMenuItem*> pending{items_};
    while (!pending.empty()) {
        TMenuItem* item = pending.back();
        pending.pop_back();
        if (item != items_) {
            if (kind == fkCommand && item->command_ == value)
                return item;
            if (kind == fkShortCut && item->shortCut_ != 0 && item->shortCut_ == value)
                return item;
        }
        for (auto it = item->items_.rbegin(); it != item->items_.rend(); ++it)
            pending.push_back(*it);
    }
    return nullptr;
}

bool TMenu::DispatchCommand(WORD command)
{
    TMenuItem* item = FindItem(command, fkCommand);
    if (!item)
        return false;
    item->Click();
    return true;
}

bool TMenu::IsShortCut(WORD key, TShiftState shift)
{
    const TShortCut wanted = ShortCut(key, shift);
    TMenuItem* item = wanted ? FindItem(wanted, fkShortCut) : nullptr;
    if (!item)
        return false;
    for (TMenuItem* p = item; p && p != items_; p = p->parent_)
        if (!p->enabled_ || !p->visible_)
            return false;
    item->Click();
    return true;
}

void SetPopupPresenter(TPopupPresenter presenter)
{
    Presenter() = std::move(presenter);
}

void TPopupMenu::Popup(int x, int y)
{
    popupPoint_ = Point(x, y);
    if (OnPopup)
        OnPopup(this);
    TMenuItem* chosen = Presenter() ? Presenter()(*this, popupPoint_) : TPopupMenuTracker::Track(*this, popupPoint_);
    if (chosen)
        chosen->Click();
}

} // namespace tovrel
