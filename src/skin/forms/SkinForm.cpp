// The component itself: construction, the skinned/native switch, applying a
// skin to the form, and the frame objects built from the skin.
#include "skin/forms/SkinForm.h"

#include "platform/vcl/Application.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/Errors.h"
#include "platform/vcl/GraphicsObjects.h"
#include "platform/vcl/Timer.h"
#include "platform/wm/MessageLoop.h"
#include "platform/wm/Styles.h"
#include "platform/wm/Window.h"
#include "platform/wm/WindowPos.h"
#include "skin/data/ResourceStrData.h"
#include "skin/data/SkinFrameEntries.h"
#include "skin/data/SkinGeometry.h"
#include "skin/data/SkinMenuEntries.h"
#include "skin/draw/SkinBitmap.h"
#include "skin/forms/AnimateObject.h"
#include "skin/forms/DisabledTimer.h"
#include "skin/forms/LayerBorder.h"
#include "skin/forms/SkinChangeWalk.h"

namespace tovrel {

namespace {

std::unique_ptr<TFont> CaptionFont(TColor color)
{
    auto font = std::make_unique<TFont>();
    font->SetName("Arial");
    font->SetHeight(14);
    font->SetStyle(TFontStyles{fsBold});
    font->SetColor(color);
    return font;
}

TCustomForm* OwnerForm(TComponent* owner)
{
    auto* form = dynamic_cast<TCustomForm*>(owner);
    if (!form)
        throw EInvalidOperation("The skinned form component needs a form as its owner");
    return form;
}

} // namespace

TskSkinForm::TskSkinForm(TComponent* AOwner)
    : TComponent(AOwner), LogoBitMap(std::make_unique<TBitmap>()), DefCaptionFont(CaptionFont(clBtnText)),
      DefInActiveCaptionFont(CaptionFont(clBtnShadow)), FForm(OwnerForm(AOwner)),
      FQuickButtons(std::make_unique<TskQuickButtonItems>(this))
{
    FBorderIcons = {TskBorderIcon::biSystemMenu, TskBorderIcon::biMinimize, TskBorderIcon::biMaximize,
                    TskBorderIcon::biRollUp};
    RMTop = std::make_unique<TskBitmap>();
    RMLeft = std::make_unique<TskBitmap>();
    RMRight = std::make_unique<TskBitmap>();
    RMBottom = std::make_unique<TskBitmap>();
    FMouseTimer = DisabledTimer(this, 50, [this] { MouseTimerProc(); });
    FMorphTimer = DisabledTimer(this, 25, [this] { MorphTimerProc(); });
    FAnimateTimer = DisabledTimer(this, kAnimateTick, [this] { AnimateTimerProc(); });
    FBorderLayer = std::make_unique<TskFormLayerBorder>(this);
    // The layer's own caption buttons are never used while the frame is skinned.
    FForm->BorderIcons = {};
    FFormActive = FForm->Active();
    InstallSystemMenu();
    OldWindowProc = FForm->WindowProc;
    FForm->WindowProc = [this](TMessage& message) { NewWindowProc(message); };
    if (FForm->HandleAllocated())
        FForm->RecreateWnd();
}

TskSkinForm::~TskSkinForm()
{
    ClearObjects();
    UnHookApp();
    // A form being destroyed frees its components after its own parts.
    if (!FForm->ComponentState().Contains(csDestroying)) {
        FForm->WindowProc = OldWindowProc;
        FForm->OnShortCut = OldFormShortCut;
    }
}

void TskSkinForm::SetSkinData(TskSkinData* Value)
{
    FSD = Value;
    if (Value && FForm->FormStyle() != fsMDIChild)
        FSkinnableForm = Value->SkinnableForm();
    ChangeSkinData();
}

void TskSkinForm::SetBorderIcons(TskBorderIcons Value)
{
    FBorderIcons = Value;
    CheckObjects();
    SendNCPaint();
}

void TskSkinForm::SetSkinnableForm(bool Value)
{
    const bool wasMaximized = FWindowState == wsMaximized && FSkinnableForm;
    if (wasMaximized)
        ApplyWindowState(wsNormal);
    FSkinnableForm = Value && !UseRibbon;
    ChangeSkinData();
    WalkAfterSkinChange(*FForm, nullptr);
    if (FForm->HandleAllocated())
        SetWindowPos(FForm->Handle(), nullptr, 0, 0, 0, 0,
                     SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (wasMaximized) {
        if (FSkinnableForm)
            ApplyWindowState(wsMaximized);
        else
            FForm->SetWindowState(wsMaximized);
    }
}

// The activation the frame was last told by WM_NCACTIVATE: the layer changes
// its active window only after the deactivation messages, so the form's own
// Active would still answer true while the frame repaints inactive.
bool TskSkinForm::GetFormActive() const
{
    return PreviewMode || FFormActive;
}

bool TskSkinForm::IsMainForm() const
{
    return Application && Application->MainForm() == FForm;
}

bool TskSkinForm::Bordered() const
{
    return FForm->BorderStyle() != bsNone;
}

void TskSkinForm::SendNCPaint() const
{
    // A form being torn down frees its image lists after its window part.
    if (FForm->ComponentState().Contains(csDestroying))
        return;
    if (FForm->HandleAllocated())
        SendMessage(FForm->Handle(), WM_NCPAINT, 0, 0);
}

void TskSkinForm::SkinDataRemoved()
{
    FSkinSupport = false;
    ClearObjects();
    // Not while the form itself goes (it may own the skin data).
    if (!ComponentState().Contains(csDestroying) && !FForm->ComponentState().Contains(csDestroying))
        ChangeSkinData();
}

// A skin whose form picture is missing cannot cut a frame: the default frame
// stands in for it, as for no skin at all.
bool TskSkinForm::UsableSkin() const
{
    return FSD && !FSD->Empty && FSD->FPicture && !FSD->FPicture->Empty();
}

void TskSkinForm::ChangeSkinData()
{
    if (UseRibbon)
        FSkinnableForm = false;
    OldActiveObject = ActiveObject = MouseCaptureObject = -1;
    FSkinSupport = UsableSkin();
    if (FSkinSupport && FSkinnableForm) {
        CreateObjects();
        CheckObjects();
    } else {
        ClearObjects();
        FFormWidth = FForm->Width();
        FFormHeight = FForm->Height();
        SetFormRegion(true);
    }
    if (FSkinnableForm)
        FForm->BorderIcons = {};
    else {
        TBorderIcons icons;
        if (!HideCaptionButtons)
            icons.Include(biSystemMenu);
        if (FBorderIcons.Contains(TskBorderIcon::biMinimize))
            icons.Include(biMinimize);
        if (FBorderIcons.Contains(TskBorderIcon::biMaximize))
            icons.Include(biMaximize);
        FForm->BorderIcons = icons;
    }
    FInChangeSkinData = true;
    // The client rectangle follows the new frame sizes.
    if (FForm->HandleAllocated())
        SetWindowPos(FForm->Handle(), nullptr, 0, 0, 0, 0,
                     SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    const int w = GetMinWidth(), h = GetMinHeight();
    if (FForm->Width() < w && FForm->Height() < h)
        FForm->SetBounds(FForm->Left(), FForm->Top(), w, h);
    else if (FForm->Height() < h)
        FForm->SetHeight(h);
    else if (FForm->Width() < w)
        FForm->SetWidth(w);
    if ((FRollUpState || FWindowState == wsMinimized) && FForm->Height() != h)
        FForm->SetHeight(h);
    FFormWidth = FForm->Width();
    FFormHeight = FForm->Height();
    if (FSkinSupport)
        UpdateFrame(true);
    FForm->Repaint();
    SendNCPaint();
    UpdateCaptionActive(true);
    FMouseTimer->SetEnabled(true);
    FBorderLayer->Hide();
    FBorderLayer->InitFrame(FSD, FForm);
    UpdateBorderLayer();
    if (OnChangeSkinData)
        OnChangeSkinData(this);
    FInChangeSkinData = false;
    if (!FRollUpState) {
        if (ClientWidth > 0)
            FForm->SetClientWidth(ClientWidth);
        if (ClientHeight > 0)
            FForm->SetClientHeight(ClientHeight);
    }
}

// ---- frame objects ----

void TskSkinForm::ClearObjects()
{
    ObjectList.clear();
    ActiveObject = OldActiveObject = MouseCaptureObject = -1;
}

void TskSkinForm::CreateObjects()
{
    ClearObjects();
    for (const auto& entry : FSD->ObjectList) {
        TskDataSkinObject* data = entry.get();
        std::unique_ptr<TskActiveSkinObject> object;
        if (dynamic_cast<TskDataSkinMainMenuItem*>(data) || dynamic_cast<TskDataSkinMenuItem*>(data) ||
            dynamic_cast<TskDataSkinMainMenuBarButton*>(data))
            continue;
        if (dynamic_cast<TskDataSkinStdButton*>(data))
            object = std::make_unique<TskSkinStdButtonObject>(this, data);
        else if (dynamic_cast<TskDataSkinButton*>(data))
            object = std::make_unique<TskSkinButtonObject>(this, data);
        else if (dynamic_cast<TskDataSkinCaption*>(data))
            object = std::make_unique<TskSkinCaptionObject>(this, data);
        else if (auto* animate = dynamic_cast<TskDataSkinAnimate*>(data))
            object = std::make_unique<TskSkinAnimateObject>(this, animate);
        else if (dynamic_cast<TskDataUserObject*>(data))
            object = std::make_unique<TskUserObject>(this, data);
        if (object)
            ObjectList.push_back(std::move(object));
    }
}

void TskSkinForm::CreateDefaultObjects()
{
    ClearObjects();
    struct TDefault {
        const char* Name;
        TskStdCommand Command;
    };
    static constexpr TDefault defaults[] = {
        {"closebutton", TskStdCommand::cmClose},     {"maxbutton", TskStdCommand::cmMaximize},
        {"minbutton", TskStdCommand::cmMinimize},    {"rollupbutton", TskStdCommand::cmRollUp},
        {"sysmenubutton", TskStdCommand::cmSysMenu}, {"traybutton", TskStdCommand::cmMinimizeToTray},
    };
    for (const TDefault& d : defaults) {
        auto button = std::make_unique<TskSkinStdButtonObject>(this, nullptr);
        button->SkinRectInAPicture = true;
        button->SkinRect = button->ActiveSkinRect = button->DownRect = Rect(0, 0, 1, 1);
        button->Command = d.Command;
        button->IDName = d.Name;
        ObjectList.push_back(std::move(button));
    }
    CheckObjects();
}

int TskSkinForm::GetIndex(const std::string& AIDName) const
{
    for (std::size_t i = 0; i < ObjectList.size(); ++i)
        if (ObjectList[i]->IDName == AIDName)
            return int(i);
    return -1;
}

void TskSkinForm::SetEnabled(const std::string& AIDName, bool Value)
{
    if (const int i = GetIndex(AIDName); i >= 0)
        ObjectList[std::size_t(i)]->Enabled = Value;
}

void TskSkinForm::CheckObjects()
{
    if (ObjectList.empty())
        return;
    for (auto& object : ObjectList) {
        TskCommandButton* command = object->CommandButton();
        if (!command)
            continue;
        TskActiveSkinObject& button = *object;
        if (HideCaptionButtons) {
            button.Enabled = false;
            button.Visible = !button.SkinRectInAPicture;
            continue;
        }
        // An animate object that is no button keeps its settings.
        if (auto* animate = dynamic_cast<TskSkinAnimateObject*>(object.get()); animate && !animate->ButtonStyle)
            continue;
        const auto enabledBy = [this](TskBorderIcon icon) { return FBorderIcons.Contains(icon); };
        switch (command->Command) {
        case TskStdCommand::cmMaximize: button.Enabled = enabledBy(TskBorderIcon::biMaximize); break;
        case TskStdCommand::cmMinimize: button.Enabled = enabledBy(TskBorderIcon::biMinimize); break;
        case TskStdCommand::cmRollUp: button.Enabled = enabledBy(TskBorderIcon::biRollUp); break;
        case TskStdCommand::cmMinimizeToTray: button.Enabled = enabledBy(TskBorderIcon::biMinimizeToTray); break;
        case TskStdCommand::cmSysMenu:
            button.Enabled = enabledBy(TskBorderIcon::biSystemMenu) && !DisableSystemMenu;
            break;
        case TskStdCommand::cmDefault: {
            bool visible = false;
            if (OnActivateCustomObject)
                OnActivateCustomObject(button.IDName, visible);
            button.Visible = visible;
            continue;
        }
        case TskStdCommand::cmClose: continue;
        }
        button.Visible = button.SkinRectInAPicture ? button.Enabled : true;
    }
    UpdateObjectHints();
}

void TskSkinForm::LinkMenu(const std::string& AIDName, TMenu* AMenu, bool APopupUp)
{
    const int i = GetIndex(AIDName);
    auto* animate = i >= 0 ? dynamic_cast<TskSkinAnimateObject*>(ObjectList[std::size_t(i)].get()) : nullptr;
    if (!animate || !animate->ButtonStyle)
        return;
    animate->MenuItem = AMenu ? AMenu->Items() : nullptr;
    animate->FPopupUp = APopupUp;
}

void TskSkinForm::StartAnimateTimer()
{
    if (!FAnimateTimer->Enabled())
        FAnimateTimer->SetEnabled(true);
}

void TskSkinForm::SetQuickImageList(TCustomImageList* Value)
{
    FQuickImageList = Value;
    SendNCPaint();
}

void TskSkinForm::UpdateObjectHints()
{
    if (!UseDefaultObjectHint || !FSD)
        return;
    const TskResourceStrData* strings = FSD->ResourceStrData();
    const auto text = [strings](const char* name, const char* builtIn) {
        std::string value = strings ? strings->GetResStr(name) : std::string();
        return value.empty() ? std::string(builtIn) : value;
    };
    for (auto& object : ObjectList) {
        TskCommandButton* button = object->CommandButton();
        if (!button)
            continue;
        std::string& hint = object->Hint;
        switch (button->Command) {
        case TskStdCommand::cmClose: hint = text("CLOSEBUTTON_HINT", "Close"); break;
        case TskStdCommand::cmMaximize: hint = text("MAXBUTTON_HINT", "Maximize"); break;
        case TskStdCommand::cmMinimize: hint = text("MINBUTTON_HINT", "Minimize"); break;
        case TskStdCommand::cmSysMenu: hint = text("MENUBUTTON_HINT", "System menu"); break;
        case TskStdCommand::cmRollUp: hint = text("ROLLUPBUTTON_HINT", "Roll Up"); break;
        case TskStdCommand::cmMinimizeToTray: hint = text("TRAYBUTTON_HINT", "Minimize to Tray"); break;
        case TskStdCommand::cmDefault: break;
        }
        button->FTempHint = hint;
        button->RestoreHint = text("RESTORE_HINT", "Restore");
    }
}

} // namespace tovrel
