#pragma once
// The up-down: two arrows stepping Position by Increment between Min and
// Max (wrapping when Wrap), repeating while held (after 500 ms, then every
// 100 ms), showing the position in an associated control's text, and
// answering the arrow keys of that control.
#include "platform/ctrls/PressRepeat.h"
#include "platform/vcl/ComponentRef.h"
#include "platform/vcl/CustomControls.h"

namespace tovrel {

enum TUDBtnType : std::uint8_t { btNext, btPrev };
enum TUDOrientation : std::uint8_t { udVertical, udHorizontal };
using TUDClickEvent = std::function<void(TObject* sender, TUDBtnType button)>;
using TUDChangingEvent = std::function<void(TObject* sender, bool& allowChange)>;

class TUpDown : public TCustomControl {
public:
    explicit TUpDown(TComponent* owner);
    ~TUpDown() override;

    int Min() const { return min_; }
    int Max() const { return max_; }
    void SetRange(int min, int max);
    int Position() const { return position_; }
    void SetPosition(int value);
    int Increment = 1;
    bool Wrap = false;
    TUDOrientation Orientation() const { return orientation_; }
    void SetOrientation(TUDOrientation value);
    TWinControl* Associate() const { return associate_; }
    void SetAssociate(TWinControl* control);

    TUDClickEvent OnClick;
    TUDChangingEvent OnChanging;

    void DefaultHandler(TMessage& message) override;

protected:
    void Paint() override;

private:
    // The arrow under a point, or -1.
    int ButtonAt(TPoint p) const;
    TRect ButtonRect(TUDBtnType button) const;
    void Step(TUDBtnType button);
    void ShowInAssociate();

    int min_ = 0, max_ = 100, position_ = 0;
    TUDOrientation orientation_ = udVertical;
    // Its WindowProc goes with it.
    TComponentRef<TWinControl> associate_{*this, [this] { associateProc_ = nullptr; }};
    TWndMethod associateProc_;
    int pressed_ = -1;
    TPressRepeat repeat_{500, 100};
};

} // namespace tovrel
