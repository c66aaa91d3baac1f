#pragma once
// TskFormLayerBorder: the skin's soft outer border around a skinned form,
// shown as four top-level layered windows (left, top, right, bottom) with
// per-pixel alpha images cut from the skin's layer picture and a constant
// opacity that differs for the active and the inactive form. They follow the
// form and, when the skin asks for it, resize it when dragged.
#include <array>
#include <memory>

#include "platform/wm/WinTypes.h"
#include "skin/forms/LayerBorderGeometry.h"

namespace tovrel {

class TCanvas;
class TCustomForm;
class TskBitmap;
class TskDataSkinLayerFrame;
class TskSkinData;
class TskSkinForm;

class TskFormLayerBorder {
public:
    explicit TskFormLayerBorder(TskSkinForm* AOwner);
    ~TskFormLayerBorder();
    TskFormLayerBorder(const TskFormLayerBorder&) = delete;
    TskFormLayerBorder& operator=(const TskFormLayerBorder&) = delete;

    // Binds the border to the skin's layer entry; none (no skin, no entry, a
    // picture the skin lacks) leaves every other call doing nothing.
    void InitFrame(TskSkinData* ASkinData, TCustomForm* AForm);
    bool HasFrame() const { return FData != nullptr; }
    // Creates the windows around form bounds F (screen coordinates).
    void Show(TRect F);
    void Hide();
    // New images and positions for the windows there are.
    void SetBounds(TRect F);
    void ShowWithForm();
    void SetBoundsWithForm();
    void SetBoundsWithForm3(int ALeft, int ATop, int AWidth, int AHeight);
    // Moves the windows, keeping their images.
    void MoveWithForm();
    void MoveWithForm2(int ALeft, int ATop);
    // Shows the border at no opacity and brings it up in fifteen steps, one
    // per tick of a 6-ms timer on the window layer's clock.
    void ShowWithFormAnimation();
    // The windows' images again with the opacity for the activation.
    void SetAlphaBlend();
    void SetAlphaBlend2();
    // The border is never more opaque than the form (AFormAlpha of 255).
    void CheckFormAlpha(int AFormAlpha, bool AUpdate);
    void SetActive(bool AValue, bool AUpdate);
    // The border's images for form bounds F, drawn with their alpha at
    // their places relative to the outer rectangle's origin (X, Y).
    void Draw(TCanvas* C, int X, int Y, TRect F);

    bool Visible() const { return FVisible; }
    // The form bounds the windows were last placed for.
    TRect ShownFor() const { return FShownFor; }
    bool FActive = true;
    int CurrentAlphaBlendValue() const { return FCurrentAlphaBlendValue; }
    int CurrentInActiveAlphaBlendValue() const { return FCurrentInActiveAlphaBlendValue; }
    HWND Window(TskFormLayerBorderType Type) const { return FWindows[std::size_t(Type)]; }
    const TskLayerBorderZones& Zones() const { return FZones; }
    TskFormLayerBorderHit HitMode(TskFormLayerBorderType Type) const { return FHitMode[std::size_t(Type)]; }
    // One step of the fade begun by ShowWithFormAnimation (the timer's tick).
    void AnimationStep();

private:
    friend struct TskFormLayerWindowProc;
    using TImages = std::array<std::unique_ptr<TskBitmap>, 4>;
    TskLayerBorderGeometry Geometry(TRect F) const;
    TImages BuildImages(const TskLayerBorderGeometry& g, TRect F) const;
    void CreateBorderImages(TRect F);
    void UpdateWindow(TskFormLayerBorderType Type, bool Place);
    void DestroyWindows();
    int Opacity() const;
    TRect FormBounds() const;

    TskSkinForm* BSF;
    TCustomForm* FForm = nullptr;
    TskSkinData* FSD = nullptr;
    const TskDataSkinLayerFrame* FData = nullptr;
    std::unique_ptr<TskBitmap> FSourceBitmap, FSourceInActiveBitMap;
    std::array<std::unique_ptr<TskBitmap>, 4> FImages;
    std::array<HWND, 4> FWindows{};
    std::array<TskFormLayerBorderHit, 4> FHitMode{};
    TskLayerBorderGeometry FGeometry;
    TRect FShownFor;
    TskLayerBorderZones FZones;
    bool FVisible = false;
    int FCurrentAlphaBlendValue = -1;
    int FCurrentInActiveAlphaBlendValue = -1;
    int FAnimationTarget = 0;
    bool FAnimating = false;
    // A drag on a zone: the previous pointer position.
    bool FDown = false;
    TPoint MousePos1;
};

} // namespace tovrel
