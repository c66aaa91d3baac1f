#pragma once
// Frame objects: the parts of a skinned form's frame that react to the mouse
// or change their look (caption buttons, the caption, user objects). Each
// knows its rectangle in the frame (window coordinates), draws its state
// image, tests hits against its mask and carries out its click.
#include <functional>
#include <string>

#include "platform/rtl/Types.h"
#include "platform/vcl/ControlTypes.h"
#include "skin/data/SkinTypes.h"

namespace tovrel {

class TBitmap;
class TCanvas;
class TskSkinData;
class TskSkinForm;
class TskDataSkinObject;
class TskEffectBmp;
struct TskCommandButton;

using TskPaintEvent = std::function<void(const std::string& IDName, TCanvas* Canvas, TRect ObjectRect)>;
using TskMouseEnterEvent = std::function<void(const std::string& IDName)>;
using TskMouseDownEvent =
    std::function<void(const std::string& IDName, int X, int Y, TRect ObjectRect, TMouseButton Button)>;
using TskMouseMoveEvent = std::function<void(const std::string& IDName, int X, int Y, TRect ObjectRect)>;

// The skin's look of an inactive form, applied to a picture of it.
void ApplyInActiveEffect(TskEffectBmp& e, TskInActiveEffect effect);

class TskActiveSkinObject {
public:
    TskActiveSkinObject(TskSkinForm* AParent, TskDataSkinObject* AData);
    virtual ~TskActiveSkinObject() = default;

    virtual bool PointInObject(int X, int Y);
    virtual void ShowLayer() {}
    virtual void HideLayer() {}
    virtual bool CanMorphing();
    virtual void Draw(TCanvas* Cnvs, bool UpDate);
    virtual void DblClick() {}
    virtual void MouseDown(int X, int Y, TMouseButton Button);
    virtual void MouseUp(int X, int Y, TMouseButton Button);
    virtual void MouseMove(int X, int Y);
    virtual void MouseEnter();
    virtual void MouseLeave();

    bool EnableMorphing() const;
    void DoMorphing();
    // The caption-button part of a std button or an animate object; null otherwise.
    virtual TskCommandButton* CommandButton() { return nullptr; }

    TskSkinForm* Parent;
    double FMorphKf = 0;
    bool FMouseIn = false;
    TBitmap* Picture = nullptr;
    TBitmap* ActivePicture = nullptr;
    TBitmap* ActiveMaskPicture = nullptr;
    TskSkinData* SD = nullptr;
    std::string IDName;
    std::string Hint;
    TRect SkinRect, ActiveSkinRect, InActiveSkinRect;
    TRect ObjectRect;
    bool Active = false;
    bool Morphing = false;
    TskMorphKind MorphKind = TskMorphKind::mkDefault;
    bool Enabled = true;
    bool Visible = true;
    bool SkinRectInAPicture = false;

protected:
    bool HasSkin() const;
    // Enter (In) or leave: hot state, redraw or morph, event, glow.
    void Hover(bool In);
    void RedrawOrMorph();
    void SetMorphValue(double Value);
    // Copies rectangle R of the picture onto Cnvs at ObjectRect.
    void CopyImage(TCanvas* Cnvs, TBitmap* From, TRect R) const;
    // Draws the blend of the normal and hot images by FMorphKf.
    void DrawMorph(TCanvas* Cnvs, TBitmap* NormalFrom, TRect Normal, TRect Hot) const;
    bool MorphUnderWay() const;
};

// Drawn only by the application's OnPaintEvent.
class TskUserObject : public TskActiveSkinObject {
public:
    using TskActiveSkinObject::TskActiveSkinObject;
    void Draw(TCanvas* Cnvs, bool UpDate) override;
};

class TskSkinButtonObject : public TskActiveSkinObject {
public:
    TskSkinButtonObject(TskSkinForm* AParent, TskDataSkinObject* AData);

    bool CanMorphing() override;
    void Draw(TCanvas* Cnvs, bool UpDate) override;
    void MouseDown(int X, int Y, TMouseButton Button) override;
    void MouseUp(int X, int Y, TMouseButton Button) override;
    void MouseEnter() override;
    void MouseLeave() override;

    bool FDown = false;
    TRect DisableSkinRect;
    TRect DownRect;

protected:
    void SetButtonDown(bool Value);
};

// What a caption button does, and its images and hint while the form is in
// the state its command leads to (maximized, minimized, rolled up).
struct TskCommandButton {
    TskStdCommand Command = TskStdCommand::cmClose;
    TRect RestoreRect, RestoreActiveRect, RestoreInActiveRect, RestoreDownRect;
    std::string RestoreHint;
    std::string FTempHint;

    template <class TData> void LoadCommand(const TData& Data)
    {
        Command = Data.Command;
        RestoreRect = Data.RestoreRect;
        RestoreActiveRect = Data.RestoreActiveRect;
        RestoreInActiveRect = Data.RestoreInActiveRect;
        RestoreDownRect = Data.RestoreDownRect;
        RestoreHint = Data.RestoreHint;
        FTempHint = Data.Hint;
    }
    bool CommandInRestoreState(const TskSkinForm& Form) const;
    // The hint for the form's state, for every command but cmDefault.
    void ChooseHint(const TskSkinForm& Form, std::string& Hint) const;
    // Close, maximize, minimize, roll up, minimize to tray; the others do nothing.
    void RunStdCommand(TskSkinForm& Form) const;
};

class TskSkinStdButtonObject : public TskSkinButtonObject, public TskCommandButton {
public:
    TskSkinStdButtonObject(TskSkinForm* AParent, TskDataSkinObject* AData);
    TskCommandButton* CommandButton() override { return this; }

    bool PointInObject(int X, int Y) override;
    bool CanMorphing() override;
    void Draw(TCanvas* Cnvs, bool UpDate) override;
    void DblClick() override;
    void MouseDown(int X, int Y, TMouseButton Button) override;
    void MouseUp(int X, int Y, TMouseButton Button) override;
    void MouseEnter() override;
    // The look of a caption button without a skin.
    void DefaultDraw(TCanvas* Cnvs);

    bool FSkinSupport = false;

private:
    bool InRestoreState() const { return CommandInRestoreState(*Parent); }
    bool ShowsFormIcon() const;
};

} // namespace tovrel
