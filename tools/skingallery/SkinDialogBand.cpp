#include "SkinDialogBand.h"

#include "SkinGalleryReport.h"
#include "skin/controls/SkinButton.h"
#include "skin/data/SkinCompressedSkinList.h"
#include "skin/data/SkinData.h"
#include "skin/dialogs/SelectSkinDialog.h"
#include "skin/stored/StoredSkins.h"

#include <string>

namespace tovrel::skingallery {

namespace {

constexpr int kLeft = 10, kWidth = 140, kHeight = 25;

// The list position of the skin the gallery shows; -1 without a skin.
int CurrentSkinIndex(const TskSkinData* skin, TskCompressedSkinList& list)
{
    if (!skin || skin->Empty)
        return -1;
    if (skin->SkinList() == &list)
        return skin->SkinIndex();
    for (int i = 0; i < list.Skins()->Count(); ++i)
        if (list.Skins()->Items(i)->Name == skin->Version.SkinName)
            return i;
    return -1;
}

// Switches the gallery's skin data to the list's item; every form using it follows.
void ApplySkin(TskSkinData& skin, TskCompressedSkinList& list, int index)
{
    if (skin.SkinList() == &list) {
        skin.SetSkinIndex(index);
        return;
    }
    // Index first, list second: one load.
    skin.SetSkinIndex(index);
    skin.SetSkinList(&list);
}

void NoteSkin(TForm& form, const TskSkinData* skin)
{
    NoteGalleryState(form, "skindialog.skin", skin && !skin->Empty ? skin->Version.SkinName : "none");
}

} // namespace

int AddSkinDialogButton(TForm& form, TskSkinData* skin, int top)
{
    auto* list = new TskCompressedSkinList(&form);
    AddStoredSkins(*list, TStoredSkinRole::User);
    for (int i = 0; i < list->Skins()->Count(); ++i)
        NoteGalleryState(form, "skindialog.item" + std::to_string(i), list->Skins()->Items(i)->Name);
    auto* dialog = new TskSelectSkinDialog(&form);
    dialog->SetSkinList(list);
    dialog->SetSkinData(skin);
    dialog->SetCtrlSkinData(skin);

    auto* button = new TskSkinButton(&form);
    button->SetParent(&form);
    button->SetBounds(kLeft, top, kWidth, kHeight);
    // The report gives its place as button.Skins.at.
    button->SetCaption("Skins");
    button->SetSkinData(skin);
    button->OnClick = [&form, skin, list, dialog](TObject*) {
        const int start = CurrentSkinIndex(skin, *list);
        NoteGalleryState(form, "skindialog.start", std::to_string(start));
        NoteGalleryState(form, "skindialog.showing", "1");
        const bool accepted = dialog->Execute(start < 0 ? 0 : start);
        NoteGalleryState(form, "skindialog.showing", "0");
        NoteGalleryState(form, "skindialog.result", accepted ? "ok" : "cancel");
        NoteGalleryState(form, "skindialog.index", std::to_string(dialog->SelectedSkinIndex()));
        if (accepted && skin)
            ApplySkin(*skin, *list, dialog->SelectedSkinIndex());
        NoteSkin(form, skin);
    };
    NoteGalleryState(form, "skindialog.showing", "0");
    NoteSkin(form, skin);
    return kHeight;
}

} // namespace tovrel::skingallery
