// Painting the list view's items outside report mode: the image, then the
// caption (word-wrapped under a large icon, one line beside a small one),
// ellipsised where it does not fit, with selection and focus as in report mode.
#include "platform/ctrls/ListView.h"

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Drawing.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/Text.h"
#include "platform/gdi/TextUtf8.h"

#include <algorithm>

namespace tovrel {

namespace {

constexpr int kTextPadding = 3;
constexpr UINT kWrapped = DT_CENTER | DT_WORDBREAK | DT_END_ELLIPSIS | DT_NOPREFIX;

// The caption as it fits `maxHeight` when wrapped at `width`: cut short and
// ended with dots when it needs more lines.
std::string WrappedCaption(HDC dc, const std::string& text, int width, int maxHeight)
{
    const auto height = [&](const std::string& caption) {
        RECT r = Rect(0, 0, width, 0);
        DrawText(dc, caption, &r, kWrapped | DT_CALCRECT);
        return r.Height();
    };
    if (height(text) <= maxHeight)
        return text;
    const std::u32string chars = DecodeUtf8(text);
    const auto cut = [&chars](std::size_t length) {
        std::u32string kept = chars.substr(0, length);
        while (!kept.empty() && kept.back() == U' ')
            kept.pop_back();
        return EncodeUtf8(kept) + "...";
    };
    // The longest start that fits with its dots.
    std::size_t low = 0, high = chars.size();
    while (low < high) {
        const std::size_t middle = (low + high + 1) / 2;
        if (height(cut(middle)) <= maxHeight)
            low = middle;
        else
            high = middle - 1;
    }
    return cut(low);
}

} // namespace

void TCustomListView::PaintCells(HDC dc)
{
    const TListViewLayout& layout = Layout();
    const TPoint offset = ScrollOffset();
    const auto [first, last] =
        layout.IndexesIn(Rect(offset.X, offset.Y, offset.X + ClientWidth(), offset.Y + ClientHeight()));
    HGDIOBJ oldFont = SelectObject(dc, Font()->Handle());
    SetBkMode(dc, TRANSPARENT);
    for (int i = first; i <= last; ++i)
        PaintCell(dc, i);
    SelectObject(dc, oldFont);
}

void TCustomListView::PaintCell(HDC dc, int index)
{
    TListItem& item = *items_->Item(index);
    const TItemLook look = LookOf(item);
    TCustomImageList* images = viewStyle_ == vsIcon ? largeImages_ : smallImages_;
    if (images && item.ImageIndex() >= 0) {
        const TRect icon = ItemPartRect(index, LVIR_ICON);
        DrawItemImage(dc, *images, Point(icon.Left, icon.Top), item.ImageIndex());
    }
    const TRect label = ItemPartRect(index, LVIR_LABEL);
    std::string text = item.Caption();
    UINT format;
    TRect back; // the caption's box: highlight and focus
    if (viewStyle_ == vsIcon) {
        format = kWrapped;
        text = WrappedCaption(dc, text, label.Width() - 2 * kTextPadding, label.Height());
        RECT lines = Rect(label.Left + kTextPadding, label.Top, label.Right - kTextPadding, label.Top);
        DrawText(dc, text, &lines, format | DT_CALCRECT);
        const int width = std::min(lines.Width(), label.Width() - 2 * kTextPadding) + 2 * kTextPadding;
        const int left = label.Left + (label.Width() - width) / 2;
        back = Rect(left, label.Top, left + width, label.Top + std::min(lines.Height(), label.Height()));
    } else {
        format = DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX;
        SIZE size{};
        GetTextExtentPoint32(dc, text, &size);
        back =
            Rect(label.Left, label.Top, std::min(label.Right, label.Left + size.cx + 2 * kTextPadding), label.Bottom);
    }
    if (look.Highlight)
        FillHighlight(dc, back, look.Back);
    SetTextColor(dc, look.Text);
    // Wrapped captions break at the label's width; one-line ones end in an ellipsis there.
    RECT textRect = viewStyle_ == vsIcon
                        ? Rect(label.Left + kTextPadding, back.Top, label.Right - kTextPadding, back.Bottom)
                        : Rect(back.Left + kTextPadding, back.Top, back.Right - kTextPadding, back.Bottom);
    DrawText(dc, text, &textRect, format);
    if (look.Focused && item.Focused())
        DrawFocusRect(dc, &back);
}

} // namespace tovrel
