#pragma once
// What one header window knows: its sections, their display order, and the
// press or divider drag in progress; its answers to messages.
#include "platform/ctrls/Header.h"
#include "platform/rtl/Types.h"

#include <string>
#include <vector>

namespace tovrel {

class THeaderState {
public:
    explicit THeaderState(HWND hwnd) : hwnd_(hwnd) {}
    // True when the message was the header's own (result set).
    bool Handle(UINT message, WPARAM w, LPARAM l, LRESULT& result);
    int PressedItem() const { return pressed_; }

private:
    struct TSection {
        std::string Text;
        int Width = 0;
        int Format = HDF_LEFT;
        LPARAM Data = 0;
    };

    int Count() const { return int(sections_.size()); }
    TRect ItemRect(int index) const;
    // Which part of the header a client point is on; `item` gets the section.
    UINT HitTest(TPoint p, int& item) const;
    int InsertItem(int index, const HDITEM& item);
    bool DeleteItem(int index);
    bool GetItem(int index, HDITEM& item) const;
    bool SetItem(int index, const HDITEM& item);
    // WM_NOTIFY to the parent; returns its answer. With `answeredWidth`, the
    // width the parent left in the notification is written there.
    LRESULT Notify(int code, int item, int width = 0, int* answeredWidth = nullptr);
    void ButtonDown(TPoint p, bool doubleClick);
    void MouseMove(TPoint p);
    void ButtonUp(TPoint p);
    void Paint(HDC dc);

    HWND hwnd_;
    std::vector<TSection> sections_;
    std::vector<int> order_; // display position -> section index
    int pressed_ = -1;       // section pressed and still under the pointer
    int pressing_ = -1;      // section the press began on
    int tracking_ = -1;      // section whose divider is dragged
    int trackOffset_ = 0;    // pointer x minus the divider at the press
};

} // namespace tovrel
