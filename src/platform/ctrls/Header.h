#pragma once
// The header control: a window of class "SysHeader32" (so a parent can find
// it by class name and replace its window procedure) with sections in a
// display order, pressed state, divider drag and double click, hit testing
// and the HDM_* messages. It tells its parent through WM_NOTIFY (HDN_*).
//
// Divider zones reach kDividerZone pixels either side of a section's right
// edge. A zero-width section's divider is taken only right of the edge
// (HHT_ONDIVOPEN), so the visible section before it stays reachable.
// While a divider is dragged the parent may write another width into the
// cxy of HDN_TRACKW and HDN_ITEMCHANGINGW; the header takes it.
#include "platform/ctrls/CommonControls.h"

#include <string>

namespace tovrel {

constexpr char kHeaderClassName[] = "SysHeader32";

constexpr UINT HDM_INSERTITEMW = HDM_FIRST + 10, HDM_GETITEMW = HDM_FIRST + 11, HDM_SETITEMW = HDM_FIRST + 12;
constexpr UINT HDI_WIDTH = 0x1, HDI_TEXT = 0x2, HDI_FORMAT = 0x4, HDI_LPARAM = 0x8, HDI_ORDER = 0x80;
constexpr int HDF_LEFT = 0, HDF_RIGHT = 1, HDF_CENTER = 2;
constexpr DWORD HDS_BUTTONS = 0x2, HDS_FULLDRAG = 0x80;

// One section. Text is UTF-8; HDM_GETITEMW copies at most cchTextMax bytes
// (with the NUL) into pszText.
struct HDITEM {
    UINT mask = 0;
    int cxy = 0;
    char* pszText = nullptr;
    int cchTextMax = 0;
    int fmt = HDF_LEFT;
    LPARAM lParam = 0;
    int iOrder = 0;
};

constexpr int kDividerZone = 4;

// Registers the class once; returns its name.
const char* HeaderClassName();
// Creates a header child of `parent` (WS_CHILD | WS_VISIBLE | HDS_BUTTONS | HDS_FULLDRAG).
HWND CreateHeaderWindow(HWND parent, int id);
// The section being pressed (-1: none), for painting by a subclass.
int HeaderPressedItem(HWND header);

} // namespace tovrel
