#pragma once
// Calls between the parts of the window layer (internal).
#include "platform/wm/MessageQueue.h"
#include "platform/wm/WindowState.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

namespace tovrel {

std::shared_ptr<TWindowClassInfo> FindWindowClass(std::string_view name);
// GetDesktopWindow's handle: the screen, never in the window table.
inline HWND DesktopHandle()
{
    return reinterpret_cast<HWND>(std::uintptr_t(0x1000));
}

// The tree.
std::vector<HWND>& SiblingList(const TWindow& w); // the parent's children, or the top-level windows
void LinkWindow(TWindow& w);                      // on top of its siblings (below topmost top-level windows)
void UnlinkWindow(TWindow& w);
bool IsOwnedBy(HWND hwnd, HWND owner); // an owner at any level
void MakeTopLevelStore(TWindow& w);    // backing surface and backend window

// Messages.
LRESULT CallProc(const std::shared_ptr<TWindow>& w, UINT message, WPARAM wParam, LPARAM lParam);
bool RetrieveMessage(MSG& out, const TMessageFilter& filter, bool remove);

// Input.
bool CookNextInput(); // translates one raw event; false when none waits
// Typed text belongs to the key press before it: a press taken from the queue and
// never passed to TranslateMessage (a menu or size loop consumed it) drops its text.
void KeyDownRetrieved(const MSG& m, bool removed);
// The last Alt release had no other key pressed while Alt was down.
bool AltReleasedAlone();
void KeyDownTranslated(const MSG& m);
void ForgetUntranslatedKeyDown();   // any other input came between
void ForgetWindowInput(TWindow& w); // focus, capture, activation and tracking leave a dying window
void RefreshActivationAfterHide(TWindow& w);
// WM_PARENTNOTIFY(wParam) to the parent and on up the chain (see ParentNotify.cpp);
// lParamFor gives each parent's lParam.
void NotifyParents(const TWindow& child, WPARAM wParam, const std::function<LPARAM(HWND parent)>& lParamFor);
// A button going down on `target`: WM_PARENTNOTIFY(WM_xBUTTONDOWN), the point in each parent's client coordinates.
void NotifyParentsOfPress(HWND target, UINT buttonDown, TPoint screen);

// Painting.
bool FindPaintMessage(MSG& out, const TMessageFilter& filter);
void FlushPresent();
void InvalidateWindowArea(TWindow& w, const TRegion& windowArea, UINT rdwFlags);
void InvalidateParentArea(TWindow& w, const TRect& rectInParentClient);
void EnsureBackingStore(TWindow& top);
void PaintNow(TWindow& w, bool children);
HDC MakeWindowDC(TWindow& w, bool client, TRegion clip); // the clip in top-level surface coordinates
void MarkDirty(HWND top, const TRegion& clip); // to be shown when the queue runs idle // sends the WM_PAINTs that are
                                               // due, children after parents
// What of a window VisibleRegion gives: its client area or the whole window,
// less its children and its siblings above when asked (siblings also by style).
struct TVisibleArea {
    bool ClientOnly = true;
    bool ClipChildren = false;
    bool ClipSiblings = false;
};
TRegion VisibleRegion(const TWindow& w, TVisibleArea area = {});
LRESULT DefPrint(TWindow& w, HDC dc, LPARAM flags); // WM_PRINT

// The caret leaves a window while it paints, and with it.
void CaretBeforePaint(HWND hwnd);
void CaretAfterPaint(HWND hwnd);
void ForgetCaretOf(HWND hwnd);

// Timers.
bool TakeDueTimer(MSG& out, const TMessageFilter& filter, bool remove);
std::optional<std::uint64_t> NextTimerDue();
void KillWindowTimers(HWND hwnd);

// Geometry and show state.
BOOL SetWindowPosInternal(TWindow& w, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
void RecalcClient(TWindow& w); // WM_NCCALCSIZE(FALSE)

// WM_SETICON and WM_GETICON: the icons kept for the window (a top-level
// window's big icon goes to the backend).
LRESULT SetWindowIcon(TWindow& w, WPARAM kind, HICON icon);
LRESULT GetWindowIcon(const TWindow& w, WPARAM kind);

// Default non-client behaviour.
LRESULT DefNcCalcSize(TWindow& w, WPARAM wParam, LPARAM lParam);
LRESULT DefNcHitTest(TWindow& w, TPoint screen);
void DefNcPaint(TWindow& w, HDC windowDc);
bool HasCaption(const TWindow& w);
TRect FrameInsets(DWORD style, DWORD exStyle); // frame thickness per side
// Internal WINDOWPOS flags telling WM_WINDOWPOSCHANGED that the client did not move or change size.
constexpr UINT SWP_NOCLIENTSIZE = 0x0800, SWP_NOCLIENTMOVE = 0x1000;
bool IsActivatable(const TWindow& w);
void ActivateFromClick(HWND top);
HWND HitTarget(TPoint screen, LRESULT* hit); // the window under the pointer, asked by WM_NCHITTEST
HWND DeepestWindowAt(TPoint screen, HWND skip);
bool InWindowShape(const TWindow& w, TPoint screen); // its rectangle and region, children or not
// Key and button state as retrieved messages left it.
void SetSyncKeyState(UINT vk, bool down);
void SetAsyncKeyState(UINT vk, bool down); // any thread
WPARAM MouseKeyFlags();                    // MK_* of the buttons and keys held now
// Leave and hover tracking learn where the pointer is: over (hwnd, client or not), or nowhere.
void UpdateMouseTracking(HWND hwnd, bool nonClient, TPoint screen);
bool TakeDueHover(MSG& out, const TMessageFilter& filter);
std::optional<std::uint64_t> NextHoverDue();

// Move and size loop (WM_SYSCOMMAND SC_MOVE / SC_SIZE).
void RunSizeMoveLoop(HWND hwnd, WPARAM command, TPoint screenStart);
// An input message ready for retrieval; `screen` is where the pointer was (default: now).
void QueueCooked(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, const TPoint* screen = nullptr);
// A posted message stamped with the pointer position `screen` (GetMessagePos answers it).
void PostMessageAt(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, TPoint screen);
int CopyWindowText(const std::string& text, char* buffer, int bufferSize); // default WM_GETTEXT

} // namespace tovrel
