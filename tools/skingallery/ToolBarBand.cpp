#include "ToolBarBand.h"

#include "SkinGalleryReport.h"

#include "platform/ctrls/Edit.h"
#include "platform/rtl/MainThread.h"
#include "platform/vcl/ImageList.h"
#include "skin/controls/SkinMenuSpeedButton.h"
#include "skin/controls/SkinToolBar.h"
#include "skin/menus/SkinMenu.h"
#include "skin/menus/SkinMenuHost.h"
#include "skin/menus/SkinMenuItem.h"
#include "skin/menus/SkinPopupWindow.h"

#include <string>

namespace tovrel::skingallery {

namespace {

constexpr int kLeft = 10, kBarHeight = 34, kGap = 10, kIconSize = 16;

// Sixteen-pixel icons: a frame with a bar across at a different height each.
TImageList* BarIcons(TForm& form, int count)
{
    auto* icons = new TImageList(&form);
    icons->SetSize(kIconSize, kIconSize);
    for (int i = 0; i < count; ++i) {
        TBitmap icon(kIconSize, kIconSize);
        TCanvas& c = *icon.Canvas();
        c.Brush()->SetColor(clWhite);
        c.FillRect(Rect(0, 0, kIconSize, kIconSize));
        c.Brush()->SetColor(i % 2 ? clNavy : clMaroon);
        c.FrameRect(Rect(1, 1, kIconSize - 1, kIconSize - 1));
        c.FillRect(Rect(3, 3 + i % 10, kIconSize - 3, 5 + i % 10));
        icons->Add(&icon, nullptr);
    }
    return icons;
}

TskSkinToolBar* AddBar(TForm& form, TskSkinData* skin, TRect bounds, TCustomImageList* icons)
{
    // As the main window's: resizable pieces for the bar and its buttons.
    auto* bar = new TskSkinToolBar(&form);
    bar->SetSkinDataName("resizetoolpanel");
    bar->SetParent(&form);
    bar->SetBoundsRect(bounds);
    bar->SetImages(icons);
    bar->SetSkinData(skin);
    return bar;
}

TskSkinSpeedButton* AddSpeedButton(TskSkinToolBar& bar, TskSkinData* skin, int left, int image,
                                   const std::string& caption)
{
    auto* button = new TskSkinSpeedButton(&bar);
    button->SetSkinDataName("resizetoolbutton");
    button->SetParent(&bar);
    button->SetBounds(left, 0, 27, 25);
    button->SetImageIndex(image);
    button->SetCaption(caption);
    button->SetShowCaption(false);
    button->Hint = caption;
    button->SetSkinData(skin);
    return button;
}

// Screen point "X,Y" of the middle of a rectangle.
std::string Middle(TRect r)
{
    return std::to_string((r.Left + r.Right) / 2) + ',' + std::to_string((r.Top + r.Bottom) / 2);
}

// Where the open menu's rows are on the screen, for a script to pick one.
void NoteMenuRows(TForm& form)
{
    TskSkinMenuHost* host = FindSkinMenuHost(&form);
    TskSkinMenu* engine = host ? host->SkinMenu() : nullptr;
    if (engine == nullptr || engine->LevelCount() == 0)
        return;
    TskSkinPopupWindow& level = *engine->Level(0);
    for (const auto& row : level.ItemList) {
        const TRect r = row->ObjectRect;
        NoteGalleryState(
            form, "toolbar.item." + StripHotkey(row->MenuItem->Caption()) + ".at",
            Middle(Rect(level.Left() + r.Left, level.Top() + r.Top, level.Left() + r.Right, level.Top() + r.Bottom)));
    }
    NoteGalleryState(form, "toolbar.menu", "open");
}

void AddDropDown(TForm& form, TskSkinToolBar& bar, TskSkinData* skin, int left)
{
    auto* menu = new TskSkinPopupMenu(&form);
    auto* button = new TskSkinMenuSpeedButton(&bar);
    button->SetSkinDataName("resizetoolbutton");
    button->SetParent(&bar);
    button->SetBounds(left, 0, 60, 25);
    button->SetCaption("Add");
    button->SetImageIndex(3);
    button->SetSkinPopupMenu(menu);
    button->SetSkinData(skin);
    for (const char* caption : {"&Files", "F&older", "&Disc"}) {
        auto* item = new TMenuItem(menu);
        item->SetCaption(caption);
        item->OnClick = [&form, caption](TObject*) { NoteGalleryState(form, "toolbar.command", StripHotkey(caption)); };
        menu->Items()->Add(item);
    }
    const TPoint middle = button->ClientToScreen(Point(button->Width() / 2, button->Height() / 2));
    NoteGalleryState(form, "toolbar.add.at",
                     std::to_string(middle.X - form.Left()) + ',' + std::to_string(middle.Y - form.Top()));
    NoteGalleryState(form, "toolbar.menu", "closed");
    // The rows exist once the drop has run.
    button->OnShowTrackMenu = [&form](TObject*) { TMainThread::Post([&form] { NoteMenuRows(form); }); };
    button->OnHideTrackMenu = [&form, button](TObject*) {
        NoteGalleryState(form, "toolbar.add.down", button->Down() ? "1" : "0");
        NoteGalleryState(form, "toolbar.menu", "closed");
    };
}

} // namespace

int AddToolBars(TForm& form, TskSkinData* skin, int top)
{
    TImageList* icons = BarIcons(form, 10);
    TskSkinToolBar* bar = AddBar(form, skin, Bounds(kLeft, top, 600, kBarHeight), icons);
    const char* aligns[] = {"Left", "Centre", "Right"};
    for (int i = 0; i < 3; ++i)
        AddSpeedButton(*bar, skin, 4 + i * 27, i, aligns[i])->SetGroupIndex(1);
    dynamic_cast<TskSkinSpeedButton*>(bar->Controls(1))->SetDown(true);
    TskSkinSpeedButton* bold = AddSpeedButton(*bar, skin, 100, 4, "Bold");
    bold->SetGroupIndex(2);
    bold->AllowAllUp = true;
    AddDropDown(form, *bar, skin, 140);
    auto* edit = new TEdit(&form);
    edit->SetParent(bar);
    edit->SetBounds(220, 0, 120, 20);
    edit->SetText("centred");
    bar->CenterControls();

    TskSkinToolBar* narrow = AddBar(form, skin, Bounds(kLeft, top + kBarHeight + kGap, 220, kBarHeight), icons);
    narrow->HotScroll = true;
    narrow->SetScrollOffset(27);
    for (int i = 0; i < 10; ++i)
        AddSpeedButton(*narrow, skin, i * 27, i, "Button " + std::to_string(i + 1));
    narrow->SetCanScroll(true);
    return 2 * kBarHeight + kGap;
}

} // namespace tovrel::skingallery
