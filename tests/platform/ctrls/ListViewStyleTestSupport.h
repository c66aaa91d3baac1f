#pragma once
// A list view of a fixed size with 16- and 32-pixel image lists, for the
// icon, small-icon and list views.
#include "CtrlsTestSupport.h"

#include "platform/ctrls/ListView.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/Canvas.h"

#include <string>
#include <vector>

namespace tovrel::test {

class ListViewStyleTest : public CtrlsTest {
protected:
    // One image of `colour`, `size` pixels square.
    TImageList& OneColourImages(int size, TColor colour)
    {
        auto* list = new TImageList(form.get());
        list->SetSize(size, size);
        TBitmap picture(size, size);
        picture.Canvas()->Brush()->SetColor(colour);
        picture.Canvas()->FillRect(Rect(0, 0, size, size));
        list->Add(&picture, nullptr);
        return *list;
    }
    TListView& View(TViewStyle style, int count, int width = 240, int height = 160)
    {
        TListView& view = *new TListView(form.get());
        view.Columns()->Add()->SetCaption("Name");
        view.SetParent(form.get());
        view.SetBounds(10, 10, width, height);
        view.SetSmallImages(&OneColourImages(16, clLime));
        view.SetLargeImages(&OneColourImages(32, clRed));
        for (int i = 0; i < count; ++i) {
            TListItem* item = view.Items()->Add();
            item->SetCaption("item " + std::to_string(i));
            item->SetImageIndex(0);
        }
        view.SetViewStyle(style);
        Pump();
        return view;
    }
    static TRect ItemRect(TListView& view, int index, int part = LVIR_BOUNDS)
    {
        RECT r{};
        r.Left = part;
        view.Perform(LVM_GETITEMRECT, WPARAM(index), ToLParam(&r));
        return r;
    }
    static SCROLLINFO Scroll(TListView& view, int bar)
    {
        SCROLLINFO info;
        info.fMask = SIF_ALL;
        GetScrollInfo(view.Handle(), bar, &info);
        return info;
    }
    static std::vector<int> SelectedIndexes(TListView& view)
    {
        std::vector<int> selected;
        for (int i = 0; i < view.Items()->Count(); ++i)
            if (view.Items()->Item(i)->Selected())
                selected.push_back(i);
        return selected;
    }
    static int Focused(TListView& view)
    {
        const TListItem* item = view.ItemFocused();
        return item ? item->Index() : -1;
    }
};

} // namespace tovrel::test
