#pragma once
// The framework's dialog types and button kinds, with what the skinned
// message box shows for each: component name, string-table key, built-in
// caption, modal result, stock icon.
#include "platform/gdi/Icon.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/Set.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace tovrel {

enum TMsgDlgType : std::uint8_t { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn : std::uint8_t {
    mbYes,
    mbNo,
    mbOK,
    mbCancel,
    mbAbort,
    mbRetry,
    mbIgnore,
    mbAll,
    mbNoToAll,
    mbYesToAll,
    mbHelp,
    mbClose
};
using TMsgDlgButtons = TSet<TMsgDlgBtn>;
constexpr int MsgDlgBtnCount = mbClose + 1;

struct TMsgDlgButtonKind {
    std::string_view Name;
    std::string_view Key;
    std::string_view BuiltIn;
    TModalResult Result;
};

// In kind order, which is also the order of the buttons from left to right.
// Help answers 0: it does not close the form.
inline constexpr std::array<TMsgDlgButtonKind, MsgDlgBtnCount> MsgDlgButtonKinds{{
    {"Yes", "MSG_BTN_YES", "&Yes", mrYes},
    {"No", "MSG_BTN_NO", "&No", mrNo},
    {"OK", "MSG_BTN_OK", "OK", mrOk},
    {"Cancel", "MSG_BTN_CANCEL", "Cancel", mrCancel},
    {"Abort", "MSG_BTN_ABORT", "&Abort", mrAbort},
    {"Retry", "MSG_BTN_RETRY", "&Retry", mrRetry},
    {"Ignore", "MSG_BTN_IGNORE", "&Ignore", mrIgnore},
    {"All", "MSG_BTN_ALL", "&All", mrAll},
    {"NoToAll", "MSG_BTN_NOTOALL", "N&oToAll", mrNoToAll},
    {"YesToAll", "MSG_BTN_YESTOALL", "&YesToAll", mrYesToAll},
    {"Help", "MSG_BTN_HELP", "&Help", mrNone},
    {"Close", "MSG_BTN_CLOSE", "Close", mrClose},
}};

struct TMsgDlgTypeKind {
    std::string_view Key;     // empty for mtCustom: the application's title
    std::string_view BuiltIn; // empty for mtCustom
    std::uintptr_t IconId;    // 0 for mtCustom: no picture
};

inline constexpr std::array<TMsgDlgTypeKind, mtCustom + 1> MsgDlgTypeKinds{{
    {"MSG_CAP_WARNING", "Warning", IDI_EXCLAMATION},
    {"MSG_CAP_ERROR", "Error", IDI_HAND},
    {"MSG_CAP_INFORMATION", "Information", IDI_ASTERISK},
    {"MSG_CAP_CONFIRM", "Confirm", IDI_QUESTION},
    {"", "", 0},
}};

inline constexpr std::string_view MsgShowAgainKey = "MSG_CAP_SHOWFLAG";
inline constexpr std::string_view MsgShowAgainBuiltIn = "Do not display this message again";

// mbOK, else mbYes, else mbRetry (which marks nothing when absent).
TMsgDlgBtn DefaultButtonKind(TMsgDlgButtons Buttons);
// mbCancel, else mbNo, else mbOK.
TMsgDlgBtn CancelButtonKind(TMsgDlgButtons Buttons);

} // namespace tovrel
