#pragma once
// Skinned hints for the whole application. TskSkinHint, placed on the main
// form, makes every control hint show in a TskSkinHintWindow drawn from the
// skin's hint window entry (or the plain look), hands the hinted skinned
// control's title and image to it, and shows hints of its own now or after
// the application's hint pause.
#include "platform/vcl/ComponentRef.h"
#include "platform/vcl/GraphicsObjects.h"
#include "platform/vcl/HintWindow.h"
#include "platform/vcl/ImageList.h"
#include "platform/vcl/Timer.h"
#include "skin/data/SkinData.h"

#include <cstdint>
#include <memory>
#include <string>

namespace tovrel {

class TskSkinHintWindow;

class TskSkinHint : public TComponent {
public:
    explicit TskSkinHint(TComponent* AOwner);
    ~TskSkinHint() override;

    // The hint component in charge: the first active one owned by the main
    // form, else the first active one there is; null when none is.
    static TskSkinHint* Current();

    bool Active() const { return FActive; }
    // True switches off every other hint component of the same owner.
    void SetActive(bool Value);
    TskSkinData* SkinData() const { return FSD; }
    void SetSkinData(TskSkinData* Value) { FSD = Value; }
    TFont* DefaultFont() const { return FDefaultFont.get(); }
    void SetDefaultFont(const TFont* Value) { FDefaultFont->Assign(Value); }

    std::string LineSeparator = "@";
    bool UseSkinFont = true;
    bool AlphaBlend = false;
    std::uint8_t AlphaBlendValue = 0;
    bool AlphaBlendAnimation = false;
    TShowHintEvent OnShowHint;

    // Shown at once at P.
    void ActivateHint(TPoint P, const std::string& AHint);
    void ActivateHintEx(TPoint P, const std::string& AHintTitle, const std::string& AHint, int AImageIndex,
                        TCustomImageList* AImageList);
    // After the application's hint pause below the cursor, hidden after its
    // hide pause.
    void ActivateHint2(const std::string& AHint);
    void ActivateHintEx2(const std::string& AHintTitle, const std::string& AHint, int AImageIndex,
                         TCustomImageList* AImageList);
    // After the hint pause, centred above (ATop) or below the screen rectangle.
    void ActivateHint3(TRect AFromRect, const std::string& AHint, bool ATop);
    // Cancels a pending display and hides the window.
    void HideHint();
    bool IsVisible() const;
    // From the cursor's hot spot down to the bottom of its shape.
    static int GetCursorHeightMargin();
    TskSkinHintWindow* Window() const { return HW; }

    // Title and image of the hint being shown (set for skinned controls by
    // the application's OnShowHint, and by the displays above).
    std::string FHintTitle;
    int FHintImageIndex = 0;
    TComponentRef<TCustomImageList> FHintImageList{*this};

private:
    enum class TPending { AtCursor, AtCursorEx, AtRect };
    void ClearTitleAndImage();
    void StartTimer(TPending pending, std::string hint);
    void TimerFired();
    static void ApplicationShowHint(std::string& hintStr, bool& canShow, THintInfo& hintInfo);

    bool FActive = true;
    TComponentRef<TskSkinData> FSD{*this};
    std::unique_ptr<TFont> FDefaultFont;
    TskSkinHintWindow* HW = nullptr;
    std::unique_ptr<TTimer> HintTimer;
    TPending Pending = TPending::AtCursor;
    bool Showing = false;
    std::string HintText;
    TRect FromRect;
    bool Top = false;
};

} // namespace tovrel
