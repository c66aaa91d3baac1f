#pragma once
// The select-folder dialog: Execute builds a fresh select-folder form in the
// component's skins, shows it modally over its owner's form, centred on it,
// and on OK stores the selected folder in Directory. The client size at
// closing is remembered for the next run, whatever the outcome.
#include "platform/vcl/Component.h"
#include "platform/vcl/ComponentRef.h"
#include "platform/vcl/Object.h"
#include "skin/data/SkinData.h"

#include <cstdint>
#include <memory>
#include <string>

namespace tovrel {

class TFont;
class TskSelDirDlgForm;

class TskSkinSelectDirectoryDialog : public TComponent {
public:
    explicit TskSkinSelectDirectoryDialog(TComponent* AOwner);
    ~TskSkinSelectDirectoryDialog() override;

    // True when the form closed with OK; Directory then holds the folder.
    bool Execute();

    bool ToolButtonsTransparent = false;
    // The client size of the next run (280 when 0 or less); rewritten by every run.
    int DialogWidth = 0;
    int DialogHeight = 0;
    int DialogMinWidth = 0;
    int DialogMinHeight = 0;
    bool AlphaBlend = false;
    std::uint8_t AlphaBlendValue = 200;
    bool AlphaBlendAnimation = false;
    TskSkinData* SkinData() const { return FSkinData; }
    void SetSkinData(TskSkinData* Value) { FSkinData = Value; }
    // The controls' skin, and the source of the texts.
    TskSkinData* CtrlSkinData() const { return FCtrlSkinData; }
    void SetCtrlSkinData(TskSkinData* Value) { FCtrlSkinData = Value; }
    TFont* DefaultFont() const { return FDefaultFont.get(); }
    void SetDefaultFont(const TFont* Value);
    std::string Title = "Select folder";
    // The start folder in (the computer when it is no existing folder), the
    // chosen folder out.
    std::string Directory;
    // Adds the folder path edit and the new-folder button above the tree.
    bool ShowToolBar = false;
    // At the start of Execute, before the form exists.
    TNotifyEvent OnShow;
    // At the end of Execute, before the form is freed.
    TNotifyEvent OnClose;
    // After a run closed with OK, once Directory is stored.
    TNotifyEvent OnChange;

    // The form while Execute runs, else nullptr.
    TskSelDirDlgForm* Form() const { return FDlgFrm; }

private:
    void PrepareForm(TskSelDirDlgForm& form);
    bool Run(TskSelDirDlgForm& form);

    TComponentRef<TskSkinData> FSkinData{*this};
    TComponentRef<TskSkinData> FCtrlSkinData{*this};
    std::unique_ptr<TFont> FDefaultFont;
    TskSelDirDlgForm* FDlgFrm = nullptr;
};

} // namespace tovrel
