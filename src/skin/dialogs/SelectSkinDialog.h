#pragma once
// The skin selection dialog component: Execute shows the stored skins in a
// modal skinned form with a live preview, over the component's owner form
// and centred on it, and returns True when the user accepts a skin with OK,
// Enter or a double click. Cancel and Esc return False and change nothing.
// The caller applies the choice (for a list, by setting its skin data's
// SkinIndex to SelectedSkinIndex).
#include "platform/vcl/Component.h"
#include "platform/vcl/ComponentRef.h"

#include <cstdint>
#include <memory>
#include <string>

namespace tovrel {

class TFont;
class TskCompressedSkinList;
class TskCompressedStoredSkin;
class TskSelectSkinDlgForm;
class TskSkinData;

class TskSelectSkinDialog : public TComponent {
public:
    explicit TskSelectSkinDialog(TComponent* AOwner);
    ~TskSelectSkinDialog() override;

    // The skins Execute(int) offers.
    TskCompressedSkinList* SkinList() const { return FSkinList; }
    void SetSkinList(TskCompressedSkinList* Value);
    bool AlphaBlend = false;
    std::uint8_t AlphaBlendValue = 200;
    bool AlphaBlendAnimation = false;
    // The dialog's frame; a loaded skin also sets the dialog's least size.
    TskSkinData* SkinData() const { return FSkinData; }
    void SetSkinData(TskSkinData* Value);
    // The list and buttons; its string table gives the texts.
    TskSkinData* CtrlSkinData() const { return FCtrlSkinData; }
    void SetCtrlSkinData(TskSkinData* Value);
    TFont* DefaultFont() const { return FDefaultFont.get(); }
    void SetDefaultFont(const TFont* Value);
    std::string Title = "Select skin";

    TskCompressedStoredSkin* SelectedSkin() const { return FSelectedSkin; }
    int SelectedSkinIndex() const { return FSelectedSkinIndex; }
    // The form while Execute runs, else null.
    TskSelectSkinDlgForm* DialogForm() const { return FDlgFrm; }

    // The items of SkinList, item SkinIndex selected; the choice lands in
    // SelectedSkinIndex. Without a SkinList: False, nothing shown.
    bool Execute(int SkinIndex);
    // The stored skins placed on the owner form, DefaultCompressedSkin
    // selected; the choice lands in SelectedSkin.
    bool Execute(TskCompressedStoredSkin* DefaultCompressedSkin);

private:
    // Dresses, sizes and shows the form, then frees it however it ends.
    bool ShowForm(TskSelectSkinDlgForm* Form);
    void CentreOnOwner(TskSelectSkinDlgForm& Form) const;

    TComponentRef<TskCompressedSkinList> FSkinList{*this};
    TComponentRef<TskSkinData> FSkinData{*this};
    TComponentRef<TskSkinData> FCtrlSkinData{*this};
    std::unique_ptr<TFont> FDefaultFont;
    TskCompressedStoredSkin* FSelectedSkin = nullptr;
    int FSelectedSkinIndex = -1;
    TskSelectSkinDlgForm* FDlgFrm = nullptr;
};

} // namespace tovrel
