#include "PopupMenuBand.h"

#include "platform/ctrls/Edit.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/ImageList.h"
#include "platform/vcl/Menus.h"
#include "skin/controls/SkinButton.h"
#include "skin/menus/SkinMenu.h"

#include <string>

namespace tovrel::skingallery {

namespace {

constexpr int kLeft = 10, kWidth = 120, kHeight = 25, kImageSize = 16;

// A plain square of one colour per item, so every row shows an image.
TImageList* ColourImages(TForm& form)
{
    auto* images = new TImageList(&form);
    images->SetSize(kImageSize, kImageSize);
    const TColor colours[] = {clRed, clGreen, clBlue, clYellow, clFuchsia, clTeal, clMaroon, clNavy, clOlive};
    for (TColor colour : colours) {
        TBitmap square(kImageSize, kImageSize);
        square.Canvas()->Brush()->SetColor(colour);
        square.Canvas()->FillRect(Rect(0, 0, kImageSize, kImageSize));
        images->Add(&square, nullptr);
    }
    return images;
}

} // namespace

int AddPopupMenuButton(TForm& form, TskSkinData* skin, int top)
{
    auto* button = new TskSkinButton(&form);
    button->SetParent(&form);
    button->SetBounds(kLeft, top, kWidth, kHeight);
    button->SetCaption("Popup menu");
    button->SetSkinData(skin);

    auto* menu = new TPopupMenu(&form);
    menu->SetImages(ColourImages(form));
    int image = 0;
    const auto add = [&](TMenuItem* parent, const std::string& caption) {
        auto* item = new TMenuItem(menu);
        item->SetCaption(caption);
        item->SetImageIndex(image++);
        // The pick shows on the button, where a desktop test reads it back.
        item->OnClick = [button, caption](TObject*) { button->SetCaption("Picked " + StripHotkey(caption)); };
        parent->Add(item);
        return item;
    };
    add(menu->Items(), "&Open")->SetShortCut(ShortCut('O', TShiftState{ssCtrl}));
    TMenuItem* recent = add(menu->Items(), "&Recent");
    recent->OnClick = nullptr;
    add(recent, "&First file");
    add(recent, "&Second file");
    auto* line = new TMenuItem(menu);
    line->SetCaption("-");
    menu->Items()->Add(line);
    for (const char* size : {"S&mall", "M&edium", "&Large"}) {
        TMenuItem* radio = add(menu->Items(), size);
        radio->SetRadioItem(true);
        radio->SetGroupIndex(1);
        radio->AutoCheck = true;
    }
    menu->Items()->Items(menu->Items()->Count() - 2)->SetChecked(true);
    add(menu->Items(), "&Disabled")->SetEnabled(false);

    button->SetPopupMenu(menu); // a right click opens it through the presenter
    auto* engine = new TskSkinMenu(&form, &form);
    InstallSkinPopupPresenter(engine, skin);
    button->OnClick = [button, engine, menu, skin](TObject*) {
        const TPoint topLeft = button->ClientToScreen(Point(0, 0));
        const TRect below = Rect(topLeft.X, topLeft.Y, topLeft.X + button->Width(), topLeft.Y + button->Height());
        engine->Popup(button, skin, 0, below, menu->Items(), false);
    };
    // The form's focused control: typing after a menu closed shows that the
    // menu never took the focus.
    auto* edit = new TEdit(&form);
    edit->SetName("Typed");
    edit->SetParent(&form);
    edit->SetBounds(kLeft + kWidth + 10, top, kWidth, kHeight);
    edit->SetText("");
    form.SetActiveControl(edit);
    return kHeight;
}

} // namespace tovrel::skingallery
