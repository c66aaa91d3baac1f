#include "TrayBand.h"

#include "platform/vcl/Bitmap.h"
#include "platform/vcl/Canvas.h"
#include "platform/vcl/ImageList.h"
#include "platform/vcl/Menus.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinStdLabel.h"
#include "skin/data/SkinFrameEntries.h"
#include "skin/forms/AnimateObject.h"
#include "skin/forms/SkinForm.h"
#include "skin/forms/TrayIcon.h"

#include <cmath>
#include <numbers>

namespace tovrel::skingallery {

namespace {

constexpr int kLeft = 10, kFrames = 8, kGlyph = 16;

// A dot going round a ring, one frame per step, on the caption's own colour.
std::unique_ptr<TBitmap> SpinnerStrip(TColor background)
{
    auto strip = std::make_unique<TBitmap>(kGlyph * kFrames, kGlyph);
    TCanvas& c = *strip->Canvas();
    c.Brush()->SetColor(background);
    c.FillRect(Rect(0, 0, kGlyph * kFrames, kGlyph));
    for (int n = 0; n < kFrames; ++n) {
        const double a = 2 * std::numbers::pi * n / kFrames;
        const int x = kGlyph * n + kGlyph / 2 + int(std::lround(5 * std::cos(a)));
        const int y = kGlyph / 2 + int(std::lround(5 * std::sin(a)));
        c.Brush()->SetColor(clSilver);
        c.Ellipse(kGlyph * n + 2, 2, kGlyph * (n + 1) - 2, kGlyph - 2);
        c.Brush()->SetColor(background);
        c.Ellipse(kGlyph * n + 4, 4, kGlyph * (n + 1) - 4, kGlyph - 4);
        c.Brush()->SetColor(clNavy);
        c.Ellipse(x - 2, y - 2, x + 3, y + 3);
    }
    return strip;
}

// An animated caption button (no command) placed beside the standard ones;
// the frame is built again with it.
void AddAnimatedCaptionButton(TForm& form, TskSkinData* skin)
{
    TskSkinForm* frame = GetSkinForm(&form);
    if (!frame || !skin || skin->Empty || !skin->FPicture)
        return;
    const TskFormInfo& info = skin->FormInfo;
    const TColor caption = skin->FPicture->Canvas()->Pixels(skin->FPicture->Width() / 2, info.ClRect.Top / 2);
    skin->FActivePictures.push_back(SpinnerStrip(caption));
    auto entry = std::make_unique<TskDataSkinAnimate>("galleryspinner");
    entry->ActivePictureIndex = int(skin->FActivePictures.size()) - 1;
    entry->SkinRectInAPicture = true;
    entry->SkinRect = entry->ActiveSkinRect = Rect(0, 0, kGlyph, kGlyph);
    entry->CountFrames = kFrames;
    entry->Cycle = true;
    entry->ButtonStyle = true;
    entry->TimerInterval = 75;
    entry->Command = TskStdCommand::cmDefault;
    entry->Hint = "Animated button";
    skin->ObjectList.push_back(std::move(entry));
    frame->OnActivateCustomObject = [](const std::string& name, bool& visible) {
        visible = visible || name == "galleryspinner";
    };
    frame->SetSkinData(skin);
}

// Three coloured squares for the tray icon's animation.
TImageList* TrayIcons(TForm& form)
{
    auto* images = new TImageList(&form);
    images->SetSize(kGlyph, kGlyph);
    for (TColor colour : {clTeal, clOlive, clPurple}) {
        TBitmap glyph(kGlyph, kGlyph);
        glyph.Canvas()->Brush()->SetColor(colour);
        glyph.Canvas()->FillRect(Rect(1, 1, kGlyph - 1, kGlyph - 1));
        images->Add(&glyph, nullptr);
    }
    return images;
}

TskSkinPopupMenu* TrayMenu(TForm& form, TskTrayIcon* icon)
{
    auto* menu = new TskSkinPopupMenu(&form);
    const auto add = [menu](const char* caption, std::function<void()> action) {
        auto* item = new TMenuItem(menu);
        item->SetCaption(caption);
        item->OnClick = [action = std::move(action)](TObject*) { action(); };
        menu->Items()->Add(item);
        return item;
    };
    add("Show a note", [icon] {
        icon->ShowBalloonHint("Tovrel", "A note from the tray icon", TskBalloonHintIconType::skbitInfo);
    })->SetDefault(true);
    add("Remove the icon", [icon] { icon->SetIconVisible(false); });
    return menu;
}

} // namespace

int AddTrayAndAnimation(TForm& form, TskSkinData* skin, int top)
{
    AddAnimatedCaptionButton(form, skin);

    auto* icon = new TskTrayIcon(&form);
    // Minimizing the gallery (the desktop tests do) keeps it on the desktop.
    icon->MinimizeToTray = false;
    icon->SetHint("Tovrel gallery");
    icon->SetIconList(TrayIcons(form));
    icon->SetAnimateTimerInterval(400);
    icon->SetPopupMenu(TrayMenu(form, icon));

    auto* button = new TskSkinButton(&form);
    button->SetParent(&form);
    button->SetBounds(kLeft, top, 140, 25);
    button->SetCaption("Tray icon");
    button->SetSkinData(skin);
    auto* state = new TskSkinStdLabel(&form);
    state->SetParent(&form);
    state->SetBounds(kLeft + 150, top + 4, 300, 18);
    state->SetSkinData(skin);
    state->SetCaption("Not in the tray");
    button->OnClick = [icon, state](TObject*) {
        if (icon->IconVisible()) {
            icon->SetCycleIcons(false);
            icon->SetIconVisible(false);
            state->SetCaption("Not in the tray");
            return;
        }
        const bool shown = icon->AddNotifyIcon();
        icon->SetCycleIcons(shown);
        state->SetCaption(shown ? "In the tray (right click: menu)" : "No tray on this desktop");
    };
    return 25;
}

} // namespace tovrel::skingallery
