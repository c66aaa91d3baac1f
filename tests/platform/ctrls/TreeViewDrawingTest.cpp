#include "TreeViewTestSupport.h"

#include <string>
#include <vector>

namespace tovrel::test {
namespace {

class TreeViewDrawing : public TreeViewTest {
protected:
    enum class TLook { Dotted, Blank };
    // A run of pixels of one row: upright at x (y0..y1) or level (x0..x1 at y).
    struct TRun {
        const char* what;
        bool upright;
        int at, from, to; // client coordinates, `to` excluded
        TLook look;
    };
    // Dotted: every other pixel in the line colour, on the checkerboard of
    // client coordinates; blank: the background throughout.
    void Expect(TTreeView& tree, const TRun& run)
    {
        for (int i = run.from; i < run.to; ++i) {
            const int x = run.upright ? run.at : i, y = run.upright ? i : run.at;
            const bool dot = run.look == TLook::Dotted && ((x + y) & 1) == 0;
            EXPECT_EQ(Pixel(tree, x, y), dot ? LineColour() : Background()) << run.what << " at " << x << "," << y;
        }
    }
};

TEST_F(TreeViewDrawing, LinesJoinSiblingsAndParentsUnderTheButtons)
{
    TTreeView& tree = SmallTree();
    TTreeNode *a = Node(tree, 0), *a1 = Node(tree, 1), *a2 = Node(tree, 2), *b = Node(tree, 3);
    const int h = tree.RowHeight();
    auto top = [&](TTreeNode* n) { return tree.NodeRect(n, false).Top; };
    auto mid = [&](TTreeNode* n) { return Middle(tree, n); };
    // Level 0 lines run down the middle of the first indent cell (x 10),
    // level 1 down the second (x 29); nodes begin at 19 and 38.
    struct TCase {
        bool showLines, showRoot;
        std::vector<TRun> runs;
    };
    const std::vector<TCase> cases = {
        {true,
         true,
         {{"nothing above the first root", true, 10, top(a), mid(a) - 4, TLook::Blank},
          {"root line below A's button", true, 10, mid(a) + 5, top(a) + h, TLook::Dotted},
          {"A's button covers the line", true, 10, mid(a) + 1, mid(a) + 4, TLook::Blank},
          {"root line past A1 and A2", true, 10, top(a1), top(a2) + h, TLook::Dotted},
          {"root line ends at B", true, 10, top(b), mid(b) + 1, TLook::Dotted},
          {"nothing below the last root", true, 10, mid(b) + 1, top(b) + h, TLook::Blank},
          {"B's stub", false, mid(b), 11, 19, TLook::Dotted},
          {"child line past A1", true, 29, top(a1), top(a1) + h, TLook::Dotted},
          {"child line ends at A2", true, 29, top(a2), mid(a2) + 1, TLook::Dotted},
          {"nothing below the last child", true, 29, mid(a2) + 1, top(a2) + h, TLook::Blank},
          {"A1's stub", false, mid(a1), 30, 38, TLook::Dotted}}},
        {false,
         true,
         {{"no root line", true, 10, mid(a) + 5, top(b) + h, TLook::Blank},
          {"no child line", true, 29, top(a1), top(a2) + h, TLook::Blank},
          {"no stub", false, mid(a1), 30, 38, TLook::Blank}}},
        // Without root lines the children's cell is the first one.
        {true,
         false,
         {{"child line past A1", true, 10, top(a1), top(a1) + h, TLook::Dotted},
          {"no line at the top level", true, 10, top(b), top(b) + h, TLook::Blank},
          {"A1's stub", false, mid(a1), 11, 19, TLook::Dotted}}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE("ShowLines " + std::to_string(c.showLines) + " ShowRoot " + std::to_string(c.showRoot));
        tree.ShowLines = c.showLines;
        tree.ShowRoot = c.showRoot;
        tree.Invalidate();
        for (const TRun& run : c.runs)
            Expect(tree, run);
    }
}

TEST_F(TreeViewDrawing, StateImagesStandBeforeTheImages)
{
    TTreeView& tree = SmallTree();
    const COLORREF red = RGB(255, 0, 0), blue = RGB(0, 0, 255), yellow = RGB(255, 255, 0);
    tree.SetImages(SolidImages({red}));
    TImageList* states = SolidImages({blue, yellow});
    tree.SetStateImages(states);
    TTreeNode *a = Node(tree, 0), *b = Node(tree, 3);
    for (int i = 0; i < 4; ++i)
        Node(tree, i)->SetImageIndex(0);
    a->SetStateIndex(1);
    b->SetStateIndex(-1);
    // A: state image at 19, image at 27, caption from 37; B without a state image.
    EXPECT_EQ(Pixel(tree, 19 + 3, Middle(tree, a)), yellow);
    EXPECT_EQ(Pixel(tree, 27 + 3, Middle(tree, a)), red);
    EXPECT_EQ(tree.NodeRect(a, true).Left, 37);
    EXPECT_EQ(Pixel(tree, 19 + 3, Middle(tree, b)), red);
    EXPECT_EQ(tree.NodeRect(b, true).Left, 29);

    // The list goes: the tree forgets it and draws without it.
    delete states;
    EXPECT_EQ(tree.StateImages(), nullptr);
    EXPECT_EQ(tree.Perform(TVM_GETIMAGELIST, TVSIL_STATE, 0), 0);
    EXPECT_EQ(Pixel(tree, 19 + 3, Middle(tree, a)), red);
    EXPECT_EQ(tree.NodeRect(a, true).Left, 29);
}

TEST_F(TreeViewDrawing, HitTestsFindEachPartOfARow)
{
    TTreeView& tree = SmallTree();
    tree.SetImages(SolidImages({RGB(255, 0, 0)}));
    tree.SetStateImages(SolidImages({RGB(0, 0, 255)}));
    TTreeNode *a = Node(tree, 0), *a1 = Node(tree, 1);
    a1->SetStateIndex(0);
    const TRect label = tree.NodeRect(a1, true);
    struct TCase {
        const char* what;
        TPoint point;
        TTreeNode* node;
        UINT flags;
    };
    const std::vector<TCase> cases = {
        {"A's button", Point(10, Middle(tree, a)), a, TVHT_ONITEMBUTTON},
        {"A1's parent cell", Point(10, Middle(tree, a1)), a1, TVHT_ONITEMINDENT},
        {"A1's own cell (no button)", Point(29, Middle(tree, a1)), a1, TVHT_ONITEMINDENT},
        {"A1's state image", Point(38 + 2, Middle(tree, a1)), a1, TVHT_ONITEMSTATEICON},
        {"A1's image", Point(46 + 2, Middle(tree, a1)), a1, TVHT_ONITEMICON},
        {"A1's caption", Point(label.Left + 1, Middle(tree, a1)), a1, TVHT_ONITEMLABEL},
        {"right of A1's caption", Point(label.Right + 1, Middle(tree, a1)), a1, TVHT_ONITEMRIGHT},
        {"below the rows", Point(20, 5 * tree.RowHeight()), nullptr, TVHT_NOWHERE},
        {"above", Point(20, -1), nullptr, TVHT_ABOVE},
        {"below the window, to its right", Point(tree.ClientWidth(), tree.ClientHeight()), nullptr,
         TVHT_BELOW | TVHT_TORIGHT},
    };
    for (const TCase& c : cases) {
        TVHITTESTINFO info;
        info.pt = c.point;
        EXPECT_EQ(tree.Perform(TVM_HITTEST, 0, ToLParam(&info)), reinterpret_cast<LRESULT>(c.node)) << c.what;
        EXPECT_EQ(info.hItem, c.node) << c.what;
        EXPECT_EQ(info.flags, c.flags) << c.what;
    }
    EXPECT_EQ(tree.Perform(TVM_HITTEST, 0, 0), 0);
}

} // namespace
} // namespace tovrel::test
