#include "skin/dialogs/SkinMessageForm.h"

#include "platform/ctrls/Image.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/Icon.h"
#include "platform/vcl/ImageList.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinCheckRadioBox.h"
#include "skin/controls/SkinEntryLookup.h"
#include "skin/controls/SkinStdLabel.h"
#include "skin/data/ResourceStrData.h"
#include "skin/data/SkinButtonEntries.h"
#include "skin/forms/SkinForm.h"

#include <algorithm>

namespace tovrel {

namespace {

constexpr int kButtonWidth = 70, kButtonHeight = 25, kButtonGap = 10;
constexpr int kLabelLeft = 50, kLabelTop = 15, kIconLeft = 5, kIconSize = 32;

// Where the icon comes from: a type's stock icon, or an image list's entry.
struct TMessageIcon {
    TMsgDlgType Type = mtCustom;
    TCustomImageList* Images = nullptr;
    int ImageIndex = -1;
    bool FromList = false;
};

int ButtonHeight(const TskMessageFormSettings& S)
{
    const auto* entry = FindSkinEntryAs<TskDataSkinButtonControl>(S.CtrlSkinData, S.ButtonSkinDataName);
    return entry ? entry->SkinRect.Height() : kButtonHeight;
}

int ButtonCount(TMsgDlgButtons Buttons)
{
    int n = 0;
    for (int kind = 0; kind < MsgDlgBtnCount; ++kind)
        n += Buttons.Contains(TMsgDlgBtn(kind)) ? 1 : 0;
    return n;
}

std::string TypeCaption(const TskSkinData* CtrlSkinData, TMsgDlgType DlgType)
{
    if (DlgType == mtCustom)
        return Application->Title;
    const TMsgDlgTypeKind& kind = MsgDlgTypeKinds[DlgType];
    return MessageDialogText(CtrlSkinData, kind.Key, kind.BuiltIn);
}

TskSkinStdLabel* AddMessageLabel(TskMessageForm& form, const std::string& Msg, const TskMessageFormSettings& S)
{
    auto* label = new TskSkinStdLabel(&form);
    if (S.DefaultFont) {
        label->Font()->Assign(S.DefaultFont);
        label->SetDefaultFont(S.DefaultFont);
    }
    label->UseSkinFont = S.UseSkinFont;
    label->SkinDataName = S.MessageLabelSkinDataName;
    label->SetSkinData(S.CtrlSkinData);
    label->SetName("Message");
    label->SetParent(&form);
    label->SetAutoSize(true);
    label->SetCaption(Msg);
    label->SetBounds(kLabelLeft, kLabelTop, label->Width(), label->Height());
    return label;
}

TImage* AddIcon(TskMessageForm& form, const TMessageIcon& icon)
{
    const TskSkinStdLabel& label = *form.Message;
    const int middle = label.Top() + label.Height() / 2 - kIconSize / 2;
    if (icon.FromList) {
        if (!icon.Images || icon.ImageIndex < 0 || icon.ImageIndex >= icon.Images->Count())
            return nullptr;
        auto* image = new TImage(&form);
        image->SetName("Image");
        image->SetParent(&form);
        image->SetTransparent(true);
        TIcon picture;
        icon.Images->GetIcon(icon.ImageIndex, &picture);
        image->Picture()->Assign(&picture);
        image->SetBounds(kIconLeft, middle, icon.Images->Width(), icon.Images->Height());
        return image;
    }
    auto* image = new TImage(&form);
    image->SetName("Image");
    image->SetParent(&form);
    if (const std::uintptr_t id = MsgDlgTypeKinds[icon.Type].IconId) {
        TIcon picture;
        picture.SetHandle(CopyIcon(LoadIcon(nullptr, id)));
        image->Picture()->Assign(&picture);
    }
    image->SetBounds(kIconLeft, std::max(10, middle), kIconSize, kIconSize);
    return image;
}

// Adds the box below the text and widens the client to its caption; returns
// the client width.
int AddShowAgainBox(TskMessageForm& form, int clientWidth, int& clientHeight, int buttonHeight,
                    const TskMessageFormSettings& S)
{
    clientHeight += 40;
    auto* box = new TskSkinCheckRadioBox(&form);
    box->SetName("checkbox");
    box->SetDefaultHeight(30);
    box->SetChecked(!S.ShowAgainFlagValue);
    box->SetParent(&form);
    if (S.DefaultFont)
        box->SetDefaultFont(S.DefaultFont);
    box->UseSkinFont = S.UseSkinFont;
    box->SetSkinData(S.CtrlSkinData);
    const int top = clientHeight - buttonHeight - 50;
    std::string caption = MessageDialogText(S.CtrlSkinData, MsgShowAgainKey, MsgShowAgainBuiltIn);
    if (caption.empty())
        caption = MsgShowAgainBuiltIn;
    box->SetCaption(caption);

    TFont* font = form.Canvas()->Font();
    const auto* entry = SkinEntryAt<TskDataSkinCheckRadioControl>(S.CtrlSkinData, box->SkinIndex());
    if (entry && box->UseSkinFont) {
        font->SetName(entry->FontName);
        font->SetHeight(entry->FontHeight);
    } else if (S.DefaultFont) {
        font->Assign(S.DefaultFont);
    }
    const int textWidth = form.Canvas()->TextWidth(caption);
    clientWidth = std::max(clientWidth, textWidth + 60);
    box->SetBounds(kIconLeft, top, textWidth + 55, 30);
    form.DisplayCheckBox = box;
    return clientWidth;
}

void AddButtons(TskMessageForm& form, TMsgDlgButtons Buttons, int rowWidth, int buttonHeight,
                const TskMessageFormSettings& S)
{
    const TMsgDlgBtn defaultKind = DefaultButtonKind(Buttons);
    const TMsgDlgBtn cancelKind = CancelButtonKind(Buttons);
    int x = (form.ClientWidth() - rowWidth) / 2;
    const int top = form.ClientHeight() - buttonHeight - 10;
    for (int k = 0; k < MsgDlgBtnCount; ++k) {
        const auto kind = TMsgDlgBtn(k);
        if (!Buttons.Contains(kind))
            continue;
        const TMsgDlgButtonKind& entry = MsgDlgButtonKinds[k];
        auto* button = new TskSkinButton(&form);
        button->SetParent(&form);
        button->SetName(entry.Name);
        button->SetCaption(MessageDialogText(S.CtrlSkinData, entry.Key, entry.BuiltIn));
        button->SetCanFocused(true);
        button->ModalResult = entry.Result;
        button->SetDefault(kind == defaultKind);
        button->Cancel = kind == cancelKind;
        button->SetDefaultHeight(buttonHeight);
        button->SetBounds(x, top, kButtonWidth, buttonHeight);
        if (S.DefaultButtonFont)
            button->SetDefaultFont(S.DefaultButtonFont);
        button->UseSkinFont = S.UseSkinFont;
        button->SetSkinDataName(S.ButtonSkinDataName);
        button->SetSkinData(S.CtrlSkinData);
        if (kind == mbHelp)
            button->OnClick = [&form](TObject* sender) { form.HelpButtonOnClick(sender); };
        // Enter answers with the default button until the user moves the focus.
        if (kind == defaultKind)
            form.SetActiveControl(button);
        x += kButtonWidth + kButtonGap;
    }
}

TskMessageForm* BuildMessageForm(const std::string& Msg, const std::string& Caption, const TMessageIcon& Icon,
                                 TMsgDlgButtons Buttons, bool AllowCheckBox, const TskMessageFormSettings& S)
{
    auto form = std::make_unique<TskMessageForm>(Application, S.X, S.Y);
    form->BSF->SetSkinData(S.SkinData);
    form->BSF->SetMenusSkinData(S.CtrlSkinData);
    form->BSF->SetAlphaBlend(S.AlphaBlend);
    form->BSF->AlphaBlendAnimation = S.AlphaBlendAnimation;
    form->BSF->SetAlphaBlendValue(S.AlphaBlendValue);

    const int buttonHeight = ButtonHeight(S);
    const int n = ButtonCount(Buttons);
    const int rowWidth = n == 0 ? 0 : n * kButtonWidth + (n - 1) * kButtonGap;
    form->SetCaption(Caption);
    form->Message = AddMessageLabel(*form, Msg, S);
    form->Image = AddIcon(*form, Icon);

    const int labelRight = form->Message->Left() + form->Message->Width();
    int clientHeight = buttonHeight + form->Message->Height() + 50;
    int clientWidth = (labelRight > rowWidth ? labelRight : rowWidth) + 40;
    if (AllowCheckBox && S.ShowAgainFlag)
        clientWidth = AddShowAgainBox(*form, clientWidth, clientHeight, buttonHeight, S);
    form->SetClientSize(clientWidth, clientHeight);

    if (form->Width() > form->BSF->GetMaxWidth())
        form->SetWidth(form->BSF->GetMaxWidth());
    else if (form->Width() < form->BSF->GetMinWidth())
        form->SetWidth(form->BSF->GetMinWidth());

    AddButtons(*form, Buttons, rowWidth, buttonHeight, S);
    return form.release();
}

TMessageIcon StockIcon(TMsgDlgType DlgType)
{
    TMessageIcon icon;
    icon.Type = DlgType;
    return icon;
}

} // namespace

TskMessageForm::TskMessageForm(TComponent* AOwner, int X, int Y) : TForm(AOwner)
{
    SetBorderStyle(bsDialog);
    KeyPreview = true;
    if (X < -10000)
        Position = poScreenCenter;
    else
        SetBounds(X, Y, Width(), Height());
    BSF = new TskSkinForm(this);
    BSF->SetBorderIcons({});
}

void TskMessageForm::HelpButtonOnClick(TObject*)
{
    if (OnHelp)
        OnHelp(HelpContext, HelpFile);
}

std::string MessageDialogText(const TskSkinData* CtrlSkinData, std::string_view Key, std::string_view BuiltIn)
{
    if (CtrlSkinData && CtrlSkinData->ResourceStrData())
        return CtrlSkinData->ResourceStrData()->GetResStr(Key);
    return std::string(BuiltIn);
}

TskMessageForm* CreateTypeMessageForm(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons,
                                      const TskMessageFormSettings& Settings)
{
    return BuildMessageForm(Msg, TypeCaption(Settings.CtrlSkinData, DlgType), StockIcon(DlgType), Buttons, true,
                            Settings);
}

TskMessageForm* CreateCaptionMessageForm(const std::string& Msg, const std::string& ACaption, TMsgDlgType DlgType,
                                         TMsgDlgButtons Buttons, const TskMessageFormSettings& Settings)
{
    return BuildMessageForm(Msg, ACaption, StockIcon(DlgType), Buttons, true, Settings);
}

TskMessageForm* CreateImageMessageForm(const std::string& Msg, const std::string& ACaption, TCustomImageList* AImages,
                                       int AImageIndex, TMsgDlgButtons Buttons, const TskMessageFormSettings& Settings)
{
    TMessageIcon icon;
    icon.Images = AImages;
    icon.ImageIndex = AImageIndex;
    icon.FromList = true;
    return BuildMessageForm(Msg, ACaption, icon, Buttons, true, Settings);
}

TskMessageForm* CreateWideMessageForm(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons,
                                      const TskMessageFormSettings& Settings)
{
    return BuildMessageForm(Msg, TypeCaption(Settings.CtrlSkinData, DlgType), StockIcon(DlgType), Buttons, false,
                            Settings);
}

} // namespace tovrel
