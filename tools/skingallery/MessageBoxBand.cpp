#include "MessageBoxBand.h"

#include "SkinGalleryReport.h"
#include "platform/vcl/Application.h"
#include "skin/controls/SkinButton.h"
#include "skin/dialogs/SkinMessage.h"

#include <functional>
#include <string>

namespace tovrel::skingallery {

namespace {

constexpr int kLeft = 10, kWidth = 140, kHeight = 25;

// One message of the tour: its report name and how it is shown.
struct TMessageKind {
    const char* Name;
    std::function<int(TskSkinMessage&)> Show;
};

const TMessageKind kKinds[] = {
    {"warning",
     [](TskSkinMessage& box) {
         return box.MessageDlg("Do you want to overwrite old file?", mtWarning, {mbOK, mbCancel}, 0);
     }},
    {"error",
     [](TskSkinMessage& box) {
         return box.MessageDlg("The output file could not be written.", mtError, {mbAbort, mbRetry, mbIgnore}, 0);
     }},
    {"information",
     [](TskSkinMessage& box) { return box.MessageDlg2("转换完成。", "提示", mtInformation, {mbOK}, 0); }},
    {"confirmation",
     [](TskSkinMessage& box) {
         box.ShowAgainFlag = true;
         const int result =
             box.MessageDlg("Remove every finished task from the list?", mtConfirmation, {mbYes, mbNo, mbCancel}, 0);
         box.ShowAgainFlag = false;
         return result;
     }},
    {"custom",
     [](TskSkinMessage& box) {
         return box.MessageDlg("Several files share this name.", mtCustom, {mbYes, mbNo, mbYesToAll, mbNoToAll}, 0);
     }},
};

void ShowEachKind(TForm& form, TskSkinMessage& box)
{
    for (const TMessageKind& kind : kKinds) {
        NoteGalleryState(form, "msgbox.showing", kind.Name);
        NoteGalleryState(form, std::string("msgbox.") + kind.Name, std::to_string(kind.Show(box)));
    }
    NoteGalleryState(form, "msgbox.showagain", box.ShowAgainFlagValue ? "1" : "0");
    NoteGalleryState(form, "msgbox.showing", "none");
}

} // namespace

int AddMessageBoxButton(TForm& form, TskSkinData* skin, int top)
{
    // A custom message is captioned with the application's title.
    NoteGalleryState(form, "msgbox.custom.caption", Application->Title);
    auto* box = new TskSkinMessage(&form);
    box->SetSkinData(skin);
    box->SetCtrlSkinData(skin);
    auto* button = new TskSkinButton(&form);
    button->SetParent(&form);
    button->SetBounds(kLeft, top, kWidth, kHeight);
    // The report gives its place as button.Messages.at.
    button->SetCaption("Messages");
    button->SetSkinData(skin);
    button->OnClick = [&form, box](TObject*) { ShowEachKind(form, *box); };
    NoteGalleryState(form, "msgbox.showing", "none");
    return kHeight;
}

} // namespace tovrel::skingallery
