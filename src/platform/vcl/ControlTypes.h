#pragma once
// Enumerations, sets and event types of the framework's controls.
#include "platform/vcl/ControlMessages.h"
#include "platform/vcl/Object.h"
#include "platform/vcl/Set.h"

#include <cstdint>
#include <functional>

namespace tovrel {

enum TAlign : std::uint8_t { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
enum TAnchorKind : std::uint8_t { akLeft, akTop, akRight, akBottom };
using TAnchors = TSet<TAnchorKind>;

enum TMouseButton : std::uint8_t { mbLeft, mbRight, mbMiddle };
enum TShiftStateFlag : std::uint8_t { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateFlag>;

enum TControlStyleFlag : std::uint8_t {
    csAcceptsControls,
    csCaptureMouse,
    csDesignInteractive,
    csClickEvents,
    csFramed,
    csSetCaption,
    csOpaque,
    csDoubleClicks,
    csFixedWidth,
    csFixedHeight,
    csNoDesignVisible,
    csReplicatable,
    csNoStdEvents,
    csDisplayDragImage,
    csReflector,
    csActionClient,
    csMenuEvents
};
using TControlStyle = TSet<TControlStyleFlag>;

enum TControlStateFlag : std::uint8_t {
    csLButtonDown,
    csClicked,
    csPalette,
    csReadingState,
    csAlignmentNeeded,
    csFocusing,
    csCreating,
    csPaintCopy,
    csCustomPaint,
    csDestroyingHandle,
    csDocking
};
using TControlState = TSet<TControlStateFlag>;

enum TBiDiMode : std::uint8_t { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };

using TCursor = int;
constexpr TCursor crDefault = 0, crNone = -1, crArrow = -2, crCross = -3, crIBeam = -4, crSizeNESW = -6, crSizeNS = -7,
                  crSizeNWSE = -8, crSizeWE = -9, crUpArrow = -10, crHourGlass = -11, crNo = -18, crAppStart = -19,
                  crHandPoint = -21, crSizeAll = -22;

// The screen-wide cursor (crDefault: each control's own).
TCursor ScreenCursor();
void SetScreenCursor(TCursor cursor);
// The layer's cursor for a framework cursor (null for crNone).
HCURSOR CursorHandle(TCursor cursor);

using TWndMethod = std::function<void(TMessage& message)>;
using TMouseEvent = std::function<void(TObject* sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TObject* sender, TShiftState shift, int x, int y)>;
using TKeyEvent = std::function<void(TObject* sender, WORD& key, TShiftState shift)>;
using TMouseWheelEvent =
    std::function<void(TObject* sender, TShiftState shift, int wheelDelta, TPoint mousePos, bool& handled)>;
// One UTF-16 unit, as WM_CHAR carries it; 0 swallows the key.
using TKeyPressEvent = std::function<void(TObject* sender, char16_t& key)>;

// Shift state from a mouse message's key flags / from the keyboard now.
TShiftState ShiftStateFromMouseKeys(WPARAM keys);
TShiftState GetShiftState();

} // namespace tovrel
