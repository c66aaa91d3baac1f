#pragma once
// A small tree view on the test form, image lists of solid colours, and the
// colour of a pixel of a control as the form shows it.
#include "CtrlsTestSupport.h"

#include "platform/ctrls/TreeView.h"
#include "platform/gdi/SysColors.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/ImageList.h"
#include "platform/wm/Paint.h"

#include <initializer_list>

namespace tovrel::test {

class TreeViewTest : public CtrlsTest {
protected:
    // "A" with "A1" and "A2" (expanded), then "B".
    TTreeView& SmallTree()
    {
        TTreeView& tree = Place<TTreeView>(Rect(10, 10, 210, 150));
        TTreeNode* a = tree.Items()->AddChild(nullptr, "A");
        tree.Items()->AddChild(a, "A1");
        tree.Items()->AddChild(a, "A2");
        tree.Items()->AddChild(nullptr, "B");
        a->Expand(false);
        Pump();
        return tree;
    }
    static TTreeNode* Node(TTreeView& tree, int index) { return tree.Items()->Item(index); }
    // One size x size image per colour, each a solid square.
    TImageList* SolidImages(std::initializer_list<COLORREF> colours, int size = 8)
    {
        auto* list = new TImageList(form.get());
        list->SetSize(size, size);
        for (COLORREF colour : colours) {
            TBitmap bitmap(size, size);
            for (int y = 0; y < size; ++y)
                for (int x = 0; x < size; ++x) {
                    std::uint8_t* p = bitmap.ScanLine(y) + x * 4;
                    p[0] = GetBValue(colour), p[1] = GetGValue(colour), p[2] = GetRValue(colour), p[3] = 255;
                }
            list->Add(&bitmap, nullptr);
        }
        return list;
    }
    COLORREF Pixel(TControl& control, int x, int y)
    {
        Pump();
        const TPoint at = form->ScreenToClient(control.ClientToScreen(Point(x, y)));
        auto surface = WindowSurface(form->Handle());
        const std::uint8_t* p = surface->ScanLine(at.Y) + at.X * 4;
        return RGB(p[2], p[1], p[0]);
    }
    // The middle row of a node.
    static int Middle(TTreeView& tree, TTreeNode* node)
    {
        const TRect r = tree.NodeRect(node, false);
        return r.Top + r.Height() / 2;
    }
    static COLORREF LineColour() { return GetSysColor(COLOR_GRAYTEXT); }
    static COLORREF Background() { return GetSysColor(COLOR_WINDOW); }
};

} // namespace tovrel::test
