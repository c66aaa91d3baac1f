#include "skin/controls/SkinSplitter.h"
#include "PointerDrag.h"

#include "../../platform/vcl/ControlTestSupport.h"
#include "platform/ctrls/Panel.h"
#include "platform/gdi/SysColors.h"
#include "platform/vcl/Bitmap.h"
#include "platform/wm/Input.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinPanelEntries.h"

namespace tovrel::test {

namespace {

constexpr COLORREF kEnd = RGB(200, 0, 0), kMiddle = RGB(0, 0, 200), kGripper = RGB(0, 200, 0), kKey = RGB(255, 0, 255);

void Fill(TCanvas& c, TRect r, COLORREF color)
{
    c.Brush()->SetColor(TColor(color));
    c.FillRect(r);
}

// A vertical strip at (0, 0, 6, 40): 5-pixel ends, a middle to tile; the
// horizontal one at (10, 0, 50, 7) with 5-pixel ends. The gripper at
// (60, 0, 64, 8) has a key-coloured column on its left.
std::unique_ptr<TBitmap> SplitterPicture()
{
    auto picture = std::make_unique<TBitmap>(70, 40);
    TCanvas& c = *picture->Canvas();
    Fill(c, Rect(0, 0, 70, 40), kEnd);
    Fill(c, Rect(0, 5, 6, 35), kMiddle);
    Fill(c, Rect(15, 0, 45, 7), kMiddle);
    Fill(c, Rect(60, 0, 64, 8), kGripper);
    Fill(c, Rect(60, 0, 61, 8), kKey);
    return picture;
}

struct SplitterSkin {
    explicit SplitterSkin(TComponent* owner) : skin(new TskSkinData(owner))
    {
        skin->FActivePictures.push_back(SplitterPicture());
        auto add = [this](const char* name, TRect rect, TPoint lt, TPoint rt, TPoint lb) {
            auto e = std::make_unique<TskDataSkinSplitterControl>(name);
            e->PictureIndex = 0;
            e->SkinRect = rect;
            e->LTPoint = lt;
            e->RTPoint = rt;
            e->LBPoint = lb;
            e->GripperRect = Rect(60, 0, 64, 8);
            e->GripperTransparent = true;
            e->GripperTransparentColor = TColor(kKey);
            skin->CtrlList.push_back(std::move(e));
        };
        add("vsplitter", Rect(0, 0, 6, 40), {0, 5}, {6, 5}, {0, 35});
        add("hsplitter", Rect(10, 0, 50, 7), {5, 0}, {35, 0}, {5, 7});
        skin->Empty = false;
    }
    TskSkinData* skin;
};

class SkinSplitterTest : public ControlTest {
protected:
    void SetUp() override
    {
        ControlTest::SetUp();
        form = ShownForm(0, 0, 300, 200);
    }
    void TearDown() override
    {
        form.reset();
        ControlTest::TearDown();
    }
    // A pane aligned on `side`, the splitter after it and a pane filling the rest.
    TskSkinSplitter* Panes(TAlign side, TskSkinData* skin)
    {
        // Placed so that alignment puts the pane at the edge and the splitter beside it.
        const bool far = side == alRight || side == alBottom;
        pane = Placed<TPanel>(*form, far ? Rect(200, 100, 300, 200) : Rect(0, 0, 100, 100));
        pane->SetAlign(side);
        auto* splitter = Placed<TskSkinSplitter>(*form, Rect(150, 100, 153, 103));
        splitter->SetAlign(side);
        splitter->SkinDataName = side == alTop || side == alBottom ? "hsplitter" : "vsplitter";
        splitter->SetSkinData(skin);
        rest = Placed<TPanel>(*form, Rect(0, 0, 10, 10));
        rest->SetAlign(alClient);
        Pump();
        return splitter;
    }
    COLORREF Pixel(TControl& c, int x, int y)
    {
        Pump();
        return PixelAt(*form, c.Left() + x, c.Top() + y);
    }

    std::unique_ptr<TForm> form;
    TPanel* pane = nullptr;
    TPanel* rest = nullptr;
};

TEST_F(SkinSplitterTest, TakesItsThicknessFromTheEntryAndDefaultSizeWithoutOne)
{
    SplitterSkin skin(form.get());
    TskSkinData empty(form.get());
    struct Case {
        const char* Name;
        TAlign Align;
        TskSkinData* Skin;
        bool Transparent;
        int Thickness;
    };
    const Case cases[] = {
        {"vertical, skinned", alLeft, skin.skin, false, 6}, {"horizontal, skinned", alTop, skin.skin, false, 7},
        {"no skin data", alLeft, nullptr, false, 10},       {"an empty skin", alBottom, &empty, false, 10},
        {"transparent", alRight, skin.skin, true, 10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        auto* splitter = new TskSkinSplitter(form.get());
        splitter->SetParent(form.get());
        splitter->SetAlign(c.Align);
        splitter->SkinDataName = c.Align == alTop || c.Align == alBottom ? "hsplitter" : "vsplitter";
        splitter->SetTransparent(c.Transparent);
        splitter->SetSkinData(c.Skin);
        EXPECT_EQ(c.Align == alTop || c.Align == alBottom ? splitter->Height() : splitter->Width(), c.Thickness);
        delete splitter;
    }
}

TEST_F(SkinSplitterTest, SwitchingToASkinWithoutTheEntryGoesBackToDefaultSize)
{
    SplitterSkin skin(form.get());
    auto* splitter = Panes(alLeft, skin.skin);
    ASSERT_EQ(splitter->Width(), 6);
    splitter->SkinDataName = "nosuchentry";
    splitter->ChangeSkinData();
    EXPECT_EQ(splitter->Width(), 10);
    EXPECT_EQ(rest->Left(), pane->Width() + 10);
}

TEST_F(SkinSplitterTest, PaintsTheStripWithTheGripperInTheMiddle)
{
    SplitterSkin skin(form.get());
    auto* splitter = Panes(alLeft, skin.skin);
    const int h = splitter->Height();
    ASSERT_EQ(h, 200);
    EXPECT_EQ(Pixel(*splitter, 3, 2), kEnd);         // top piece
    EXPECT_EQ(Pixel(*splitter, 3, 40), kMiddle);     // tiled middle
    EXPECT_EQ(Pixel(*splitter, 3, h - 2), kEnd);     // bottom piece
    EXPECT_EQ(Pixel(*splitter, 3, h / 2), kGripper); // gripper at (6/2 - 2, h/2 - 4)
    // The gripper's key column lets the strip through.
    EXPECT_EQ(Pixel(*splitter, 1, h / 2), kMiddle);
}

TEST_F(SkinSplitterTest, ClientAlignedOrTransparentSplittersDoNotUseTheSkin)
{
    SplitterSkin skin(form.get());
    auto* splitter = Placed<TskSkinSplitter>(*form, Rect(10, 10, 40, 40));
    splitter->SetAlign(alNone);
    splitter->SetSkinData(skin.skin);
    EXPECT_EQ(Pixel(*splitter, 20, 20), ColorToRGB(clBtnFace));

    auto* clear = Placed<TskSkinSplitter>(*form, Rect(100, 10, 40, 40));
    clear->SetAlign(alNone);
    form->SetColor(TColor(RGB(10, 20, 30)));
    clear->SetTransparent(true);
    EXPECT_EQ(Pixel(*clear, 20, 20), RGB(10, 20, 30));
}

TEST_F(SkinSplitterTest, DraggingTheSkinnedSplitterMovesThePaneBoundary)
{
    struct Case {
        const char* Name;
        TAlign Align;
        TPoint Drag;
        int Size;
    };
    const Case cases[] = {
        {"left pane grows right", alLeft, {30, 0}, 130},
        {"top pane shrinks up", alTop, {0, -20}, 80},
        {"right pane grows left", alRight, {-25, 0}, 125},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        form = ShownForm(0, 0, 300, 200);
        SplitterSkin skin(form.get());
        auto* splitter = Panes(c.Align, skin.skin);
        DragPointer(*clock, splitter->ClientToScreen(Point(2, 2)), c.Drag.X, c.Drag.Y);
        const bool vertical = c.Align == alLeft || c.Align == alRight;
        EXPECT_EQ(vertical ? pane->Width() : pane->Height(), c.Size);
        // The other pane took what is left beside the skinned strip.
        EXPECT_EQ(vertical ? rest->Width() : rest->Height(),
                  (vertical ? 300 : 200) - c.Size - (vertical ? splitter->Width() : splitter->Height()));
    }
}

} // namespace

} // namespace tovrel::test
