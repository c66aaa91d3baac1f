// The window procedure the component installs in its form: what it answers
// before the form's own procedure, what it keeps from it, and what it does
// with the frame's mouse messages afterwards.
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/Timer.h"
#include "platform/wm/Input.h"
#include "platform/wm/Messages.h"
#include "platform/wm/Styles.h"
#include "platform/wm/WinTypes.h"
#include "skin/forms/LayerBorder.h"
#include "skin/forms/SkinChangeWalk.h"
#include "skin/forms/SkinForm.h"

namespace tovrel {

namespace {

template <class T> T* Param(LPARAM l)
{
    return reinterpret_cast<T*>(l);
}

bool IsSizeCode(LRESULT hit)
{
    return hit >= HTLEFT && hit <= HTBOTTOMRIGHT;
}

} // namespace

// One handler per message; each says whether the old procedure still runs.
struct TskSkinFormProc {
    TskSkinForm& F;
    TMessage& M;

    void Old() { F.OldWindowProc(M); }

    bool NcCalcSize()
    {
        if (!F.FSkinnableForm)
            return true;
        if (!F.Bordered())
            return false;
        RECT* r = M.WParam ? &Param<NCCALCSIZE_PARAMS>(M.LParam)->rgrc[0] : Param<RECT>(M.LParam);
        if (!r)
            return false;
        if (F.FSkinSupport) {
            F.CalcRects();
            const TskFormInfo& info = F.FSD->FormInfo;
            r->Left += info.ClRect.Left;
            r->Top += info.ClRect.Top;
            r->Right -= F.FSD->FPicture->Width() - info.ClRect.Right;
            r->Bottom -= F.FSD->FPicture->Height() - info.ClRect.Bottom;
        } else {
            r->Left += 3;
            r->Top += F.GetDefCaptionHeight() + 3;
            r->Right -= 3;
            r->Bottom -= 3;
        }
        if (r->Left > r->Right)
            r->Right = r->Left;
        if (r->Top > r->Bottom)
            r->Bottom = r->Top;
        M.Result = 0;
        return false;
    }

    bool NcHitTest()
    {
        if (!F.FSkinnableForm)
            return true;
        TPoint p{GET_X_LPARAM(M.LParam), GET_Y_LPARAM(M.LParam)};
        F.PointToWindow(p);
        if (F.FSkinSupport) {
            M.Result = F.HitTestSkin(p);
        } else {
            F.CalcDefRects();
            M.Result = F.HitTestDefault(p);
        }
        if (!F.FMouseTimer->Enabled() && M.Result == HTOBJECT) {
            F.TestActive(p.X, p.Y, true);
            F.FMouseTimer->SetEnabled(true);
        }
        return false;
    }

    bool NcPaint()
    {
        if (!F.FSkinnableForm)
            return true;
        if (F.Bordered()) {
            if (F.FSkinSupport)
                F.PaintNCSkin(nullptr, false);
            else if (!F.FStopPainting)
                F.PaintNCDefault(nullptr, false);
        }
        return false;
    }

    bool NcActivate()
    {
        if (!F.FSkinnableForm)
            return true;
        F.FFormActive = M.WParam != 0;
        if (!F.FFormActive)
            F.TestActive(-1, -1, false);
        M.Result = 1;
        if (F.Bordered()) {
            F.SendNCPaint();
            F.UpdateCaptionActive(true);
        } else {
            F.UpdateCaptionActive(false);
        }
        if (F.FForm->Visible())
            F.FBorderLayer->SetActive(F.FFormActive, true);
        if (F.FForm->Visible() && F.ClientInActiveEffect) {
            if (F.FFormActive)
                F.HideClientInActiveEffect();
            else
                F.ShowClientInActiveEffect();
        }
        return false;
    }

    bool Activate()
    {
        if (!F.FSkinnableForm)
            return true;
        Old();
        F.SendNCPaint();
        F.ResetObjectStates();
        F.UpdateCaptionActive(true);
        return false;
    }

    bool SetText()
    {
        if (!F.FSkinnableForm)
            return true;
        Old();
        if (F.Bordered())
            F.SendNCPaint();
        return false;
    }

    bool EraseBackground()
    {
        if (F.FSkinSupport)
            F.PaintBG(HDC(M.WParam));
        else
            F.PaintBGDefault(HDC(M.WParam));
        M.Result = 1;
        return false;
    }

    void Size()
    {
        ClearMagnets();
        if (F.FSizeMove && F.FFullDrag) {
            Old();
            return;
        }
        Old();
        F.FFormWidth = F.FForm->Width();
        F.FFormHeight = F.FForm->Height();
        if (F.FSkinSupport && F.FSkinnableForm && F.FFormWidth >= F.GetMinWidth() &&
            F.FFormHeight >= F.GetMinHeight()) {
            F.UpdateFrame(true);
        } else if (!F.FSkinSupport && F.FSkinnableForm) {
            F.SetFormRegion(true);
            F.SendNCPaint();
        }
    }

    void Sizing()
    {
        ClearMagnets();
        if (!(F.FSizeMove && F.FFullDrag)) {
            Old();
            return;
        }
        F.FSizing = true;
        Old();
        const RECT* r = Param<RECT>(M.LParam);
        F.FFormWidth = r->Right - r->Left;
        F.FFormHeight = r->Bottom - r->Top;
        if (!F.FSkinSupport) {
            F.SetFormRegion(true);
        } else if (F.FSkinnableForm && F.FForm->Width() >= F.GetMinWidth() && F.FForm->Height() >= F.GetMinHeight()) {
            F.UpdateFrame(true);
        }
    }

    void Moving()
    {
        RECT* r = Param<RECT>(M.LParam);
        // A maximized form stays where it is.
        if (F.FSkinnableForm && F.FWindowState == wsMaximized) {
            *r = F.FForm->BoundsRect();
        } else if (F.Magnetic) {
            const int w = r->Right - r->Left, h = r->Bottom - r->Top;
            int x = r->Left, y = r->Top;
            F.DoMagnetic(x, y, w, h);
            *r = {x, y, x + w, y + h};
        }
        Old();
    }

    void ClearMagnets()
    {
        F.FHMagnet.Release();
        F.FVMagnet.Release();
    }

    bool ShowWindow()
    {
        if (M.WParam)
            F.StartFadeIn();
        else
            F.FBorderLayer->Hide();
        // A form shown in another state is placed at its first restore.
        const bool placing = F.PositionInMonitor != TskPositionInMonitor::skpDefault;
        if (F.FSkinnableForm && M.WParam && F.FStartShow && (!placing || F.FWindowState == wsNormal)) {
            F.FStartShow = false;
            if (placing)
                F.ApplyPositionInMonitor();
        }
        return true;
    }

    void GetMinMaxInfo()
    {
        if (F.FSkinnableForm) {
            auto* info = Param<MINMAXINFO>(M.LParam);
            info->ptMinTrackSize = {F.GetMinWidth(), F.GetMinHeight()};
            info->ptMaxTrackSize = {F.GetMaxWidth(), F.GetMaxHeight()};
        }
        Old();
    }

    void EnterSizeMove()
    {
        if (F.FSkinnableForm) {
            F.ResetObjectStates();
            F.FMouseTimer->SetEnabled(false);
            F.ActiveObject = F.MouseCaptureObject = -1;
            F.FSizeMove = true;
            F.FFullDrag = true;
            ClearMagnets();
            POINT cursor{};
            GetCursorPos(&cursor);
            F.FHMagnet.MouseDownCoord = cursor.X;
            F.FVMagnet.MouseDownCoord = cursor.Y;
        }
        Old();
    }

    void ExitSizeMove()
    {
        if (F.FSkinnableForm) {
            if (F.FSizing && (F.FForm->Width() != F.FFormWidth || F.FForm->Height() != F.FFormHeight)) {
                F.FFormWidth = F.FForm->Width();
                F.FFormHeight = F.FForm->Height();
                F.UpdateFrame(true);
            }
            F.FSizing = F.FSizeMove = false;
            F.FMouseTimer->SetEnabled(false);
            F.ActiveObject = F.OldActiveObject = F.MouseCaptureObject = -1;
            if (F.FSkinSupport)
                F.SendNCPaint();
        }
        Old();
    }

    bool SetCursor()
    {
        if (F.FSkinnableForm && F.UseFormCursorInNCArea) {
            const LRESULT hit = LRESULT(SHORT(LOWORD(ULONG_PTR(M.LParam))));
            if (hit != HTCLIENT && !IsSizeCode(hit))
                M.LParam = LPARAM((ULONG_PTR(M.LParam) & 0xFFFF0000u) | HTCLIENT);
        }
        return true;
    }

    void BeforeChange()
    {
        auto* sender = reinterpret_cast<TskSkinData*>(M.WParam);
        if (sender == F.FSD) {
            F.FStopPainting = true;
            F.FSkinSupport = false;
            F.StopTimers();
            F.ClearObjects();
            WalkBeforeSkinChange(*F.FForm, sender);
            if (F.OnBeforeChangeSkinData)
                F.OnBeforeChangeSkinData(&F);
        }
        Old();
    }

    void Change()
    {
        auto* sender = reinterpret_cast<TskSkinData*>(M.WParam);
        F.FStopPainting = false;
        if (sender == F.FSD)
            F.ChangeSkinData();
        WalkAfterSkinChange(*F.FForm, sender);
        Old();
    }

    void AfterChange()
    {
        if (F.OnAfterChangeSkinData)
            F.OnAfterChangeSkinData(&F);
        Old();
    }

    bool PaintTo(bool keyed)
    {
        if (!F.FSkinnableForm || (keyed && M.LParam != SkinPaintKey))
            return true;
        if (M.WParam && F.Bordered()) {
            if (F.FSkinSupport)
                F.PaintNCSkin(HDC(M.WParam), true);
            else
                F.PaintNCDefault(HDC(M.WParam), true);
            M.Result = SkinPaintDoneResult;
        }
        if (keyed)
            M.Result = SkinPaintKey;
        return false;
    }

    // Before the old procedure; true when it still runs.
    bool Pre()
    {
        switch (M.Msg) {
        case WM_DESTROY: F.StopTimers(); return true;
        case WM_NCCALCSIZE: return NcCalcSize();
        case WM_NCHITTEST: return NcHitTest();
        case WM_NCPAINT: return NcPaint();
        case WM_NCACTIVATE: return NcActivate();
        case WM_ACTIVATE: return Activate();
        case WM_SETTEXT: return SetText();
        case WM_SHOWWINDOW: return ShowWindow();
        case WM_TIMER: F.FadeStep(M.WParam); return true;
        case WM_ERASEBKGND: return EraseBackground();
        case WM_SETCURSOR: return SetCursor();
        case WM_SYNCPAINT:
            if (F.FSkinnableForm && F.FRollUpState) {
                F.SendNCPaint();
                M.Result = 0;
                return false;
            }
            return true;
        case WM_SIZE: Size(); return false;
        case WM_SIZING: Sizing(); return false;
        case WM_MOVING: Moving(); return false;
        case WM_GETMINMAXINFO: GetMinMaxInfo(); return false;
        case WM_ENTERSIZEMOVE: EnterSizeMove(); return false;
        case WM_EXITSIZEMOVE: ExitSizeMove(); return false;
        case WM_SYSCOMMAND:
            if ((M.WParam & 0xFFF0) == SC_RESTORE && F.OnRestore)
                F.OnRestore(&F);
            return (M.WParam & 0xFFF0) != SC_KEYMENU || !F.KeyMenu(M.LParam);
        case SkinMenuClosedMessage: F.SkinMenuClose(); return true;
        case WM_WINDOWPOSCHANGED:
            F.FFormLeft = F.FForm->Left();
            F.FFormTop = F.FForm->Top();
            return true;
        case ShowLayeredBordersChangedMessage: F.UpdateBorderLayer(); return true;
        case BeforeChangeSkinDataMessage: BeforeChange(); return false;
        case ChangeSkinDataMessage: Change(); return false;
        case AfterChangeSkinDataMessage: AfterChange(); return false;
        case ResourceStrDataChangedMessage: F.UpdateObjectHints(); return true;
        case SkinnableFormChangedMessage:
            if (!F.UseRibbon && F.FSD && reinterpret_cast<TskSkinData*>(M.WParam) == F.FSD &&
                F.FForm->FormStyle() != fsMDIChild)
                F.SetSkinnableForm(F.FSD->SkinnableForm());
            return true;
        case SkinnableFormQueryMessage:
            M.Result = F.FSkinnableForm ? SkinnableFormAnswer : NativeFormAnswer;
            return false;
        case SkinPaintToMessage: return PaintTo(false);
        case SkinPaintFrameToMessage: return PaintTo(true);
        default: return true;
        }
    }

    // After the old procedure: the frame's mouse messages reach the objects.
    void Post()
    {
        if (!F.FSkinnableForm)
            return;
        TPoint p{GET_X_LPARAM(M.LParam), GET_Y_LPARAM(M.LParam)};
        switch (M.Msg) {
        // The border follows the form's bounds and visibility.
        case WM_WINDOWPOSCHANGED: F.UpdateBorderLayer(); break;
        case WM_NCMOUSEMOVE:
            F.PointToWindow(p);
            F.ObjectMouseMove(p.X, p.Y);
            break;
        case WM_NCLBUTTONDOWN:
            if (F.FSizeMove) {
                F.FSizeMove = false;
                break;
            }
            F.PointToWindow(p);
            F.TestActive(p.X, p.Y, true);
            F.ObjectMouseDown(mbLeft, p.X, p.Y);
            if (M.WParam == WPARAM(HTCAPTION))
                F.MouseCaptureObject = -1;
            break;
        case WM_NCLBUTTONUP:
            F.PointToWindow(p);
            F.ObjectMouseUp(mbLeft, p.X, p.Y);
            break;
        case WM_NCLBUTTONDBLCLK: NcDoubleClick(p); break;
        case WM_NCRBUTTONDOWN:
        case WM_NCRBUTTONDBLCLK:
            F.PointToWindow(p);
            F.TestActive(p.X, p.Y, true);
            F.ObjectMouseDown(mbRight, p.X, p.Y);
            if (M.WParam == WPARAM(HTCAPTION))
                F.MouseCaptureObject = -1;
            break;
        case WM_NCRBUTTONUP:
            F.PointToWindow(p);
            F.ObjectMouseUp(mbRight, p.X, p.Y);
            break;
        case WM_LBUTTONUP: F.ObjectMouseUp(mbLeft, -1, -1); break;
        case WM_RBUTTONUP: F.ObjectMouseUp(mbRight, -1, -1); break;
        default: break;
        }
    }

    void NcDoubleClick(TPoint p)
    {
        F.PointToWindow(p);
        F.TestActive(p.X, p.Y, true);
        F.ObjectMouseDown(mbLeft, p.X, p.Y);
        F.ObjectDblClick();
        if (M.WParam == WPARAM(HTCAPTION)) {
            const bool sizeable = F.CanResize();
            if (sizeable && F.FWindowState == wsMinimized)
                F.ApplyWindowState(wsNormal);
            else if (sizeable && F.FWindowState != wsMaximized && !F.FRollUpState &&
                     F.FBorderIcons.Contains(TskBorderIcon::biMaximize))
                F.ApplyWindowState(wsMaximized);
            else if (sizeable && F.FWindowState == wsMaximized && !F.MaxRollUpState)
                F.ApplyWindowState(wsNormal);
            else
                F.ApplyRollUpState(!F.FRollUpState);
            F.MouseCaptureObject = -1;
        }
    }
};

void TskSkinForm::NewWindowProc(TMessage& Message)
{
    TskSkinFormProc proc{*this, Message};
    // The form's last messages while it is torn down are its own.
    if (FForm->ComponentState().Contains(csDestroying)) {
        proc.Old();
        return;
    }
    CheckCloseMenus(Message.Msg);
    if (proc.Pre())
        proc.Old();
    proc.Post();
    if (Message.Msg == WM_NCRBUTTONDOWN && Message.WParam == WPARAM(HTCAPTION))
        PopupSystemMenu(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam));
}

} // namespace tovrel
