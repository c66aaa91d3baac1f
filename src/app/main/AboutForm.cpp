#include "app/main/AboutForm.h"

#include "app/main/StoredPicture.h"
#include "app/options/PlacedControl.h"
#include "app/options/SkinnedDialog.h"
#include "platform/ctrls/Image.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinLinkLabel.h"
#include "skin/controls/SkinStdLabel.h"
#include "skin/forms/SkinForm.h"

namespace tovrel {

namespace {

constexpr int kClientWidth = 360, kClientHeight = 200;

void AddLabel(TComponent* owner, TWinControl& parent, TskSkinData* skin, const char* caption, TRect bounds)
{
    auto* label = Placed<TskSkinStdLabel>(owner, parent, bounds);
    label->SetCaption(caption);
    label->SetSkinData(skin);
}

TskSkinLinkLabel* AddLink(TComponent* owner, TWinControl& parent, TskSkinData* skin, const char* caption,
                          const char* address, TRect bounds)
{
    auto* link = Placed<TskSkinLinkLabel>(owner, parent, bounds);
    link->SetCaption(caption);
    link->URL = address;
    link->SetSkinData(skin);
    return link;
}

} // namespace

TForm2::TForm2(TComponent* owner, TskSkinData* skin) : TForm(owner)
{
    frame_ = BeginSkinnedDialog(*this, "Form2", "关于软件", kClientWidth, kClientHeight, skin);

    Image1 = Placed<TImage>(this, *this, Rect(16, 16, 80, 80));
    Image1->SetName("Image1");
    Image1->SetCenter(true);
    ShowStoredIcon(*Image1, "categories48", 0);
    AddLabel(this, *this, skin, "TovrelMP4格式转换器", Rect(96, 20, 344, 40));
    AddLabel(this, *this, skin, "版本:13.0.5.0", Rect(96, 46, 344, 64));
    AddLabel(this, *this, skin, "官方网站：", Rect(16, 100, 104, 118));
    siteLink_ = AddLink(this, *this, skin, "tovrel.example.org", HomePageAddress, Rect(104, 100, 344, 118));
    AddLabel(this, *this, skin, "支持E-Mail：", Rect(16, 124, 104, 142));
    mailLink_ = AddLink(this, *this, skin, "support@tovrel.example.org", SupportMailAddress, Rect(104, 124, 344, 142));

    skSkinButton1 = Placed<TskSkinButton>(this, *this, Rect(140, 160, 220, 186));
    skSkinButton1->SetName("skSkinButton1");
    skSkinButton1->SetCaption("确定");
    skSkinButton1->SetDefault(true);
    skSkinButton1->SetSkinData(skin);
    skSkinButton1->OnClick = [this](TObject*) { SetModalResult(mrOk); };
    EndLoading();
}

} // namespace tovrel
