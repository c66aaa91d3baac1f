#include "ListViewBand.h"

#include "skin/controls/SkinListView.h"
#include "skin/controls/SkinScrollBar.h"

#include <string>

namespace tovrel::skingallery {

namespace {

constexpr int kLeft = 10, kListWidth = 380, kListHeight = 150, kBar = 19;

void AddStandaloneBars(TForm& form, TskSkinData* skin, int top)
{
    const int left = kLeft + kListWidth + kBar + 15;
    auto* plain = AddScrollBar(form, skin, Bounds(left, top, 170, kBar), false);
    plain->SetRange(0, 100, 0, 30);
    auto* paged = AddScrollBar(form, skin, Bounds(left, top + 30, 170, kBar), false);
    paged->SetRange(0, 99, 40, 60);
    auto* disabled = AddScrollBar(form, skin, Bounds(left, top + 60, 170, kBar), false);
    disabled->SetEnabled(false);
    for (int i = 0; i < 3; ++i) {
        auto* bar = AddScrollBar(form, skin, Bounds(left + i * 30, top + 90, kBar, 80), true);
        bar->SetRange(0, 99, i * 30, 50);
    }
}

} // namespace

TskSkinScrollBar* AddScrollBar(TForm& form, TskSkinData* skin, TRect bounds, bool vertical)
{
    auto* bar = new TskSkinScrollBar(&form);
    bar->SetParent(&form);
    if (vertical) {
        bar->SetKind(sbVertical);
        bar->SetSkinDataName("vscrollbar");
    }
    bar->SetBoundsRect(bounds);
    bar->SetSkinData(skin);
    return bar;
}

int AddListView(TForm& form, TskSkinData* skin, int top)
{
    auto* list = new TskSkinListView(&form);
    list->SetParent(&form);
    list->SetBounds(kLeft, top, kListWidth, kListHeight);
    list->SetViewStyle(vsReport);
    list->SetRowSelect(true);
    list->SetGridLines(true);
    const struct {
        const char* Caption;
        int Width;
        TAlignment Alignment;
    } columns[] = {{"File name", 150, taLeftJustify}, {"Size", 70, taRightJustify},
                   {"Progress", 70, taCenter},        {"A caption too long for it", 60, taLeftJustify},
                   {"Hidden", 0, taLeftJustify},      {"Output folder", 120, taLeftJustify}};
    for (const auto& c : columns) {
        TListColumn* column = list->Columns()->Add();
        column->SetCaption(c.Caption);
        column->SetWidth(c.Width);
        column->SetAlignment(c.Alignment);
    }
    for (int i = 1; i <= 40; ++i) {
        TListItem* item = list->Items()->Add();
        item->SetCaption("clip" + std::to_string(i) + ".avi");
        item->SubItems()->Add(std::to_string(i * 37 % 900 + 10) + " MB");
        item->SubItems()->Add(std::to_string(i * 13 % 101) + "%");
    }
    list->SetItemIndex(2);
    list->SetVScrollBar(AddScrollBar(form, skin, Bounds(kLeft + kListWidth, top, kBar, kListHeight), true));
    list->SetHScrollBar(AddScrollBar(form, skin, Bounds(kLeft, top + kListHeight, kListWidth + kBar, kBar), false));
    list->SetSkinData(skin);
    AddStandaloneBars(form, skin, top);
    return kListHeight + kBar;
}

} // namespace tovrel::skingallery
