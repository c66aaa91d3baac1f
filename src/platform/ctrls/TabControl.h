#pragma once
// The tab control: tabs on any side, one row (or several in multi-line
// mode), 2 pixels from the control's edge; fixed or measured tab sizes,
// an image slot (the image list's width) in each tab that has an image,
// scrolling by WM_HSCROLL (SB_THUMBPOSITION n: the first n tabs are
// scrolled out; no arrows are made), the display rectangle, selection on
// the press (before OnMouseDown runs), keys, and the TCM_* messages.
// TCN_SELCHANGING (a nonzero answer refuses) and TCN_SELCHANGE reach it as
// CN_NOTIFY: CanChange (OnChanging) and Change (OnChange).
#include "platform/ctrls/CommonControls.h"
#include "platform/vcl/ComponentRef.h"
#include "platform/vcl/ImageList.h"
#include "platform/vcl/StringList.h"
#include "platform/vcl/WinControl.h"

#include <memory>
#include <vector>

namespace tovrel {

enum TTabPosition : std::uint8_t { tpTop, tpBottom, tpLeft, tpRight };
using TTabChangingEvent = std::function<void(TObject* sender, bool& allowChange)>;

struct TCHITTESTINFO {
    POINT pt{};
    UINT flags = 0;
};
constexpr UINT TCHT_NOWHERE = 0x1, TCHT_ONITEMICON = 0x2, TCHT_ONITEMLABEL = 0x4, TCHT_ONITEM = 0x6;

class TCustomTabControl : public TWinControl {
public:
    explicit TCustomTabControl(TComponent* owner);
    ~TCustomTabControl() override;

    TStrings* Tabs() { return tabs_.get(); }
    int TabIndex();
    void SetTabIndex(int index);
    TTabPosition TabPosition() const { return tabPosition_; }
    void SetTabPosition(TTabPosition value);
    // Tabs that do not fit start another row (no scrolling then).
    bool MultiLine() const { return multiLine_; }
    void SetMultiLine(bool value);
    int TabHeight() const { return tabHeight_; }
    void SetTabHeight(int value);
    int TabWidth() const { return tabWidth_; }
    void SetTabWidth(int value);
    TCustomImageList* Images() const { return images_; }
    void SetImages(TCustomImageList* images);
    // The first tab in view (WM_HSCROLL moves it).
    int FirstVisibleTab() const { return firstVisible_; }
    // The area the pages use, in client coordinates.
    TRect DisplayRect();
    int IndexOfTabAt(int x, int y);

    TNotifyEvent OnChange;
    TTabChangingEvent OnChanging;

    void WndProc(TMessage& message) override;
    void DefaultHandler(TMessage& message) override;
    void AdjustClientRect(TRect& rect) const override;

protected:
    virtual bool CanChange();
    virtual void Change();
    // The image of a tab; -1: no image slot.
    virtual int GetImageIndex(int tabIndex);
    virtual void TabsChanged();
    void PaintWindow(HDC dc) override;

private:
    bool HandleTabMessage(TMessage& message);
    // Selects with TCN_SELCHANGING / TCN_SELCHANGE; false when refused.
    bool SelectByUser(int index);
    LRESULT SendNotify(int code);
    // One row's thickness.
    int StripThickness();
    int RowCount();
    // The first tab of each row.
    std::vector<int> RowStarts();
    TSize TabSize(int index);
    TRect TabRect(int index);
    void AdjustRect(bool larger, TRect& rect);

    std::unique_ptr<TStringList> tabs_;
    TTabPosition tabPosition_ = tpTop;
    int tabHeight_ = 0, tabWidth_ = 0;
    TComponentRef<TCustomImageList> images_{*this};
    int tabIndex_ = -1;
    int firstVisible_ = 0;
    bool multiLine_ = false;
};

class TTabControl : public TCustomTabControl {
public:
    explicit TTabControl(TComponent* owner) : TCustomTabControl(owner) {}
};

} // namespace tovrel
