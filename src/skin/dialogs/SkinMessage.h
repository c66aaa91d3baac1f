#pragma once
// The skinned message box: each operation builds a message form in the
// component's skins, shows it modally, reads the "do not show again" box back
// into ShowAgainFlagValue, frees the form and returns the modal result of the
// button that closed it. The component never skips a message itself: the
// caller reads ShowAgainFlagValue and decides.
#include "platform/vcl/ComponentRef.h"
#include "skin/data/SkinData.h"
#include "skin/dialogs/SkinMessageForm.h"

#include <memory>

namespace tovrel {

using TskMessageSetShowPosEvent = std::function<void(int& AX, int& AY, int AWidth, int AHeight)>;

class TskSkinMessage : public TComponent {
public:
    explicit TskSkinMessage(TComponent* AOwner);
    ~TskSkinMessage() override;

    // Adds the check box to the form.
    bool ShowAgainFlag = false;
    // In: the box starts checked while this is False. Out (after a form with
    // the box): True when the user left it unchecked, False when checked.
    bool ShowAgainFlagValue = false;
    bool AlphaBlend = false;
    bool AlphaBlendAnimation = false;
    std::uint8_t AlphaBlendValue = 200;
    TskSkinData* SkinData() const { return FSkinData; }
    void SetSkinData(TskSkinData* Value) { FSkinData = Value; }
    // The label, check box and buttons; its string table gives every text.
    TskSkinData* CtrlSkinData() const { return FCtrlSkinData; }
    void SetCtrlSkinData(TskSkinData* Value) { FCtrlSkinData = Value; }
    std::string ButtonSkinDataName = "button";
    std::string MessageLabelSkinDataName = "stdlabel";
    TFont* DefaultFont() const { return FDefaultFont.get(); }
    void SetDefaultFont(const TFont* Value);
    TFont* DefaultButtonFont() const { return FDefaultButtonFont.get(); }
    void SetDefaultButtonFont(const TFont* Value);
    bool UseSkinFont = true;
    // Moves the form of MessageDlgPos and CustomMessageDlgPos.
    TskMessageSetShowPosEvent OnSetShowPos;
    // What the Help button asks for; nothing happens without a handler.
    TskMessageHelpEvent OnHelp;

    int MessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx);
    int MessageDlgPos(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx, int X, int Y);
    int MessageDlgHelp(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx,
                       const std::string& HelpFileName);
    int MessageDlg2(const std::string& Msg, const std::string& ACaption, TMsgDlgType DlgType, TMsgDlgButtons Buttons,
                    int HelpCtx);
    int MessageDlgHelp2(const std::string& Msg, const std::string& ACaption, TMsgDlgType DlgType,
                        TMsgDlgButtons Buttons, int HelpCtx, const std::string& HelpFileName);
    int CustomMessageDlg(const std::string& Msg, const std::string& ACaption, TCustomImageList* AImages,
                         int AImageIndex, TMsgDlgButtons Buttons, int HelpCtx);
    int CustomMessageDlgPos(const std::string& Msg, const std::string& ACaption, TCustomImageList* AImages,
                            int AImageIndex, TMsgDlgButtons Buttons, int HelpCtx, int X, int Y);
    int CustomMessageDlgHelp(const std::string& Msg, const std::string& ACaption, TCustomImageList* AImages,
                             int AImageIndex, TMsgDlgButtons Buttons, int HelpCtx, const std::string& HelpFileName);
    // The text is UTF-8 as everywhere here; these never show the check box.
    int WideMessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx);
    int WideMessageDlgPos(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx, int X,
                          int Y);

private:
    struct TShowOptions {
        int HelpCtx = 0;
        const std::string* HelpFile = nullptr;
        bool AskPosition = false;
    };
    TskMessageFormSettings Settings(int X = MessageFormCentred, int Y = MessageFormCentred) const;
    // Shows and frees the form, reading the check box back however it ends.
    int Show(TskMessageForm* form, const TShowOptions& options);

    TComponentRef<TskSkinData> FSkinData{*this};
    TComponentRef<TskSkinData> FCtrlSkinData{*this};
    std::unique_ptr<TFont> FDefaultFont;
    std::unique_ptr<TFont> FDefaultButtonFont;
};

} // namespace tovrel
