#include "FramePartsBand.h"

#include "platform/vcl/Bitmap.h"
#include "platform/vcl/ImageList.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinPanel.h"
#include "skin/controls/SkinStdLabel.h"
#include "skin/forms/SkinForm.h"
#include "skin/hints/SkinHint.h"

#include <string>

namespace tovrel::skingallery {

namespace {

constexpr int kLeft = 10, kWidth = 290, kHeight = 100, kGlyph = 16;

template <class T> T* PlaceIn(TWinControl& parent, TRect bounds)
{
    auto* control = new T(&parent);
    control->SetParent(&parent);
    control->SetBoundsRect(bounds);
    return control;
}

void AddLabel(TWinControl& parent, TskSkinData* skin, const std::string& caption)
{
    auto* label = PlaceIn<TskSkinStdLabel>(parent, Bounds(12, 36, 200, 16));
    label->SetCaption(caption);
    label->SetSkinData(skin);
}

// Two glyphs for the caption's quick buttons and the panel's caption: a dot and a bar.
TImageList* QuickGlyphs(TForm& form)
{
    auto* images = new TImageList(&form);
    images->SetSize(kGlyph, kGlyph);
    for (bool dot : {true, false}) {
        TBitmap glyph(kGlyph, kGlyph);
        TCanvas& c = *glyph.Canvas();
        c.Brush()->SetColor(clFuchsia);
        c.FillRect(Rect(0, 0, kGlyph, kGlyph));
        c.Brush()->SetColor(dot ? clGreen : clNavy);
        if (dot)
            c.Ellipse(3, 3, kGlyph - 3, kGlyph - 3);
        else
            c.FillRect(Rect(2, 6, kGlyph - 2, kGlyph - 6));
        images->AddMasked(&glyph, clFuchsia);
    }
    return images;
}

// Quick buttons in the caption; they and the caption buttons show their hints.
void AddQuickButtons(TForm& form, TImageList* glyphs, TskSkinHint* hint)
{
    TskSkinForm* frame = GetSkinForm(&form);
    if (!frame)
        return;
    frame->SetSkinHint(hint);
    frame->ShowObjectHint = true;
    frame->QuickButtonsShowHint = true;
    frame->SetQuickImageList(glyphs);
    for (int i = 0; i < 2; ++i) {
        TskQuickButtonItem* item = frame->QuickButtons()->Add();
        item->SetImageIndex(i);
        item->Hint = i == 0 ? "Record" : "Stop";
    }
}

} // namespace

int AddFrameParts(TForm& form, TskSkinData* skin, int top)
{
    auto* hint = new TskSkinHint(&form);
    hint->SetSkinData(skin);

    TImageList* glyphs = QuickGlyphs(form);
    auto* panel = PlaceIn<TskSkinPanel>(form, Bounds(kLeft, top, kWidth, kHeight));
    panel->SetCaption("Panel");
    panel->SetCaptionImageList(glyphs);
    panel->SetCaptionImageIndex(0);
    panel->SetCaptionMode(true);
    panel->SetRollUpMode(true);
    // The skin's panel entry has no caption band; its group box entry has.
    panel->SetSkinDataName("groupbox");
    panel->SetSkinData(skin);
    AddLabel(*panel, skin, "A click on the caption rolls it up");

    auto* group = PlaceIn<TskSkinGroupBox>(form, Bounds(kLeft + kWidth + 20, top, kWidth, kHeight));
    group->SetCaption("Group box");
    group->SetSkinData(skin);
    auto* button = PlaceIn<TskSkinButton>(*group, Bounds(12, 36, 120, 25));
    button->SetCaption("Hinted");
    button->Hint = "A skinned hint@over two lines";
    button->SetShowHint(true);
    button->SetSkinData(skin);

    AddQuickButtons(form, glyphs, hint);
    return kHeight;
}

} // namespace tovrel::skingallery
