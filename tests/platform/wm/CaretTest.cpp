// The caret: blinking on the clock, never left behind by a paint, and
// leading the input method's window.
#include "WmTestSupport.h"

namespace tovrel::test {
namespace {

class Caret : public TWmTest {};

TEST_F(Caret, BlinksOnTheClockAndSurvivesPaints)
{
    struct TImeBackend : TBackend {
        TRect InputRect;
        void SetTextInputRect(const TRect& r) override { InputRect = r; }
    };
    auto backend = std::make_shared<TImeBackend>();
    SetBackend(backend);
    constexpr COLORREF white = RGB(255, 255, 255), black = RGB(0, 0, 0);
    HWND top = Canvas(Bounds(100, 50, 60, 40));
    PaintsIn(top, white);
    Pump();
    ASSERT_TRUE(CreateCaret(top, nullptr, 2, 10));
    SetCaretPos(5, 5);
    EXPECT_EQ(PixelAt(top, 5, 5), white) << "created hidden";
    EXPECT_EQ(backend->InputRect, Bounds(105, 55, 2, 10));
    ShowCaret(top);
    EXPECT_EQ(PixelAt(top, 6, 14), black);
    EXPECT_EQ(PixelAt(top, 7, 14), white);

    // A paint over the caret leaves it as it was: shown.
    InvalidateRect(top, nullptr, 1);
    Pump();
    EXPECT_EQ(PixelAt(top, 5, 5), black);

    clock->Advance(GetCaretBlinkTime());
    Pump();
    EXPECT_EQ(PixelAt(top, 5, 5), white) << "blinked off";
    clock->Advance(GetCaretBlinkTime());
    Pump();
    EXPECT_EQ(PixelAt(top, 5, 5), black) << "and on again";

    // Hiding nests; destroying restores the pixels.
    HideCaret(top);
    HideCaret(top);
    ShowCaret(top);
    EXPECT_EQ(PixelAt(top, 5, 5), white);
    ShowCaret(top);
    EXPECT_EQ(PixelAt(top, 5, 5), black);
    DestroyCaret();
    EXPECT_EQ(PixelAt(top, 5, 5), white);
    EXPECT_FALSE(SetCaretPos(1, 1));
}

} // namespace
} // namespace tovrel::test
