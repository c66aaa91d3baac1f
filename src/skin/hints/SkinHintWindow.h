#pragma once
// The hint window drawn from the skin's hint window entry: a nine-slice image
// of its picture around the text, the entry's font and colour, its mask as
// the window's shape. Without a usable entry: the plain look (info colours,
// a thin frame). A title (bold) and an image make an extended hint.
#include "platform/vcl/ComponentRef.h"
#include "platform/vcl/HintWindow.h"
#include "platform/vcl/ImageList.h"
#include "platform/vcl/Timer.h"
#include "skin/draw/SkinImageBuilders.h"

#include <cstdint>
#include <memory>
#include <string>

namespace tovrel {

class TskDataSkinHintWindow;
class TskSkinData;
class TskSkinHint;

class TskSkinHintWindow : public THintWindow {
public:
    explicit TskSkinHintWindow(TComponent* AOwner);
    ~TskSkinHintWindow() override;

    // Only Rect's top-left counts: the window sizes itself to the text.
    void ActivateHint(TRect Rect, const std::string& AHint) override;
    TRect CalcHintRect(int maxWidth, const std::string& hint, void* data) override;
    void ActivateHintEx(TRect Rect, const std::string& AHintTitle, const std::string& AHint, int AImageIndex,
                        TCustomImageList* AImageList);
    // Centred above (ATop) or below ARect (screen coordinates).
    void ActivateHintFromRect(TRect ARect, const std::string& AHint, bool ATop);
    // Hides the window where it is, without activating anything.
    void HideWindow();

    // The skin entry in use for the current hint; null for the plain look.
    const TskDataSkinHintWindow* SkinEntry() const { return FEntry; }
    bool ExtendedStyle() const { return AExtendedStyle; }
    // The opacity last applied (255 when not translucent).
    int Alpha() const { return FAlpha; }

protected:
    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& message) override;
    void Paint() override;

private:
    enum class TAnchor { Point, AboveRect, BelowRect };
    void Show(TRect anchor, TAnchor how, const std::string& hint);
    void TakeLook(TskSkinHint* hint);
    void SetupFont(TCanvas& canvas) const;
    TSize TextSize(const std::string& text, bool bold) const;
    TSize ContentSize(const std::string& text);
    TRect ScreenLimit() const;
    // Translucency where the desktop has layered windows; a fade-in steps
    // on a timer up to the hint component's value.
    void ApplyAlpha(TskSkinHint* hint);
    void SetAlpha(int alpha);
    void FadeStep();
    void StopFade();
    void ApplyRegion();
    void PaintContent(TCanvas& canvas);

    // Either may go while the window lives: the plain look then.
    TComponentRef<TskSkinHint> FspHint{*this};
    TComponentRef<TskSkinData> FSD{*this, [this] { FEntry = nullptr; }};
    const TskDataSkinHintWindow* FEntry = nullptr;
    TskSkinCorners Skin{};
    TskSkinCorners Fresh{};
    bool AExtendedStyle = false;
    std::string FTitle;
    int FImageIndex = 0;
    TComponentRef<TCustomImageList> FImageList{*this};
    TSize FText{};
    int FAlpha = 255;
    int FFadeTarget = 255;
    std::unique_ptr<TTimer> FFadeTimer;
};

} // namespace tovrel
