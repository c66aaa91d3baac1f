#include "skin/dialogs/SkinMessage.h"

#include "platform/vcl/GraphicsObjects.h"
#include "skin/controls/SkinCheckRadioBox.h"
#include "skin/data/SkinData.h"

namespace tovrel {

namespace {

std::unique_ptr<TFont> ArialFont()
{
    auto font = std::make_unique<TFont>();
    font->SetName("Arial");
    font->SetHeight(14);
    return font;
}

} // namespace

TskSkinMessage::TskSkinMessage(TComponent* AOwner)
    : TComponent(AOwner), FDefaultFont(ArialFont()), FDefaultButtonFont(ArialFont())
{}

TskSkinMessage::~TskSkinMessage() = default;

void TskSkinMessage::SetDefaultFont(const TFont* Value)
{
    FDefaultFont->Assign(Value);
}

void TskSkinMessage::SetDefaultButtonFont(const TFont* Value)
{
    FDefaultButtonFont->Assign(Value);
}

TskMessageFormSettings TskSkinMessage::Settings(int X, int Y) const
{
    TskMessageFormSettings s;
    s.SkinData = FSkinData;
    s.CtrlSkinData = FCtrlSkinData;
    s.ButtonSkinDataName = ButtonSkinDataName;
    s.MessageLabelSkinDataName = MessageLabelSkinDataName;
    s.DefaultFont = FDefaultFont.get();
    s.DefaultButtonFont = FDefaultButtonFont.get();
    s.UseSkinFont = UseSkinFont;
    s.AlphaBlend = AlphaBlend;
    s.AlphaBlendAnimation = AlphaBlendAnimation;
    s.AlphaBlendValue = AlphaBlendValue;
    s.ShowAgainFlag = ShowAgainFlag;
    s.ShowAgainFlagValue = ShowAgainFlagValue;
    s.X = X;
    s.Y = Y;
    return s;
}

int TskSkinMessage::Show(TskMessageForm* form, const TShowOptions& options)
{
    std::unique_ptr<TskMessageForm> owned(form);
    // Read back also when showing raised: the caller still learns the choice.
    struct TReadBack {
        TskMessageForm& Form;
        bool& Value;
        ~TReadBack()
        {
            if (Form.DisplayCheckBox)
                Value = !Form.DisplayCheckBox->Checked();
        }
    } readBack{*form, ShowAgainFlagValue};
    form->HelpContext = options.HelpCtx;
    if (options.HelpFile)
        form->HelpFile = *options.HelpFile;
    form->OnHelp = OnHelp;
    if (options.AskPosition && OnSetShowPos) {
        int x = form->Left(), y = form->Top();
        OnSetShowPos(x, y, form->Width(), form->Height());
        form->SetBounds(x, y, form->Width(), form->Height());
    }
    return form->ShowModal();
}

int TskSkinMessage::MessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx)
{
    return Show(CreateTypeMessageForm(Msg, DlgType, Buttons, Settings()), {HelpCtx});
}

int TskSkinMessage::MessageDlgPos(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx,
                                  int X, int Y)
{
    return Show(CreateTypeMessageForm(Msg, DlgType, Buttons, Settings(X, Y)), {HelpCtx, nullptr, true});
}

int TskSkinMessage::MessageDlgHelp(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx,
                                   const std::string& HelpFileName)
{
    return Show(CreateTypeMessageForm(Msg, DlgType, Buttons, Settings()), {HelpCtx, &HelpFileName});
}

int TskSkinMessage::MessageDlg2(const std::string& Msg, const std::string& ACaption, TMsgDlgType DlgType,
                                TMsgDlgButtons Buttons, int HelpCtx)
{
    return Show(CreateCaptionMessageForm(Msg, ACaption, DlgType, Buttons, Settings()), {HelpCtx});
}

int TskSkinMessage::MessageDlgHelp2(const std::string& Msg, const std::string& ACaption, TMsgDlgType DlgType,
                                    TMsgDlgButtons Buttons, int HelpCtx, const std::string& HelpFileName)
{
    return Show(CreateCaptionMessageForm(Msg, ACaption, DlgType, Buttons, Settings()), {HelpCtx, &HelpFileName});
}

int TskSkinMessage::CustomMessageDlg(const std::string& Msg, const std::string& ACaption, TCustomImageList* AImages,
                                     int AImageIndex, TMsgDlgButtons Buttons, int HelpCtx)
{
    return Show(CreateImageMessageForm(Msg, ACaption, AImages, AImageIndex, Buttons, Settings()), {HelpCtx});
}

int TskSkinMessage::CustomMessageDlgPos(const std::string& Msg, const std::string& ACaption, TCustomImageList* AImages,
                                        int AImageIndex, TMsgDlgButtons Buttons, int HelpCtx, int X, int Y)
{
    return Show(CreateImageMessageForm(Msg, ACaption, AImages, AImageIndex, Buttons, Settings(X, Y)),
                {HelpCtx, nullptr, true});
}

int TskSkinMessage::CustomMessageDlgHelp(const std::string& Msg, const std::string& ACaption, TCustomImageList* AImages,
                                         int AImageIndex, TMsgDlgButtons Buttons, int HelpCtx,
                                         const std::string& HelpFileName)
{
    return Show(CreateImageMessageForm(Msg, ACaption, AImages, AImageIndex, Buttons, Settings()),
                {HelpCtx, &HelpFileName});
}

int TskSkinMessage::WideMessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx)
{
    return Show(CreateWideMessageForm(Msg, DlgType, Buttons, Settings()), {HelpCtx});
}

int TskSkinMessage::WideMessageDlgPos(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx,
                                      int X, int Y)
{
    return Show(CreateWideMessageForm(Msg, DlgType, Buttons, Settings(X, Y)), {HelpCtx});
}

} // namespace tovrel
