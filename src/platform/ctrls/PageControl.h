#pragma once
// The page control: a tab control whose tabs are its visible sheets. The
// active sheet fills the display rectangle; the others are hidden.
#include "platform/ctrls/TabControl.h"

#include <vector>

namespace tovrel {

class TPageControl;

class TTabSheet : public TWinControl {
public:
    explicit TTabSheet(TComponent* owner);
    ~TTabSheet() override;

    TPageControl* PageControl() const { return pageControl_; }
    void SetPageControl(TPageControl* pageControl);
    // Position among the page control's sheets.
    int PageIndex() const;
    void SetPageIndex(int index);
    bool TabVisible() const { return tabVisible_; }
    void SetTabVisible(bool value);
    // Position among the visible tabs (-1 when hidden).
    int TabIndex() const;
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int index);

protected:
    void TextChanged() override;

private:
    friend class TPageControl;
    TPageControl* pageControl_ = nullptr;
    bool tabVisible_ = true;
    int imageIndex_ = 0; // the platform's default: every sheet's tab has an image slot once images are given
};

class TPageControl : public TCustomTabControl {
public:
    explicit TPageControl(TComponent* owner);
    ~TPageControl() override;

    int PageCount() const { return int(pages_.size()); }
    TTabSheet* Pages(int index) const;
    TTabSheet* ActivePage() const { return activePage_; }
    void SetActivePage(TTabSheet* page);
    int ActivePageIndex() const;
    void SetActivePageIndex(int index);
    // The next or previous sheet with a visible tab, wrapping.
    TTabSheet* FindNextPage(TTabSheet* current, bool goForward, bool checkTabVisible) const;
    void SelectNextPage(bool goForward);

protected:
    void Change() override;
    int GetImageIndex(int tabIndex) override;

private:
    friend class TTabSheet;
    void InsertPage(TTabSheet* page);
    void RemovePage(TTabSheet* page);
    void MovePage(TTabSheet* page, int index);
    // Rebuilds the tabs from the sheets.
    void UpdateTabs();
    void ShowActive();

    std::vector<TTabSheet*> pages_;
    TTabSheet* activePage_ = nullptr;
};

} // namespace tovrel
