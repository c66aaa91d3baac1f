#include "skin/menus/SkinImagesMenu.h"
#include "SkinMenuTestSupport.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/ImageList.h"
#include "skin/data/SkinButtonEntries.h"
#include "skin/data/SkinGeometry.h"
#include "skin/menus/MenuSkinParts.h"

namespace tovrel::test {

TEST(ImagesMenuLayout, CellsFillRowsAndFullWidthRowsStartNewOnes)
{
    std::vector<std::unique_ptr<TskImagesMenuItem>> items;
    for (int i = 0; i < 10; ++i)
        items.push_back(std::make_unique<TskImagesMenuItem>());
    items.push_back(std::make_unique<TskImagesMenuItem>());
    items.back()->Button = true;
    items.push_back(std::make_unique<TskImagesMenuItem>());
    items.back()->Header = true;
    LayOutImagesMenu(items, {16, 16}, 4, {5, 5}, 20);
    // Cells of 26 x 26 touching, rows 1 px apart: 4, 4 and 2.
    struct Case {
        int item;
        TRect rect;
    } cases[] = {
        {0, Rect(5, 5, 31, 31)},      {3, Rect(83, 5, 109, 31)},   {4, Rect(5, 32, 31, 58)},
        {9, Rect(31, 59, 57, 85)},    {10, Rect(5, 86, 109, 112)}, // the button below the partial row
        {11, Rect(5, 113, 109, 133)},                              // a header of its own height
    };
    for (const Case& c : cases)
        EXPECT_EQ(items[std::size_t(c.item)]->ItemRect, c.rect) << c.item;
}

class SkinImagesMenuTest : public SkinMenuTest {
protected:
    void SetUp() override
    {
        SkinMenuTest::SetUp();
        images = std::make_unique<TImageList>(nullptr);
        images->SetSize(16, 16);
        TBitmap square(16, 16);
        for (int i = 0; i < 6; ++i)
            images->Add(&square, nullptr);
        grid = std::make_unique<TskSkinImagesMenu>(nullptr);
        grid->SetImages(images.get());
        grid->SetColumnsCount(3);
        grid->OnItemClick = [this](TObject*) { events.push_back("item " + std::to_string(grid->ItemIndex)); };
        grid->OnChange = [this](TObject*) { events.push_back("change"); };
        grid->OnMenuClose = [this](TObject*) { events.push_back("close"); };
    }
    void TearDown() override
    {
        grid.reset();
        images.reset();
        SkinMenuTest::TearDown();
    }
    // Item 0 a header "-Colours-", then `cells` cells.
    void Fill(int cells)
    {
        TskImagesMenuItem* header = grid->Add();
        header->Header = true;
        header->Caption = "Colours";
        for (int i = 0; i < cells; ++i)
            grid->Add()->ImageIndex = i;
    }
    TPoint ScreenOf(TPoint inGrid) const
    {
        return {grid->PopupWindow()->Left() + inGrid.X, grid->PopupWindow()->Top() + inGrid.Y};
    }
    std::unique_ptr<TImageList> images;
    std::unique_ptr<TskSkinImagesMenu> grid;
    std::vector<std::string> events;
};

TEST_F(SkinImagesMenuTest, ColumnsCountTakesOnlyOneToFifty)
{
    for (int bad : {0, 51, -3})
        grid->SetColumnsCount(bad);
    EXPECT_EQ(grid->ColumnsCount(), 3);
    grid->SetColumnsCount(50);
    EXPECT_EQ(grid->ColumnsCount(), 50);
}

TEST_F(SkinImagesMenuTest, KeysMoveTheHotItemPastHeaders)
{
    Fill(5); // rows: header; 1 2 3; 4 5
    struct Case {
        int from;
        UINT key;
        int to;
    } cases[] = {
        {-1, VK_DOWN, 1}, {-1, VK_RIGHT, 1}, {-1, VK_UP, 5},  {-1, VK_LEFT, 5}, // never the header
        {1, VK_DOWN, 4},  {2, VK_DOWN, 5},   {3, VK_DOWN, 3}, {5, VK_UP, 2},
        {3, VK_RIGHT, 4}, {5, VK_RIGHT, 1},  {1, VK_LEFT, 5}, {4, VK_LEFT, 3},
    };
    for (const Case& c : cases) {
        grid->Popup(50, 50);
        grid->PopupWindow()->MouseInItem = c.from;
        Key(c.key);
        ASSERT_NE(grid->PopupWindow(), nullptr);
        EXPECT_EQ(grid->PopupWindow()->MouseInItem, c.to) << "from " << c.from << " key " << c.key;
        grid->Hide();
        Pump();
    }
}

TEST_F(SkinImagesMenuTest, ChoosingFiresItsEventsOnlyChangesOnce)
{
    Fill(5);
    grid->ImagesItems[2]->OnClick = [this](TObject*) { events.push_back("click"); };
    grid->Popup(50, 50);
    Key(VK_RIGHT);
    Key(VK_RIGHT);
    Key(VK_RETURN);
    EXPECT_EQ(grid->PopupWindow(), nullptr);
    EXPECT_EQ(events, std::vector<std::string>({"close", "click", "item 2", "change"}));

    events.clear();
    grid->Popup(50, 50);
    Key(VK_RETURN); // no hot item: the chosen one again, but no change
    EXPECT_EQ(events, std::vector<std::string>({"close", "click", "item 2"}));

    events.clear();
    grid->Popup(50, 50);
    Key(VK_ESCAPE);
    EXPECT_EQ(events, std::vector<std::string>({"close"}));
}

TEST_F(SkinImagesMenuTest, ClicksChooseTheEarlierCellOfASharedEdgeAndOutsideCancels)
{
    Fill(5);
    grid->Popup(50, 50);
    const TRect first = grid->ImagesItems[1]->ItemRect;
    Click(ScreenOf({first.Right, first.Top + 5})); // the edge shared with item 2
    EXPECT_EQ(grid->ItemIndex, 1);
    EXPECT_EQ(grid->PopupWindow(), nullptr);

    events.clear();
    grid->Popup(50, 50);
    Click({form->Left() + 280, form->Top() + 180});
    EXPECT_EQ(grid->PopupWindow(), nullptr);
    EXPECT_EQ(grid->ItemIndex, 1);
    EXPECT_EQ(events, std::vector<std::string>({"close"}));
}

TEST_F(SkinImagesMenuTest, AHandlerFreeingTheMenuDoesNoHarm)
{
    Fill(2);
    grid->OnItemClick = [this](TObject*) { grid.reset(); };
    grid->Popup(50, 50);
    Key(VK_DOWN);
    Key(VK_RETURN);
    EXPECT_EQ(grid, nullptr);
    Pump();
}

TEST_F(SkinImagesMenuTest, NoImagesShowNothing)
{
    Fill(2);
    bool popped = false;
    grid->OnMenuPopup = [&](TObject*) { popped = true; };
    images->Clear();
    grid->Popup(50, 50);
    EXPECT_TRUE(popped);
    EXPECT_EQ(grid->PopupWindow(), nullptr);
}

} // namespace tovrel::test

namespace tovrel::test {

// Menus open over each other and close in any order; the latest takes the
// keys and the application's own hook comes back after the last.
TEST_F(SkinImagesMenuTest, HooksOfMenusOpenAtOnceCloseInAnyOrder)
{
    Fill(2);
    int ownHook = 0;
    Application->OnMessage = [&](MSG& msg, bool&) { ownHook += msg.message == WM_KEYDOWN; };
    grid->Popup(50, 50);
    Add(menu->Items(), "One");
    Add(menu->Items(), "Two");
    Open(nullptr, {200, 200});
    grid->Hide(); // the earlier hook goes from under the later one
    Key(VK_DOWN);
    EXPECT_EQ(engine->Level(0)->ActiveItem, 1);
    Key(VK_ESCAPE);
    EXPECT_FALSE(engine->Visible());
    Key(VK_DOWN);
    EXPECT_EQ(ownHook, 1);
    Application->OnMessage = nullptr;
}

TEST_F(SkinImagesMenuTest, ASkinGivesHeaderBandsAndCellFrames)
{
    TskSkinData* data = UseSkin(1);
    grid->SetSkinData(data);
    Fill(3);
    grid->ItemIndex = 2; // framed as pressed
    grid->Popup(100, 100);
    Pump();
    TskSkinImagesMenuPopupWindow& window = *grid->PopupWindow();
    ASSERT_TRUE(window.FSkinSupport);
    const auto pixel = [&](TPoint p) { return PixelAt(window, p.X, p.Y); };
    const auto source = [](TBitmap* picture, TPoint p) { return ColorToRGB(picture->Canvas()->Pixels(p.X, p.Y)); };

    const auto band = FindHeaderBand(data, {"label"});
    ASSERT_TRUE(band);
    const TRect header = grid->ImagesItems[0]->ItemRect;
    EXPECT_EQ(header.Height(), band.Entry->SkinRect.Height());
    EXPECT_EQ(pixel(Point(header.Left, header.Top + 1)),
              source(band.Picture, Point(band.Entry->SkinRect.Left, band.Entry->SkinRect.Top + 1)));

    const auto frame = FindCellFrame(data);
    ASSERT_TRUE(frame);
    const TskDataSkinButtonControl& e = *frame.Entry;
    const TRect pressed = IsNullRect(e.DownSkinRect) ? e.ActiveSkinRect : e.DownSkinRect;
    const TRect cell = grid->ImagesItems[2]->ItemRect;
    EXPECT_EQ(pixel(Point(cell.Left, cell.Top + cell.Height() / 2)),
              source(frame.Picture, Point(pressed.Left, pressed.Top + pressed.Height() / 2)));
    grid->Hide();
}

} // namespace tovrel::test
