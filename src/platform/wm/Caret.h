#pragma once
// The text caret: one per thread, owned by a window, drawn by inverting its
// rectangle and blinking on a timer of the layer's clock. It is created
// hidden; ShowCaret and HideCaret nest. Painting takes it off the window
// first and puts it back after EndPaint, so paints never leave it inverted.
// Moving it also moves the input method's window (Backend::SetTextInputRect).
#include "platform/wm/Messages.h"

namespace tovrel {

BOOL CreateCaret(HWND hwnd, HBITMAP bitmap, int width, int height); // the bitmap is not used: a solid caret
BOOL DestroyCaret();
BOOL ShowCaret(HWND hwnd); // null: the caret's own window
BOOL HideCaret(HWND hwnd);
BOOL SetCaretPos(int x, int y); // client coordinates of the owner
BOOL GetCaretPos(POINT* p);
UINT GetCaretBlinkTime();

} // namespace tovrel
