#pragma once
// The list box: items with data, single, multiple and extended selection,
// owner drawing (fixed and variable heights through CN_MEASUREITEM and
// CN_DRAWITEM, the framework's reflections of WM_MEASUREITEM/WM_DRAWITEM),
// item height, top index, tab stops, incremental search by prefix, and the
// LB_* messages. Its vertical scroll state (range 0..Count-1, page = the
// rows fully in view, position = top index) is kept even though no bar is
// drawn. LBN_* notifications reach it as CN_COMMAND: LBN_SELCHANGE calls
// Click, LBN_DBLCLK DblClick.
#include "platform/ctrls/CommonControls.h"
#include "platform/ctrls/ScrollState.h"
#include "platform/vcl/Canvas.h"
#include "platform/vcl/Strings.h"
#include "platform/vcl/WinControl.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tovrel {

constexpr UINT CN_MEASUREITEM = CN_BASE + WM_MEASUREITEM;

enum TListBoxStyle : std::uint8_t { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable };
enum TOwnerDrawStateFlag : std::uint8_t { odSelected, odGrayed, odDisabled, odChecked, odFocused };
using TOwnerDrawState = TSet<TOwnerDrawStateFlag>;

class TCustomListBox;
using TDrawItemEvent = std::function<void(TWinControl* control, int index, TRect rect, TOwnerDrawState state)>;
using TMeasureItemEvent = std::function<void(TWinControl* control, int index, int& height)>;

class TCustomListBox : public TWinControl, public IScrollStateOwner {
public:
    explicit TCustomListBox(TComponent* owner);
    ~TCustomListBox() override;

    TStrings* Items() { return items_.get(); }
    int Count() const { return int(rows_.size()); }
    int ItemIndex();
    void SetItemIndex(int index);
    bool Selected(int index);
    void SetSelected(int index, bool value);
    int SelCount();
    int TopIndex();
    void SetTopIndex(int index);
    void Clear() { Perform(LB_RESETCONTENT, 0, 0); }
    void SelectAll();
    void ClearSelection();
    // The item under a client point; -1 when `existing` and no item is there.
    int ItemAtPos(TPoint p, bool existing);
    TRect ItemRect(int index);

    TListBoxStyle Style() const { return style_; }
    void SetStyle(TListBoxStyle value);
    // Owner-drawn rows; values of 0 or less are refused (the old one stays).
    int ItemHeight() const;
    void SetItemHeight(int value);
    bool MultiSelect() const { return multiSelect_; }
    void SetMultiSelect(bool value);
    bool ExtendedSelect() const { return extendedSelect_; }
    void SetExtendedSelect(bool value);
    bool Sorted() const { return sorted_; }
    void SetSorted(bool value);
    // One tab stop every `value` dialog units (0: the default stops).
    int TabWidth() const { return tabWidth_; }
    void SetTabWidth(int value);
    // Rows fully in view (in each column).
    int VisibleRows();
    // Several columns of items, each ClientWidth / Columns wide, scrolled
    // sideways by whole columns (0: one column scrolled up and down).
    int Columns() const { return columns_; }
    void SetColumns(int value);

    TCanvas* Canvas() { return canvas_.get(); }
    TDrawItemEvent OnDrawItem;
    TMeasureItemEvent OnMeasureItem;

    TScrollState* ScrollStateOf(int bar) override;
    void ScrollStateChanged(int bar) override;

    void DefaultHandler(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void PaintWindow(HDC dc) override;
    void BoundsChanged() override;
    virtual void DrawItem(int index, TRect rect, TOwnerDrawState state);
    virtual void MeasureItem(int index, int& height);
    // Single selection within a single-selection list, caret elsewhere.
    bool SingleSelection() const { return !multiSelect_; }

private:
    friend class TListBoxInput;
    struct TRow {
        std::string Text;
        ULONG_PTR Data = 0;
        bool Selected = false;
        int Height = 0; // variable owner draw
    };

    bool HandleListMessage(TMessage& message);
    int InsertRow(int index, std::string text);
    int RowHeight(int index) const;
    int RowTop(int index) const; // relative to the top index
    int FindString(int start, std::string_view text, bool exact) const;
    int StandardItemHeight() const;
    void UpdateScrollState();
    void SetTop(int index);
    void EnsureVisible(int index);
    void SetCaret(int index);
    void SelectOnly(int index);
    void SelectRange(int first, int last, bool value);
    void NotifySelChange();
    void Notify(WORD code);
    void DrawRow(HDC dc, int index, const TRect& rect);
    // Multi-column layout.
    int ColumnWidth() const;
    int ColumnCount() const; // columns the items fill
    TRect ColumnItemRect(int index) const;
    int ColumnItemAt(TPoint p, bool& outside) const;
    void InvalidateRow(int index);

    std::unique_ptr<TStrings> items_;
    std::unique_ptr<TCanvas> canvas_;
    std::unique_ptr<class TListBoxInput> input_;
    std::vector<TRow> rows_;
    TListBoxStyle style_ = lbStandard;
    int itemHeight_ = 16;
    bool multiSelect_ = false;
    bool extendedSelect_ = true;
    bool sorted_ = false;
    int tabWidth_ = 0;
    int columns_ = 0;
    std::vector<int> tabStops_; // dialog units
    int caret_ = -1;            // the focus rectangle's row; the selection in single mode
    int anchor_ = -1;
    int top_ = 0;
    TScrollState vertical_, horizontal_;
};

class TListBox : public TCustomListBox {
public:
    explicit TListBox(TComponent* owner) : TCustomListBox(owner) {}
};

} // namespace tovrel
