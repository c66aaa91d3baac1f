#pragma once
// The skinned list view: the platform list view with its colours and font
// from a "listview" entry, its own bars never shown and mirrored both ways
// into two external skinned scroll bars (SkinnedView.h), and its column
// header drawn from a button entry (SkinListViewHeader.cpp). The list's scroll state stays the
// truth: every paint, resize, key and click copies it into the bars, and a
// bar's OnChange scrolls the list by the difference.
#include "platform/ctrls/ListView.h"
#include "skin/controls/SkinnedView.h"
#include "skin/data/SkinViewEntries.h"

#include <functional>

namespace tovrel {

// Sent to the list view to paint its header into the DC in WParam.
constexpr unsigned SkinPaintHeaderToMessage = 45512;

// Custom drawing of a header section's contents over its background.
using TskDrawHeaderSectionEvent = std::function<void(TCanvas* Cnvs, TListColumn* Column, bool Pressed, const TRect& R)>;

class TskSkinCustomListView : public TskSkinnedView<TCustomListView, TskDataSkinListView> {
public:
    explicit TskSkinCustomListView(TComponent* AOwner);
    ~TskSkinCustomListView() override;

    std::string HeaderSkinDataName = "resizetoolbutton";
    TskDrawHeaderSectionEvent OnDrawHeaderSection;

    // Also redraws the header from its entry.
    void ChangeSkinData() override;
    void UpDateScrollBars() override;

    // The header window taken over, or null.
    HWND SkinnedHeader() const { return FHeaderHandle; }
    // Header state: the section under the last press (-1 none), a section
    // held down, a divider dragged.
    int ActiveSection() const { return FActiveSection; }
    bool HeaderDown() const { return FHeaderDown; }
    bool DividerDown() const { return FDevDown; }

protected:
    void WndProc(TMessage& message) override;
    void VScrollBarChange() override;
    void HScrollBarChange() override;

private:
    friend LRESULT SkinHeaderProc(HWND, UINT, WPARAM, LPARAM);
    void UpdateIconScrollBars();
    void UpdateListScrollBars();
    void UpdateReportScrollBars();
    int FirstItemHeight();
    int FirstItemWidth();

    // Header (SkinListViewHeader.cpp).
    void HeaderCreated(HWND Child);
    void ReleaseHeader();
    void HeaderWndProc(TMessage& Message);
    void GetHeaderSkinData();
    TRect GetHeaderSectionRect(int Index);
    void DrawHeaderSection(TCanvas& Canvas, TListColumn* Column, const TRect& R, bool Pressed);
    void DrawHeaderCaption(TCanvas& Canvas, TListColumn* Column, TRect R0);
    // The entry's image S at B's size; the filler's without its right-hand end.
    void BuildHeaderImage(TBitmap& B, const TRect& S, bool Filler);
    void DrawHeaderFiller(TCanvas& Canvas, const TRect& F);
    void PaintHeader(HDC DC);
    void InvalidateHeader(bool Erase);

    // The list is being scrolled from a bar.
    bool FromSB = false;
    int FOldVScrollBarPos = 0, FOldHScrollBarPos = 0;

    HWND FHeaderHandle = nullptr;
    WNDPROC FDefHeaderProc = nullptr;
    int FActiveSection = -1;
    bool FHeaderDown = false;
    bool FDevDown = false;
    // The header entry, looked up at every section drawn.
    int FHIndex = -1;
    TPoint HLTPt, HRTPt, HLBPt, HRBPt;
    TRect HSkinRect, HClRect, HActiveSkinRect, HDownSkinRect;
    TBitmap* HPicture = nullptr;
    TColor HFontColor = 0, HDownFontColor = 0;
    TskStretchFlags HStretch;
};

class TskSkinListView : public TskSkinCustomListView {
public:
    using TskSkinCustomListView::TskSkinCustomListView;
};

} // namespace tovrel
