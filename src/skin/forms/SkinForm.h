#pragma once
// TskSkinForm: the component that takes over a form's window procedure and
// draws the form's caption, borders and caption buttons from the skin (or a
// built-in default frame without one), answers the frame's hit test so the
// layer's move and size loop works on it, and re-applies the skin to the form
// and to every skinned control when the skin changes.
#include <memory>
#include <string>
#include <vector>

#include "platform/vcl/ComponentRef.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/ImageList.h"
#include "skin/controls/SkinControl.h"
#include "skin/data/SkinData.h"
#include "skin/forms/CaptionObject.h"
#include "skin/forms/ClientInActivePanel.h"
#include "skin/forms/FrameGeometry.h"
#include "skin/forms/FrameObjects.h"
#include "skin/forms/MagneticDocking.h"
#include "skin/forms/QuickButtons.h"
#include "skin/forms/TrayIcon.h"
#include "skin/menus/SkinMenuHost.h"
#include "skin/menus/SkinMenuMessages.h"

namespace tovrel {

class TBitmap;
class TFont;
class TMenu;
class TMenuItem;
class TPopupMenu;
class TskSkinHint;
class TskSkinMainMenuBar;
class TskSkinMenu;
class TskSkinPopupMenu;
class TTimer;
class TskBitmap;
class TskFormLayerBorder;

enum class TskBorderIcon : std::uint8_t { biSystemMenu, biMinimize, biMaximize, biRollUp, biMinimizeToTray };
using TskBorderIcons = TSet<TskBorderIcon>;
// Where a form goes at its first show: left alone, centred on its monitor, or
// centred in the monitor's work area.
enum class TskPositionInMonitor : std::uint8_t { skpDefault, skpScreenCenter, skpDesktopCenter };

// Paints the caption in place of the skin's text.
using TskCaptionPaintEvent = std::function<void(TCanvas* Cnvs, TRect R, bool AActive)>;
using TskActivateCustomObjectEvent = std::function<void(const std::string& IDName, bool& ObjectVisible)>;

// Private messages the form component answers besides the skin data's.
constexpr unsigned SkinnableFormQueryMessage = 45490;
constexpr unsigned SkinPaintFrameToMessage = 48203;
// The caption buttons laid out from the outer end inwards.
constexpr TskStdCommand kCaptionButtonOrder[] = {TskStdCommand::cmClose, TskStdCommand::cmMaximize,
                                                 TskStdCommand::cmMinimize, TskStdCommand::cmRollUp,
                                                 TskStdCommand::cmMinimizeToTray};
// The caption animation's tick in milliseconds.
constexpr unsigned kAnimateTick = 25;
constexpr LRESULT SkinnableFormAnswer = 12853, NativeFormAnswer = 12852;

class TskSkinForm : public TComponent, public TskSkinMenuHost {
public:
    // The owner must be a form; anything else raises EInvalidCast.
    explicit TskSkinForm(TComponent* AOwner);
    ~TskSkinForm() override;

    TskSkinData* SkinData() const override { return FSD; }
    // Stores it and re-applies the skin to the form.
    void SetSkinData(TskSkinData* Value);
    TskSkinData* MenusSkinData() const override { return FMenusSD; }
    void SetMenusSkinData(TskSkinData* Value) { FMenusSD = Value; }
    TskBorderIcons BorderIcons() const { return FBorderIcons; }
    // Re-evaluates the caption buttons and repaints the frame.
    void SetBorderIcons(TskBorderIcons Value);
    bool GetSkinnableForm() const { return FSkinnableForm; }
    void SetSkinnableForm(bool Value);
    std::string GetProductVersion() const { return "7.81"; }

    // True keeps the frame native whatever the skin says (a form drawing its own band).
    bool UseRibbon = false;
    bool DisableSystemMenu = false;
    bool AlwaysResize = false;
    bool HideCaptionButtons = false;
    bool AlwaysMinimizeToTray = false;
    bool UseFormCursorInNCArea = false;
    bool ShowObjectHint = false;
    bool UseDefaultObjectHint = true;
    bool MaximizeOnFullScreen = false;
    bool ShowIcon = false;
    bool PreviewMode = false;
    int ClientWidth = 0;
    int ClientHeight = 0;
    int MinWidth = 0, MinHeight = 0, MaxWidth = 0, MaxHeight = 0;
    TskPositionInMonitor PositionInMonitor = TskPositionInMonitor::skpDefault;
    bool Magnetic = false;
    int MagneticSize = 5;
    std::unique_ptr<TBitmap> LogoBitMap;
    bool LogoBitMapTransparent = false;
    std::unique_ptr<TFont> DefCaptionFont;
    std::unique_ptr<TFont> DefInActiveCaptionFont;
    TskQuickButtonItems* QuickButtons() const { return FQuickButtons.get(); }
    TCustomImageList* QuickImageList() const { return FQuickImageList; }
    void SetQuickImageList(TCustomImageList* Value);
    bool QuickButtonsShowHint = false;
    // Shows the hints of the frame objects (with ShowObjectHint) and of the
    // quick buttons (with QuickButtonsShowHint) after the hint pause.
    TskSkinHint* SkinHint() const { return FSkinHint; }
    void SetSkinHint(TskSkinHint* Value);
    // A non-empty hint through SkinHint after its pause; hiding cancels it.
    void ShowFrameHint(const std::string& Hint);
    void HideFrameHint();
    // Cover the client area of the inactive form with a frozen picture of it.
    bool ClientInActiveEffect = false;
    TskClientInActiveEffect ClientInActiveEffectType = TskClientInActiveEffect::skieSemiTransparent;
    void ShowClientInActiveEffect();
    void HideClientInActiveEffect();
    TskClientInActivePanel* InActivePanel() const { return FInActivePanel; }
    // Translucency and the fade-in on show, where layered windows are available.
    bool AlphaBlend() const { return FAlphaBlend; }
    void SetAlphaBlend(bool Value);
    std::uint8_t AlphaBlendValue() const { return FAlphaBlendValue; }
    void SetAlphaBlendValue(std::uint8_t Value);
    bool AlphaBlendAnimation = false;
    // The skin's layered border around the form, where layered windows are
    // available (a compositor runs) and the skin has one.
    TskFormLayerBorder* BorderLayer() const { return FBorderLayer.get(); }
    bool AlwaysDisableLayeredFrames = false;
    bool CanShowBorderLayer() const;
    // The form shows opaque at once and only the border comes in with it.
    bool IsBorderFadeMode() const;
    // Shows, hides or moves the border as the form's state and bounds ask.
    void UpdateBorderLayer();
    // Set while the border's windows resize the form: no frame-object tracking.
    bool FBorderLayerChangeSize = false;
    // No system shadow exists here: only the state is kept.
    void EnableShadow(bool AShowShadow, bool AHideFormBefore);
    bool HaveShadow() const { return FHaveShadow; }
    TskCaptionPaintEvent OnCaptionPaint;

    TNotifyEvent OnChangeSkinData, OnBeforeChangeSkinData, OnAfterChangeSkinData;
    TNotifyEvent OnActivate, OnDeActivate;
    TNotifyEvent OnChangeRollUpState, OnMinimize, OnRestore, OnMaximize, OnMinimizeToTray;
    TskPaintEvent OnPaintEvent;
    TskMouseEnterEvent OnMouseEnterEvent, OnMouseLeaveEvent;
    TskMouseDownEvent OnMouseDownEvent, OnMouseUpEvent;
    TskMouseMoveEvent OnMouseMoveEvent;
    TskActivateCustomObjectEvent OnActivateCustomObject;
    // Asked for the system menu's items when the system-menu button is
    // pressed; the skinned system menu plugs in here.
    std::function<void(TskSkinStdButtonObject& Button)> OnSystemMenuButton;

    TCustomForm* Form() const { return FForm; }

    // ---- state the frame objects read ----
    TWindowState WindowState() const { return FWindowState; }
    bool RollUpState() const { return FRollUpState; }
    bool SkinSupport() const { return FSkinSupport; }
    bool FormActiveFlag() const { return FFormActive; }
    bool GetFormActive() const;
    const TskFrameGeometry& Frame() const { return frame_; }
    TRect DefCaptionRect() const { return NewDefCaptionRect; }
    const std::vector<std::unique_ptr<TskActiveSkinObject>>& Objects() const { return ObjectList; }
    TTimer* MorphTimer() const { return FMorphTimer; }
    TTimer* MouseTimer() const { return FMouseTimer; }
    int ActiveObjectIndex() const { return ActiveObject; }

    // ---- frame objects ----
    void ClearObjects();
    int GetIndex(const std::string& AIDName) const;
    void SetEnabled(const std::string& AIDName, bool Value);
    void DrawSkinObject(TskActiveSkinObject& AObject);
    void UserObjectDraw(const std::string& AIDName);
    // The named animate object (with ButtonStyle) opens AMenu's items on its
    // command; other names are ignored.
    void LinkMenu(const std::string& AIDName, TMenu* AMenu, bool APopupUp);
    // Runs the animate timer when it is off.
    void StartAnimateTimer();
    TTimer* AnimateTimer() const { return FAnimateTimer; }
    void TestActive(int X, int Y, bool AActive);
    void CheckObjects();
    void UpdateObjectHints();

    // ---- frame ----
    void UpdateFrame(bool AUpdateObjects);
    void PaintNCSkin(HDC DC, bool AUseExternalDC);
    void PaintNCDefault(HDC DC, bool AUseExternalDC);
    void PaintBG(HDC DC);
    void PaintBGDefault(HDC DC);
    LRESULT HitTestSkin(TPoint P) const;
    LRESULT HitTestDefault(TPoint P) const;
    bool CanResize() const;
    int GetDefCaptionHeight() const;
    int GetDefButtonSize() const;
    void CalcDefRects();
    TRect GetDefCaptionRect();

    // ---- window states (the caption buttons' commands) ----
    void ApplyWindowState(TWindowState Value);
    void ApplyRollUpState(bool Value);
    // Hides the main form in the tray icon's tray; where it cannot (no tray
    // icon, no tray on the desktop) the form is minimized.
    void MinimizeToTray();
    void RestoreFromTray();
    TskTrayIcon* TrayIcon() const { return FTrayIcon; }
    // The icon is hidden until minimizing to the tray (unless
    // AlwaysShowInTray); it gets the tray menu when it has no menu, and its
    // double click restores from the tray when it has no handler.
    void SetTrayIcon(TskTrayIcon* Value);
    bool AlwaysShowInTray = false;
    TNotifyEvent OnRestoreFromTray;
    // Restore and Close, with the built-in captions.
    TskSkinPopupMenu* TrayMenu();
    int GetMinWidth() const;
    int GetMinHeight() const;
    int GetMaxWidth() const;
    int GetMaxHeight() const;
    int GetUnrolledHeight() const;

    // ---- placement ----
    void ApplyPositionInMonitor();
    // Where a form of AW x AH goes by PositionInMonitor; (AX, AY) with skpDefault.
    TPoint GetPositionInMonitor(int AX, int AY, int AW, int AH) const;
    // The first free minimized cell from the work area's bottom-left corner.
    TPoint GetMinimizedPos() const;
    // Sticks a form being moved to (X, Y), W x H, to the work area's edges.
    void DoMagnetic(int& X, int& Y, int W, int H);

    // Screen point -> the form's window coordinates.
    void PointToWindow(TPoint& P) const;

    // ---- the skinned system menu (SkinFormSystemMenu.cpp) ----
    // The popup engine the form's skinned menus open through.
    TskSkinMenu* SkinMenu() const override { return FSkinMenu; }
    // The items the system menu shows now, by the form's state: the user's
    // SystemMenu when set (with the standard items merged in while
    // UseDefaultSysMenu is on), else the default menu.
    TMenuItem* GetSystemMenuItems();
    void CreateDefaultSysMenu();
    TPopupMenu* SystemMenu() const { return FSystemMenu; }
    // A menu replaced here loses the standard items merged into it.
    void SetSystemMenu(TPopupMenu* Value);
    bool UseDefaultSysMenu = true;
    // The user's SystemMenu gets the state's standard items anew: Minimize,
    // Restore, Maximize, Roll-up and Minimize to tray above its own items,
    // Close below them.
    void UpdateSystemMenu();
    // At a screen point (a right click on the caption).
    void PopupSystemMenu(int X, int Y);
    // Below a screen rectangle.
    void PopupSystemMenuAtRect(TRect R);
    // Below the system-menu button (Alt+Space); nothing when it is disabled.
    void PopupSystemMenuAtButton();
    // A message that ends menus closes the open skinned menu, or leaves the
    // menu bar's menu mode when no popup is open.
    void CheckCloseMenus(unsigned Msg);

    // ---- the menus' settings, kept by the engine (SkinFormMenuSettings.cpp) ----
    int MaxMenuItemsInWindow() const;
    // Negative values are ignored; 0 is no limit.
    void SetMaxMenuItemsInWindow(int Value);
    bool MenusAlphaBlend() const;
    void SetMenusAlphaBlend(bool Value);
    std::uint8_t MenusAlphaBlendValue() const;
    void SetMenusAlphaBlendValue(std::uint8_t Value);
    bool MenusAlphaBlendAnimation() const;
    void SetMenusAlphaBlendAnimation(bool Value);
    bool UseSkinFontInMenu() const;
    void SetUseSkinFontInMenu(bool Value);
    int DefMenuItemHeight() const;
    // Values below 1 are ignored.
    void SetDefMenuItemHeight(int Value);
    TFont* DefMenuItemFont() const;
    // Copied into the engine's font.
    void SetDefMenuItemFont(const TFont* Value);
    // ---- the main menu bar and the menus' keyboard (SkinFormMenuBar.cpp) ----
    // The bar that Alt, F10, the arrows, Enter, Esc and accelerators go to.
    TskSkinMainMenuBar* MainMenuBar() const { return FMainMenuBar; }
    void SetMainMenuBar(TskSkinMainMenuBar* Value);
    // A skinned popup of the form is open.
    bool InMenu() const { return FInMenu; }
    void SetInMenu(bool Value) { FInMenu = Value; }
    // The menu bar is in menu mode.
    bool InMainMenu() const { return FInMainMenu; }
    void SetInMainMenu(bool Value) { FInMainMenu = Value; }
    void SkinMenuOpen();
    // A skinned menu closed: the hook goes and menu mode ends.
    void SkinMenuClose();
    // Leaves the menu bar's menu mode, closing an open popup.
    void EndMainMenu();
    // The bar's popup closed by Esc: its item stays highlighted.
    void EndSkinMenu();
    // While installed, the keys drive the menus (MenuKeyDown).
    void HookApp();
    void UnHookApp();
    void MenuKeyDown(WORD Key);
    bool CheckMainMenuAccel(WORD Key);
    TNotifyEvent OnSkinMenuOpen, OnSkinMenuClose, OnMainMenuEnter, OnMainMenuExit;

private:
    friend struct TskSkinFormProc;
    void ChangeSkinData();
    void SkinDataRemoved();
    void NewWindowProc(TMessage& Message);
    bool UsableSkin() const;
    void CalcRects();
    void CreateObjects();
    void CreateDefaultObjects();
    void ArrangeObjects();
    // The first visible std button of the command that the layout places.
    TskActiveSkinObject* PlacedButton(TskStdCommand Command) const;
    void SetFormRegion(bool AUpdate);
    void SetSkinRegion(HRGN Rgn);
    void ResetObjectStates();
    void UpdateCaptionActive(bool AAnimate);
    void ObjectMouseMove(int X, int Y);
    void ObjectMouseDown(TMouseButton Button, int X, int Y);
    void ObjectMouseUp(TMouseButton Button, int X, int Y);
    void ObjectDblClick();
    bool PointInMask(TPoint P) const;
    // The caption moves the form, its quick buttons do not.
    bool InCaptionArea(TPoint P) const;
    bool OnQuickButton(const TskSkinCaptionObject& Caption, TPoint P) const;
    void MouseTimerProc();
    void MorphTimerProc();
    void AnimateTimerProc();
    void StopTimers();
    void CheckFormSize();
    void DoMaximize();
    void DoMinimize();
    void DoNormal();
    bool Bordered() const;
    void SendNCPaint() const;
    bool IsMainForm() const;

    void InstallSystemMenu();
    // The state's standard items that apply, Close last; owned by the component.
    std::vector<TMenuItem*> CreateStandardSysMenuItems(bool RestoreBeforeMaximize);
    // SC_KEYMENU (a lone Alt or F10): menu mode on or off; false without a bar.
    bool KeyMenu(LPARAM Char);
    bool FormShortCut(WORD Key, TShiftState Shift);
    // Right moves along the bar unless it opens the highlighted row's sub-menu.
    bool RightMovesAlongBar() const;

    TCustomForm* FForm = nullptr;
    TWndMethod OldWindowProc;
    TskSkinMenu* FSkinMenu = nullptr;
    TPopupMenu* FSysMenu = nullptr;
    TComponentRef<TPopupMenu> FSystemMenu{*this};
    TShortCutEvent OldFormShortCut;
    TComponentRef<TskSkinMainMenuBar> FMainMenuBar{*this};
    TComponentRef<TskTrayIcon> FTrayIcon{*this};
    TskSkinPopupMenu* FSysTrayMenu = nullptr;
    bool FInMenu = false;
    bool FInMainMenu = false;
    bool FInAppHook = false;
    // A skin data freed under the form leaves the default frame.
    TComponentRef<TskSkinData> FSD{*this, [this] { SkinDataRemoved(); }};
    TComponentRef<TskSkinData> FMenusSD{*this};
    std::unique_ptr<TskQuickButtonItems> FQuickButtons;
    TComponentRef<TCustomImageList> FQuickImageList{*this, [this] { SendNCPaint(); }};
    TComponentRef<TskSkinHint> FSkinHint{*this};
    TskBorderIcons FBorderIcons;
    bool FSkinnableForm = true;
    bool FSkinSupport = false;
    bool FStopPainting = false;
    bool FInChangeSkinData = false;
    bool FFormActive = false;
    bool FSizeMove = false;
    bool FSizing = false;
    bool FFullDrag = true;
    int FFormLeft = 0, FFormTop = 0, FFormWidth = 0, FFormHeight = 0;
    TRect OldBoundsRect;
    int OldHeight = 0;
    TWindowState FWindowState = wsNormal;
    bool FRollUpState = false;
    bool MaxRollUpState = false;
    bool FRollUpBeforeMaximize = false;
    bool FStartShow = true;
    // The form's own teardown frees the panel as its child.
    TComponentRef<TskClientInActivePanel> FInActivePanel{*this};
    bool FClientInActiveDraw = false;
    bool FAlphaBlend = false;
    std::uint8_t FAlphaBlendValue = 200;
    int FFadeAlpha = 0;
    bool FHaveShadow = false;
    bool LayeredUsable() const;
    bool FadeAnimated() const;
    // A fade runs at the show: the form's own, or the border's with it.
    bool Fades() const;
    void StartFadeIn();
    // The fade's timer tick; false for another timer.
    bool FadeStep(WPARAM TimerId);
    std::unique_ptr<TskFormLayerBorder> FBorderLayer;
    TskMagnetAxis FHMagnet, FVMagnet;
    TskFrameGeometry frame_;
    TRect NewDefCaptionRect;
    std::unique_ptr<TskBitmap> RMTop, RMLeft, RMRight, RMBottom;
    std::vector<std::unique_ptr<TskActiveSkinObject>> ObjectList;
    int ActiveObject = -1, OldActiveObject = -1, MouseCaptureObject = -1;
    TTimer* FMouseTimer = nullptr;
    TTimer* FMorphTimer = nullptr;
    TTimer* FAnimateTimer = nullptr;
};

// The first skinned form component among the form's components; null when none.
TskSkinForm* GetSkinForm(const TComponent* AForm);

} // namespace tovrel
