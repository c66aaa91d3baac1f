#include "CtrlsTestSupport.h"

#include "platform/ctrls/Edit.h"
#include "platform/ctrls/ScrollBar.h"
#include "platform/ctrls/TrackBar.h"
#include "platform/ctrls/UpDown.h"
#include "platform/wm/Keys.h"

#include <string>
#include <vector>

namespace tovrel::test {
namespace {

class RangeControls : public CtrlsTest {
protected:
    // Lets `ms` pass on the fake clock and delivers what fell due.
    void Wait(int ms)
    {
        clock->Advance(std::uint64_t(ms));
        Pump();
    }
};

TEST_F(RangeControls, ScrollBarThumbGeometry)
{
    TScrollBar& bar = Place<TScrollBar>(Rect(10, 10, 210, 27));
    const int arrow = bar.ArrowRect(true).Width();
    ASSERT_EQ(arrow, 17);
    bar.SetPosition(50);
    EXPECT_EQ(bar.ThumbRect(), Rect(17 + (166 - 17) * 50 / 100, 0, 17 + (166 - 17) * 50 / 100 + 17, 17));
    bar.SetPageSize(20);
    EXPECT_EQ(bar.ThumbRect().Width(), 166 * 20 / 101);
    bar.SetPosition(100); // the last position is Max - PageSize + 1
    EXPECT_EQ(bar.Position(), 81);
    EXPECT_EQ(bar.ThumbRect().Right, 200 - 17);
}

TEST_F(RangeControls, ScrollBarArrowRepeatsWhileHeld)
{
    TScrollBar& bar = Place<TScrollBar>(Rect(10, 10, 210, 27));
    std::vector<int> positions;
    bar.OnChange = [&](TObject*) { positions.push_back(bar.Position()); };
    ClickAt(bar, Point(195, 8), false);
    Wait(499);
    EXPECT_EQ(positions, std::vector<int>{1});
    Wait(1);
    Wait(50);
    Wait(50);
    EXPECT_EQ(positions, (std::vector<int>{1, 2, 3, 4}));
    Release(bar, Point(195, 8));
    Wait(500);
    EXPECT_EQ(bar.Position(), 4);
}

TEST_F(RangeControls, ScrollBarThumbDragAndKeys)
{
    TScrollBar& bar = Place<TScrollBar>(Rect(10, 10, 210, 27));
    std::vector<std::pair<TScrollCode, int>> scrolls;
    bar.OnScroll = [&](TObject*, TScrollCode code, int& position) { scrolls.emplace_back(code, position); };
    const TRect thumb = bar.ThumbRect();
    ClickAt(bar, Point(thumb.Left + 5, 8), false);
    MoveTo(bar, Point(thumb.Left + 5 + 149 / 2, 8)); // half the room: half the range
    Release(bar, Point(thumb.Left + 5 + 149 / 2, 8));
    const std::vector<std::pair<TScrollCode, int>> expected = {{scTrack, 50}, {scPosition, 50}, {scEndScroll, 50}};
    EXPECT_EQ(scrolls, expected);
    EXPECT_EQ(bar.Position(), 50);
    bar.LargeChange = 10;
    Key(VK_NEXT);
    EXPECT_EQ(bar.Position(), 60);
    Key(VK_END);
    EXPECT_EQ(bar.Position(), 100);
    Key(VK_RIGHT);
    EXPECT_EQ(bar.Position(), 100);
    // Each key reports its own kind of step.
    const std::pair<WPARAM, std::pair<TScrollCode, int>> keys[] = {
        {VK_HOME, {scTop, 0}},     {VK_DOWN, {scLineDown, 1}}, {VK_NEXT, {scPageDown, 11}},
        {VK_PRIOR, {scPageUp, 1}}, {VK_LEFT, {scLineUp, 0}},   {VK_END, {scBottom, 100}},
    };
    for (const auto& [key, reported] : keys) {
        Key(key);
        EXPECT_EQ(scrolls.back(), reported) << "key " << key;
    }
}

TEST_F(RangeControls, UpDownStepsItsAssociate)
{
    TEdit& edit = Place<TEdit>(Rect(10, 10, 60, 31));
    TUpDown& updown = Place<TUpDown>(Rect(0, 0, 17, 21));
    updown.SetRange(0, 3);
    updown.SetAssociate(&edit);
    EXPECT_EQ(updown.Left(), 60);
    EXPECT_EQ(edit.Text(), "0");
    std::vector<std::string> clicks;
    updown.OnClick = [&](TObject*, TUDBtnType b) { clicks.push_back(b == btNext ? "next" : "prev"); };
    ClickAt(updown, Point(8, 3));
    EXPECT_EQ(edit.Text(), "1");
    edit.SetFocus();
    Key(VK_UP);
    Key(VK_UP);
    Key(VK_UP); // at the limit: clicked, the position stays
    EXPECT_EQ(edit.Text(), "3");
    updown.Wrap = true;
    Key(VK_UP);
    EXPECT_EQ(updown.Position(), 0);
    ClickAt(updown, Point(8, 16));
    EXPECT_EQ(updown.Position(), 3);
    EXPECT_EQ(clicks, (std::vector<std::string>{"next", "next", "next", "next", "next", "prev"}));
}

TEST_F(RangeControls, UpDownRepeatsAfterHalfASecond)
{
    TUpDown& updown = Place<TUpDown>(Rect(10, 10, 27, 35));
    ClickAt(updown, Point(8, 3), false);
    EXPECT_EQ(updown.Position(), 1);
    Wait(499);
    EXPECT_EQ(updown.Position(), 1);
    Wait(1);
    EXPECT_EQ(updown.Position(), 2);
    Wait(100);
    EXPECT_EQ(updown.Position(), 3);
    MoveTo(updown, Point(8, 20)); // onto the other arrow: no steps meanwhile
    Wait(100);
    EXPECT_EQ(updown.Position(), 3);
    Release(updown, Point(8, 20));
}

TEST_F(RangeControls, TrackBarDragPagesAndKeys)
{
    TTrackBar& track = Place<TTrackBar>(Rect(10, 10, 160, 55));
    std::vector<int> changes;
    track.OnChange = [&](TObject*) { changes.push_back(track.Position()); };
    const int travel = track.TravelEnd() - track.TravelStart();
    const TRect thumb = track.ThumbRect();
    ClickAt(track, Point((thumb.Left + thumb.Right) / 2, thumb.Top + 3), false);
    MoveTo(track, Point(track.TravelStart() + travel * 3 / 10 + 1, thumb.Top + 3)); // nearest: 3
    Release(track, Point(track.TravelStart() + travel * 3 / 10 + 1, thumb.Top + 3));
    EXPECT_EQ(track.Position(), 3);
    // A press on the channel at 9: a page now, another after 500 ms, then to 9.
    ClickAt(track, Point(track.TravelStart() + travel * 9 / 10, thumb.Top + 3), false);
    EXPECT_EQ(track.Position(), 5);
    Wait(500);
    EXPECT_EQ(track.Position(), 7);
    Wait(100);
    Wait(100);
    EXPECT_EQ(track.Position(), 9);
    Release(track, Point(track.TravelStart() + travel * 9 / 10, thumb.Top + 3));
    Key(VK_END);
    Key(VK_RIGHT);
    EXPECT_EQ(changes, (std::vector<int>{3, 5, 7, 9, 10}));
}

} // namespace
} // namespace tovrel::test
