#include "platform/ctrls/PageControl.h"

#include "platform/vcl/Errors.h"

#include <algorithm>

namespace tovrel {

TTabSheet::TTabSheet(TComponent* owner) : TWinControl(owner)
{
    SetVisible(false);
    SetAlign(alClient);
    SetColor(clBtnFace);
    ControlStyle.Include(csAcceptsControls);
}

TTabSheet::~TTabSheet()
{
    Destroying();
    if (pageControl_)
        pageControl_->RemovePage(this);
}

void TTabSheet::SetPageControl(TPageControl* pageControl)
{
    if (pageControl_ == pageControl)
        return;
    if (pageControl_)
        pageControl_->RemovePage(this);
    pageControl_ = pageControl;
    SetParent(pageControl);
    if (pageControl_)
        pageControl_->InsertPage(this);
}

int TTabSheet::PageIndex() const
{
    if (!pageControl_)
        return -1;
    const auto& pages = pageControl_->pages_;
    return int(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TTabSheet::SetPageIndex(int index)
{
    if (pageControl_)
        pageControl_->MovePage(this, index);
}

void TTabSheet::SetTabVisible(bool value)
{
    tabVisible_ = value;
    if (pageControl_)
        pageControl_->UpdateTabs();
}

int TTabSheet::TabIndex() const
{
    if (!pageControl_ || !tabVisible_)
        return -1;
    int index = 0;
    for (const TTabSheet* page : pageControl_->pages_) {
        if (page == this)
            return index;
        index += page->tabVisible_;
    }
    return -1;
}

void TTabSheet::SetImageIndex(int index)
{
    imageIndex_ = index;
    if (pageControl_)
        pageControl_->Invalidate();
}

void TTabSheet::TextChanged()
{
    if (pageControl_)
        pageControl_->UpdateTabs();
}

TPageControl::TPageControl(TComponent* owner) : TCustomTabControl(owner) {}

TPageControl::~TPageControl()
{
    Destroying();
    for (TTabSheet* page : pages_)
        page->pageControl_ = nullptr;
    pages_.clear();
}

TTabSheet* TPageControl::Pages(int index) const
{
    if (index < 0 || index >= PageCount())
        ListIndexError(index);
    return pages_[std::size_t(index)];
}

void TPageControl::InsertPage(TTabSheet* page)
{
    pages_.push_back(page);
    UpdateTabs();
    if (!activePage_ && page->TabVisible())
        SetActivePage(page);
}

void TPageControl::RemovePage(TTabSheet* page)
{
    const auto it = std::find(pages_.begin(), pages_.end(), page);
    if (it == pages_.end())
        return;
    TTabSheet* next = activePage_ == page ? FindNextPage(page, true, true) : activePage_;
    pages_.erase(it);
    if (next == page)
        next = nullptr;
    if (ComponentState().Contains(csDestroying))
        return;
    UpdateTabs();
    SetActivePage(next);
}

void TPageControl::MovePage(TTabSheet* page, int index)
{
    const auto it = std::find(pages_.begin(), pages_.end(), page);
    if (it == pages_.end())
        return;
    pages_.erase(it);
    pages_.insert(pages_.begin() + std::clamp(index, 0, PageCount()), page);
    UpdateTabs();
}

void TPageControl::UpdateTabs()
{
    Tabs()->BeginUpdate();
    Tabs()->Clear();
    for (TTabSheet* page : pages_)
        if (page->TabVisible())
            Tabs()->Add(page->Caption());
    Tabs()->EndUpdate();
    if (activePage_ && !activePage_->TabVisible())
        SetActivePage(FindNextPage(activePage_, true, true));
    else
        ShowActive();
}

int TPageControl::ActivePageIndex() const
{
    return activePage_ ? activePage_->PageIndex() : -1;
}

void TPageControl::SetActivePageIndex(int index)
{
    SetActivePage(index >= 0 && index < PageCount() ? pages_[std::size_t(index)] : nullptr);
}

void TPageControl::SetActivePage(TTabSheet* page)
{
    if (page && page->PageControl() != this)
        return;
    activePage_ = page;
    ShowActive();
}

void TPageControl::ShowActive()
{
    // Show the new sheet before hiding the old one, so the area is never bare.
    if (activePage_) {
        activePage_->BringToFront();
        activePage_->SetVisible(true);
    }
    for (TTabSheet* page : pages_)
        if (page != activePage_)
            page->SetVisible(false);
    Perform(TCM_SETCURSEL, WPARAM(activePage_ ? activePage_->TabIndex() : -1), 0);
}

TTabSheet* TPageControl::FindNextPage(TTabSheet* current, bool goForward, bool checkTabVisible) const
{
    const int count = PageCount();
    if (count == 0)
        return nullptr;
    int start = current ? current->PageIndex() : (goForward ? count - 1 : 0);
    if (start < 0)
        start = goForward ? count - 1 : 0;
    for (int step = 1; step <= count; ++step) {
        const int i = ((start + (goForward ? step : -step)) % count + count) % count;
        TTabSheet* page = pages_[std::size_t(i)];
        if (!checkTabVisible || page->TabVisible())
            return page;
    }
    return nullptr;
}

void TPageControl::SelectNextPage(bool goForward)
{
    TTabSheet* page = FindNextPage(activePage_, goForward, true);
    if (page && page != activePage_ && CanChange()) {
        SetActivePage(page);
        TCustomTabControl::Change();
    }
}

void TPageControl::Change()
{
    // The tab the user chose decides the sheet.
    const int tab = TabIndex();
    for (TTabSheet* page : pages_)
        if (page->TabIndex() == tab && tab >= 0) {
            activePage_ = page;
            ShowActive();
            break;
        }
    TCustomTabControl::Change();
}

int TPageControl::GetImageIndex(int tabIndex)
{
    for (TTabSheet* page : pages_)
        if (page->TabIndex() == tabIndex)
            return page->ImageIndex();
    return -1;
}

} // namespace tovrel
