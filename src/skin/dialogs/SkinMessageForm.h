#pragma once
// The form of one skinned message: a frame without caption buttons, an icon,
// the message label, an optional "do not show again" check box and a centred
// row of skinned buttons. Built in code for one call and freed after it.
#include "platform/vcl/Forms.h"
#include "skin/dialogs/MessageDlgKinds.h"

#include <cstdint>
#include <functional>
#include <string>

namespace tovrel {

class TCustomImageList;
class TFont;
class TImage;
class TskSkinCheckRadioBox;
class TskSkinData;
class TskSkinForm;
class TskSkinStdLabel;

// X and Y at or below this centre the form on the screen.
constexpr int MessageFormCentred = -10001;

// What the message component hands every builder.
struct TskMessageFormSettings {
    TskSkinData* SkinData = nullptr;
    TskSkinData* CtrlSkinData = nullptr;
    std::string ButtonSkinDataName = "button";
    std::string MessageLabelSkinDataName = "stdlabel";
    const TFont* DefaultFont = nullptr;
    const TFont* DefaultButtonFont = nullptr;
    bool UseSkinFont = true;
    bool AlphaBlend = false;
    bool AlphaBlendAnimation = false;
    std::uint8_t AlphaBlendValue = 200;
    bool ShowAgainFlag = false;
    bool ShowAgainFlagValue = false;
    int X = MessageFormCentred;
    int Y = MessageFormCentred;
};

// The Help button's request: the form's help context and help file.
using TskMessageHelpEvent = std::function<void(int HelpContext, const std::string& HelpFile)>;

class TskMessageForm : public TForm {
public:
    TskMessageForm(TComponent* AOwner, int X, int Y);

    TskSkinForm* BSF = nullptr;
    TskSkinCheckRadioBox* DisplayCheckBox = nullptr;
    TskSkinStdLabel* Message = nullptr;
    TImage* Image = nullptr;

    int HelpContext = 0;
    std::string HelpFile;
    TskMessageHelpEvent OnHelp;
    // Asks the help handler for the form's help context; the form stays open.
    void HelpButtonOnClick(TObject* Sender);
};

// The caption of the type (or the application's title for mtCustom), the
// type's stock icon, the check box when asked for.
TskMessageForm* CreateTypeMessageForm(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons,
                                      const TskMessageFormSettings& Settings);
// As the type builder with the given caption.
TskMessageForm* CreateCaptionMessageForm(const std::string& Msg, const std::string& ACaption, TMsgDlgType DlgType,
                                         TMsgDlgButtons Buttons, const TskMessageFormSettings& Settings);
// The icon AImageIndex of AImages (none when the list is null or the index
// is outside it), sized like the list's images.
TskMessageForm* CreateImageMessageForm(const std::string& Msg, const std::string& ACaption, TCustomImageList* AImages,
                                       int AImageIndex, TMsgDlgButtons Buttons, const TskMessageFormSettings& Settings);
// As the type builder, never with the check box.
TskMessageForm* CreateWideMessageForm(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons,
                                      const TskMessageFormSettings& Settings);

// A text the box adds itself: the control skin's string table value (empty
// when the table lacks the key), or the built-in text without a table.
std::string MessageDialogText(const TskSkinData* CtrlSkinData, std::string_view Key, std::string_view BuiltIn);

} // namespace tovrel
