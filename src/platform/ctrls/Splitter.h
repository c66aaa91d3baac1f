#pragma once
// The splitter: a strip aligned beside another aligned control; dragging it
// resizes that control (the one just before it on its side), kept at least
// MinSize and leaving the rest of the parent at least MinSize.
#include "platform/vcl/CustomControls.h"

namespace tovrel {

class TSplitter : public TGraphicControl {
public:
    explicit TSplitter(TComponent* owner);
    int MinSize = 30;
    // A raised edge round the strip; off, a flat face.
    bool Beveled() const { return beveled_; }
    void SetBeveled(bool value);
    // The control a drag resizes, or null.
    TControl* FindControl() const;
    TNotifyEvent OnMoved;
    void WndProc(TMessage& message) override;

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    bool Vertical() const { return Align() == alLeft || Align() == alRight; }
    // Applies a drag of `delta` pixels along the splitter's axis.
    void DragBy(int delta);

    TControl* control_ = nullptr;
    TPoint downAt_;
    int startSize_ = 0;
    bool dragging_ = false;
    bool beveled_ = false;
};

} // namespace tovrel
