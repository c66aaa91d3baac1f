#pragma once
// Shared by the tests of the skinned views: a view at (10, 10) on a form with
// a vertical bar beside it and a horizontal bar under it, and a skin whose
// view entry has colours and a font of its own.
#include "../../platform/vcl/ControlTestSupport.h"
#include "platform/wm/Input.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/data/SkinData.h"

#include <memory>

namespace tovrel::test {

template <class View> class SkinViewTest : public ControlTest {
protected:
    void PlaceViewAndBars(int width, int height)
    {
        form = ShownForm(0, 0, 400, 300);
        view = Placed<View>(*form, Bounds(10, 10, width, height));
        vbar = Placed<TskSkinScrollBar>(*form, Bounds(10 + width, 10, 19, height));
        vbar->SetKind(sbVertical);
        hbar = Placed<TskSkinScrollBar>(*form, Bounds(10, 10 + height, width, 19));
    }
    void AttachBars()
    {
        view->SetVScrollBar(vbar);
        view->SetHScrollBar(hbar);
        Pump();
    }
    // Drags the vertical bar's thumb down past the form's bottom.
    void DragThumbToTheEnd()
    {
        vbar->CalcRects();
        const TPoint from{vbar->Left() + 9, vbar->Top() + vbar->Part(TskSkinScrollBar::kThumb).R.Top + 2};
        InjectMouseMove(from);
        InjectMouseButton(0, true, from);
        InjectMouseMove(TPoint{from.X, 290});
        InjectMouseButton(0, false, TPoint{from.X, 290});
        Pump();
    }
    // Gives the view a skin whose entry `name` is green with red Tahoma of height 20.
    template <class Entry> void SkinWithColourfulEntry(const char* name)
    {
        auto* skin = new TskSkinData(form.get());
        auto entry = std::make_unique<Entry>(name);
        entry->FontName = "Tahoma";
        entry->FontHeight = 20;
        entry->FontColor = TColor(0x0000FF);
        entry->BGColor = TColor(0x00FF00);
        skin->CtrlList.push_back(std::move(entry));
        skin->Empty = false;
        view->SetSkinData(skin);
    }
    void ExpectColourfulEntry()
    {
        EXPECT_EQ(TColor(0x00FF00), view->Color());
        EXPECT_EQ(TColor(0x0000FF), view->Font()->Color());
        EXPECT_EQ("Tahoma", view->Font()->Name());
        EXPECT_EQ(20, view->Font()->Height());
        // Without the entry the defaults come back.
        view->SkinDataName = "none";
        view->ChangeSkinData();
        EXPECT_EQ(clWindow, view->Color());
        EXPECT_EQ("Arial", view->Font()->Name());
    }

    std::unique_ptr<TForm> form;
    View* view = nullptr;
    TskSkinScrollBar* vbar = nullptr;
    TskSkinScrollBar* hbar = nullptr;
};

} // namespace tovrel::test
