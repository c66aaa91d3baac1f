#pragma once
// The list box inside every skinned list box: the platform list box keeps the
// items, the selection, the keys and the scroll state, but has no frame and
// no native bars, and draws its rows and background itself from its owner's
// skin entry (or in the default look). Its input goes to its owner's hooks
// first; after every message whose work moved the scroll state the owner
// brings its skinned bars up to date.
#include "platform/ctrls/ListBox.h"
#include "skin/data/SkinDataMessages.h"

namespace tovrel {

class TskSkinCustomListBox;

// Answered with the background painted into the DC in WParam, when LParam
// carries the key and the list is empty.
constexpr unsigned SkinPaintBackgroundToMessage = 48202;

class TskListBox : public TCustomListBox {
public:
    explicit TskListBox(TComponent* AOwner);

    TskSkinCustomListBox* SkinListBox = nullptr;
    // Items are drawn this many pixels further left (the horizontal bar's position).
    int HorizontalExtentValue() const { return FHorizontalExtentValue; }
    void SetHorizontalExtentValue(int Value);
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

    // The three item looks: no skin entry, skinned at the list's row height,
    // skinned at the entry's item height.
    void DrawDefaultItem(TCanvas& Cnvs, int Index, TOwnerDrawState State, TRect R);
    void DrawStretchSkinItem(TCanvas& Cnvs, int Index, TOwnerDrawState State, TRect R);
    void DrawSkinItem(TCanvas& Cnvs, int Index, TOwnerDrawState State, TRect R);
    // The row state this control paints with: the caret row selected (and
    // focused with the focus), others by their selection in a multi-select list.
    TOwnerDrawState GetItemState(int Index);
    void PaintListBackground(HDC DC);

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void WndProc(TMessage& message) override;
    void PaintWindow(HDC dc) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyUp(WORD& Key, TShiftState Shift) override;
    void KeyPress(char16_t& Key) override;
    void Click() override;

private:
    void DrawByOwnerState(TCanvas& Cnvs, int Index, TOwnerDrawState State, TRect R);
    // Image and text of a row into T.
    void DrawItemContent(TCanvas& Cnvs, int Index, TRect T);
    void SetupItemFont(TCanvas& Cnvs);
    void PaintSkinBackground(TCanvas& Cnvs, int W, int H, int X, int Y);
    void RouteWheel(const TMessage& message);

    int FHorizontalExtentValue = 0;
};

// Draws Text with the tab stops of TabWidths (at most 10; a line of digits
// is its value, anything else 0) at R.Left + Indent + 2, centred vertically.
void DrawTabbedString(TCanvas& Cnvs, std::string_view Text, const TStrings& TabWidths, int Indent, const TRect& R);
// A tab-stop line's value: the number when every character is a digit
// (saturated at the largest int), else 0.
int TabStopValue(std::string_view Line);

} // namespace tovrel
