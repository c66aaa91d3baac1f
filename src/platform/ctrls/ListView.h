#pragma once
// The list view: report mode with columns shown by a header child window
// (class "SysHeader32", made with the list view's window), items with
// sub-items, image index and data, single or multiple selection, row
// select, grid lines, keys and mouse, and the LVM_* messages the skinned
// list view uses; and the icon, small-icon and list views, whose items sit
// in cells (ListViewLayout.h) with no header shown. Its scroll state is kept
// with the bars hidden: in report mode vertical in rows (range 0..Count-1,
// page = rows in view, position = top row) and horizontal in pixels; in the
// icon views both in pixels of the arranged area (page = client size); in
// the list view horizontal in columns (range 0..columns-1, page = whole
// columns in view). LVM_SCROLL moves by whole rows (report) or columns (list).
//
// Notifications reach the list view as CN_NOTIFY, as the framework reflects
// WM_NOTIFY: LVN_ITEMCHANGING (a nonzero answer refuses), LVN_ITEMCHANGED
// (OnChange, then OnSelectItem when the selection changed), NM_CLICK,
// NM_DBLCLK, NM_RCLICK and LVN_COLUMNCLICK. Selecting another item in
// single selection reports the old item losing its state first.
//
// Deleting column c (LVM_DELETECOLUMN, Columns()->Delete) takes each own
// item's text of that column with it, so the later columns keep their texts;
// Columns()->Clear() leaves the items' texts alone, so rebuilt columns show
// them again. Between Columns()->BeginUpdate and EndUpdate the header is left
// alone; the last EndUpdate rebuilds it and lays the rows out once.
#include "platform/ctrls/CommonControls.h"
#include "platform/ctrls/Edit.h"
#include "platform/ctrls/ListViewLayout.h"
#include "platform/ctrls/ScrollState.h"
#include "platform/vcl/Canvas.h"
#include "platform/vcl/ComponentRef.h"
#include "platform/vcl/CustomControls.h"
#include "platform/vcl/GraphicsTypes.h"
#include "platform/vcl/ImageList.h"
#include "platform/vcl/StringList.h"
#include "platform/vcl/WinControl.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tovrel {

class TCustomListView;

enum TDisplayCode : std::uint8_t { drBounds, drIcon, drLabel };

class TListItem : public TPersistent {
public:
    TListItem(TCustomListView& owner);
    ~TListItem() override;
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& text);
    TStrings* SubItems() { return subItems_.get(); }
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int index);
    void* Data = nullptr;
    int Index() const;
    bool Selected() const;
    void SetSelected(bool value);
    bool Focused() const;
    void SetFocused(bool value);
    TCustomListView& ListView() const { return owner_; }
    // Starts editing the caption in place (LVM_EDITLABELW).
    void EditCaption();
    // Where the item is shown, in client coordinates (LVM_GETITEMRECT).
    TRect DisplayRect(TDisplayCode code) const;
    int Top() const { return DisplayRect(drBounds).Top; }
    int Left() const { return DisplayRect(drBounds).Left; }
    // Scrolls the item into view; with `partialOK` a partly shown item stays put.
    void MakeVisible(bool partialOK);

private:
    friend class TCustomListView;
    friend class TListItems;
    TCustomListView& owner_;
    std::string caption_;
    std::unique_ptr<TStringList> subItems_;
    int imageIndex_ = -1;
    UINT state_ = 0;     // LVIS_*
    int dataIndex_ = -1; // the row an owner-data item was filled for
    bool filling_ = false;
};

// The items, or in owner-data mode only their number and states: Item(i)
// then returns one shared item that OnData fills for row i.
class TListItems {
public:
    explicit TListItems(TCustomListView& owner);
    ~TListItems();
    int Count() const { return ownerData_ ? count_ : int(items_.size()); }
    // Owner-data mode only.
    void SetCount(int count);
    bool OwnerData() const { return ownerData_; }
    void SetOwnerData(bool value);
    UINT State(int index) const;
    void SetState(int index, UINT state);
    TListItem* Item(int index) const;
    TListItem* operator[](int index) const { return Item(index); }
    TListItem* Add() { return Insert(Count()); }
    TListItem* Insert(int index);
    void Delete(int index);
    void Clear();
    int IndexOf(const TListItem* item) const;
    // Nested; the view repaints and updates its scroll state at the last EndUpdate.
    void BeginUpdate();
    void EndUpdate();

private:
    void CheckOwnItems() const;
    TCustomListView& owner_;
    std::vector<std::unique_ptr<TListItem>> items_;
    bool ownerData_ = false;
    int count_ = 0;
    std::vector<UINT> states_;
    std::unique_ptr<TListItem> dataItem_;
};

class TListColumn {
public:
    TListColumn(TCustomListView& owner, int index) : owner_(owner), index_(index) {}
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& text);
    int Width() const { return width_; }
    // Held between MinWidth and MaxWidth (0: no limit; MaxWidth wins).
    void SetWidth(int width);
    int MinWidth() const { return minWidth_; }
    void SetMinWidth(int value);
    int MaxWidth() const { return maxWidth_; }
    void SetMaxWidth(int value);
    // `width` held to this column's limits.
    int ClampWidth(int width) const;
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    // An image of the list's SmallImages for the header section (-1: none);
    // kept for header painting done by a subclass.
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value);
    int Index() const { return index_; }

private:
    friend class TCustomListView;
    friend class TListColumns;
    TCustomListView& owner_;
    int index_;
    std::string caption_;
    int width_ = 50;
    int minWidth_ = 0, maxWidth_ = 0;
    TAlignment alignment_ = taLeftJustify;
    int imageIndex_ = -1;
};

class TListColumns {
public:
    explicit TListColumns(TCustomListView& owner) : owner_(owner) {}
    int Count() const { return int(columns_.size()); }
    TListColumn* Items(int index) const;
    TListColumn* operator[](int index) const { return Items(index); }
    TListColumn* Add();
    void Delete(int index);
    void Clear();
    // Nested; the header is rebuilt and the rows laid out at the last EndUpdate.
    void BeginUpdate();
    void EndUpdate();
    bool Updating() const { return updateCount_ > 0; }

private:
    friend class TCustomListView;
    TCustomListView& owner_;
    std::vector<std::unique_ptr<TListColumn>> columns_;
    int updateCount_ = 0;
};

enum TViewStyle : std::uint8_t { vsIcon, vsSmallIcon, vsList, vsReport };

// The window style's view bits (LVS_REPORT is in CommonControls.h).
constexpr DWORD LVS_ICON = 0x0, LVS_SMALLICON = 0x2, LVS_LIST = 0x3, LVS_TYPEMASK = 0x3;

struct TIconOptions {
    // Icon views arrange their cells again whenever the client size changes.
    bool AutoArrange = false;
};
enum TItemChange : std::uint8_t { ctText, ctImage, ctState };
using TLVChangeEvent = std::function<void(TObject* sender, TListItem* item, TItemChange change)>;
using TLVChangingEvent = std::function<void(TObject* sender, TListItem* item, TItemChange change, bool& allowChange)>;
using TLVSelectItemEvent = std::function<void(TObject* sender, TListItem* item, bool selected)>;
using TLVColumnClickEvent = std::function<void(TObject* sender, TListColumn* column)>;
using TLVEditingEvent = std::function<void(TObject* sender, TListItem* item, bool& allowEdit)>;
using TLVEditedEvent = std::function<void(TObject* sender, TListItem* item, std::string& text)>;
using TLVOwnerDataEvent = std::function<void(TObject* sender, TListItem* item)>;
// What an owner-data row is asked for.
enum TItemRequest : std::uint8_t { irText, irImage, irParam, irState, irIndent };
using TItemRequests = TSet<TItemRequest>;
// What an owner-data search looks for, and which way.
enum TItemFind : std::uint8_t { ifData, ifPartialString, ifExactString, ifNearest };
enum TSearchDirection : std::uint8_t { sdLeft, sdRight, sdAbove, sdBelow, sdAll };
// `index` comes in as -1; the handler sets the row found.
using TLVOwnerDataFindEvent =
    std::function<void(TObject* sender, TItemFind find, const std::string& findString, TPoint findPosition,
                       void* findData, int startIndex, TSearchDirection direction, bool wrap, int& index)>;

class TCustomListView : public TWinControl, public IScrollStateOwner {
public:
    explicit TCustomListView(TComponent* owner);
    ~TCustomListView() override;

    TListItems* Items() { return items_.get(); }
    TListColumns* Columns() { return columns_.get(); }
    // A canvas over the control's window in the control's font (for measuring outside a paint).
    TCanvas* Canvas();
    TViewStyle ViewStyle() const { return viewStyle_; }
    // Keeps items, selection and focus; scrolls back to the start.
    virtual void SetViewStyle(TViewStyle value);
    bool ShowColumnHeaders() const { return showColumnHeaders_; }
    void SetShowColumnHeaders(bool value);
    TIconOptions IconOptions;
    // Header sections act as buttons that report LVN_COLUMNCLICK.
    bool ColumnClick() const { return columnClick_; }
    void SetColumnClick(bool value);
    bool RowSelect() const { return (extendedStyle_ & LVS_EX_FULLROWSELECT) != 0; }
    void SetRowSelect(bool value);
    bool GridLines() const { return (extendedStyle_ & LVS_EX_GRIDLINES) != 0; }
    void SetGridLines(bool value);
    bool MultiSelect() const { return multiSelect_; }
    void SetMultiSelect(bool value) { multiSelect_ = value; }
    bool HideSelection = true;
    TCustomImageList* SmallImages() const { return smallImages_; }
    void SetSmallImages(TCustomImageList* images);
    // The icon view's images.
    TCustomImageList* LargeImages() const { return largeImages_; }
    void SetLargeImages(TCustomImageList* images);
    TListItem* Selected() const;
    void SetSelected(TListItem* item);
    // The selected row (-1: none). Writing selects and focuses that row alone
    // and scrolls it into view (-1: unselects all), through the item states,
    // so the unselect and select notifications come; other values raise EListError.
    int ItemIndex() const;
    void SetItemIndex(int index);
    TListItem* ItemFocused() const;
    int SelCount() const;
    TListItem* TopItem() const;
    int VisibleRowCount();
    int RowHeight();
    TListItem* GetItemAt(int x, int y);
    HWND HeaderHandle() const { return header_; }

    TLVChangeEvent OnChange;
    // Before an item's state changes (LVN_ITEMCHANGING); clearing allowChange refuses it.
    TLVChangingEvent OnChanging;
    TLVSelectItemEvent OnSelectItem;
    TLVColumnClickEvent OnColumnClick;
    TLVEditingEvent OnEditing;
    TLVEditedEvent OnEdited;
    // Owner-data mode: Items()->SetCount(n) rows whose contents OnData gives.
    bool OwnerData() const { return items_->OwnerData(); }
    void SetOwnerData(bool value) { items_->SetOwnerData(value); }
    TLVOwnerDataEvent OnData;
    // Fills an owner-data row; the default runs OnData. True when filled.
    virtual bool OwnerDataFetch(TListItem* item, TItemRequests request);
    // Finds an owner-data row without fetching rows (type-ahead asks it for a
    // partial string from the row after the focused one, wrapping); the
    // default runs OnDataFind. The row found, or -1.
    virtual int OwnerDataFind(TItemFind find, const std::string& findString, TPoint findPosition, void* findData,
                              int startIndex, TSearchDirection direction, bool wrap);
    TLVOwnerDataFindEvent OnDataFind;
    bool ReadOnly = false;
    // The in-place caption editor while a label is edited, else null.
    TCustomEdit* EditControl() const { return editor_; }
    // Ends label editing: Enter and losing the focus keep the text, Escape drops it.
    void EndLabelEdit(bool keep);

    TScrollState* ScrollStateOf(int bar) override;
    void ScrollStateChanged(int bar) override;
    void DefaultHandler(TMessage& message) override;
    void Invalidate() override;

    // Items, columns and the header report here.
    void ItemsChanged();
    void ColumnChanged(TListColumn& column);
    void ColumnAdded(TListColumn& column);
    void ColumnDeleted(int index);
    // The last Columns()->EndUpdate.
    void ColumnsUpdated();
    // Sets the item's LVIS_* bits in `mask`; reports the change unless refused.
    bool SetItemState(int index, UINT mask, UINT state);
    UINT ItemState(int index, UINT mask) const;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void PaintWindow(HDC dc) override;
    void BoundsChanged() override;
    // The end of label editing (text null when cancelled): OnEdited, then the caption.
    virtual void Edit(TListItem* item, const char* text);
    // A click on a column's header section; the default runs OnColumnClick.
    virtual void ColClick(TListColumn* column);

private:
    friend class TListViewInput;
    friend class TListItems;
    void BeginUpdate();
    void EndUpdate();
    // Index-based, so owner-data rows are not fetched.
    int FocusedIndex() const;
    int FirstIndexWith(UINT state) const;
    void BeginLabelEdit(int index);
    bool HandleListViewMessage(TMessage& message);
    void HeaderNotified(NMHDR& header);
    void RebuildHeader();
    // Notifications about an item (-1: none), with the pointer's place for clicks.
    LRESULT SendNotify(int code, int item, TPoint at = {});
    LRESULT SendStateNotify(int code, int item, UINT oldState, UINT newState);
    void SendColumnClick(int column);
    int HeaderHeight();
    bool HeaderShown() const { return viewStyle_ == vsReport && showColumnHeaders_; }
    int CountPerPage();
    int TotalColumnWidth() const;
    void UpdateScrollState();
    void LayoutHeader();
    void SetTop(int row);
    void SetScrollX(int x);
    void EnsureVisible(int index, bool partialOK = false);
    // Single selection: select and focus `index` only.
    void SelectOnly(int index);
    int HitTest(TPoint p, bool wholeRow);
    // Outside report mode (ListViewStyle.cpp).
    bool InCells() const { return viewStyle_ != vsReport; }
    DWORD WindowStyleBits() const;
    void StyleChanged();
    const TListViewLayout& Layout();
    TSize CellSize();
    int CaptionColumnWidth();
    TPoint ScrollOffset() const;
    // LVIR_BOUNDS, LVIR_ICON or LVIR_LABEL of an item, in client coordinates.
    TRect ItemPartRect(int index, int part);
    int CellHitTest(TPoint p, UINT* flags = nullptr);
    void UpdateCellScrollState();
    void EnsureCellVisible(int index);
    void SetCellScroll(int x, int y);
    // Scrolling by messages, per style (ListViewScroll.cpp).
    void ScrollByMessage(bool vertical, WPARAM w);
    void ScrollByPixels(int dx, int dy);
    void ScrollByWheel(int notches);
    // The item a navigation key moves the focus to from `current` (unclamped); none for other keys.
    std::optional<int> KeyTarget(WORD key, int current);
    // Painting (ListViewPaint.cpp).
    struct TItemLook {
        bool Focused = false;   // the list view has the focus
        bool Highlight = false; // the item's selection is shown
        COLORREF Back = 0;      // behind a shown selection
        COLORREF Text = 0;      // of the caption
    };
    TItemLook LookOf(const TListItem& item);
    static void FillHighlight(HDC dc, const TRect& r, COLORREF color);
    void DrawItemImage(HDC dc, TCustomImageList& images, TPoint at, int index);
    void PaintRow(HDC dc, int index);
    // Outside report mode (ListViewStylePaint.cpp).
    void PaintCells(HDC dc);
    void PaintCell(HDC dc, int index);
    TRect RowRect(int index);
    TRect CellRect(int index, int column);

    std::unique_ptr<TListItems> items_;
    std::unique_ptr<TListColumns> columns_;
    std::unique_ptr<class TListViewInput> input_;
    std::unique_ptr<TControlCanvas> canvas_;
    TComponentRef<TCustomImageList> smallImages_{*this};
    TComponentRef<TCustomImageList> largeImages_{*this};
    TViewStyle viewStyle_ = vsReport;
    bool showColumnHeaders_ = true;
    bool columnClick_ = true;
    // Cell geometry is worked out when first needed after a change, so adding
    // many items measures their captions once.
    TListViewLayout layout_;
    bool layoutDirty_ = true;
    bool rearrange_ = true;
    int captionWidth_ = -1; // the widest caption; -1: to be measured
    int scrollY_ = 0;       // icon views: pixels
    int firstColumn_ = 0;   // list view: the first column in view
    HWND header_ = nullptr;
    TCustomEdit* editor_ = nullptr;
    int editing_ = -1;
    DWORD extendedStyle_ = 0;
    bool multiSelect_ = false;
    int updateCount_ = 0; // Items()->BeginUpdate nesting
    int top_ = 0;
    int scrollX_ = 0; // report and icon views: pixels
    TScrollState vertical_, horizontal_;
};

class TListView : public TCustomListView {
public:
    explicit TListView(TComponent* owner) : TCustomListView(owner) {}
};

} // namespace tovrel
