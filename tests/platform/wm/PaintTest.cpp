// The paint cycle: update regions, erase and paint order, clipping by
// parents, siblings, children and window regions, DCs and WM_PRINT.
#include "WmTestSupport.h"

namespace tovrel::test {
namespace {

class Painting : public TWmTest {};

constexpr COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255), kWhite = RGB(255, 255, 255);

TEST_F(Painting, ChildrenAreClippedByParentsSiblingsAndRegions)
{
    HWND top = Canvas(Bounds(0, 0, 100, 100), WS_POPUP | WS_VISIBLE);
    PaintsIn(top, kWhite);
    HWND parent = Child(top, Bounds(10, 10, 60, 60), WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN);
    PaintsIn(parent, kRed);
    // The lower sibling would overflow its parent and its upper sibling; both clip it.
    HWND lower = Child(parent, Bounds(0, 0, 100, 30), WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS);
    PaintsIn(lower, kGreen);
    HWND upper = Child(parent, Bounds(20, 20, 30, 30), WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS);
    PaintsIn(upper, kBlue);
    // A diamond-ish shape: only the upper-left quarter is kept.
    SetWindowRgn(upper, CreateRectRgn(0, 0, 15, 15), 1);
    Pump();

    struct TProbe {
        int X, Y;
        COLORREF Colour;
    } probes[] = {
        {5, 5, kWhite},   // outside every child
        {75, 15, kWhite}, // the lower child beyond its parent's client area
        {15, 15, kGreen}, // lower child
        {35, 35, kBlue},  // upper child, inside its region
        {55, 55, kRed},   // upper child's area outside its region shows the parent
        {45, 48, kRed},   // the same
        {32, 32, kBlue},
    };
    for (const auto& p : probes)
        EXPECT_EQ(PixelAt(top, p.X, p.Y), p.Colour) << "at " << p.X << "," << p.Y;

    // Repainting the lower sibling alone never draws over the upper one.
    InvalidateRect(lower, nullptr, 1);
    PaintsIn(lower, kRed);
    Pump();
    EXPECT_EQ(PixelAt(top, 35, 35), kBlue);
    EXPECT_EQ(PixelAt(top, 15, 15), kRed);
}

TEST_F(Painting, InvalidationReachesChildrenOnlyWithoutClipChildren)
{
    for (bool clipChildren : {false, true}) {
        HWND top = Canvas(Bounds(0, 0, 100, 100), WS_POPUP | WS_VISIBLE | (clipChildren ? WS_CLIPCHILDREN : 0));
        HWND child = Child(top, Bounds(10, 10, 20, 20));
        HWND away = Child(top, Bounds(60, 60, 20, 20));
        Pump();
        Log().clear();
        RECT area = Rect(0, 0, 40, 40);
        InvalidateRect(top, &area, 1);
        Pump();
        EXPECT_EQ(Messages(top, {WM_PAINT}).size(), 1u);
        EXPECT_EQ(Messages(child, {WM_PAINT}).size(), clipChildren ? 0u : 1u) << clipChildren;
        EXPECT_TRUE(Messages(away, {WM_PAINT}).empty()) << "a child outside the area stays valid";

        // RDW_ALLCHILDREN reaches them anyway; validation removes what was asked.
        RedrawWindow(top, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
        RECT r;
        EXPECT_TRUE(GetUpdateRect(child, &r, 0));
        EXPECT_EQ(r, Rect(0, 0, 20, 20));
        ValidateRect(child, nullptr);
        EXPECT_FALSE(GetUpdateRect(child, &r, 0));
        DestroyWindow(top);
        Pump();
    }
}

TEST_F(Painting, BeginPaintErasesOnceAndReportsTheUpdateArea)
{
    HWND top = Canvas(Bounds(0, 0, 100, 100));
    Pump();
    Answer(top, WM_ERASEBKGND, 0); // not erased: the painter must erase itself
    std::optional<PAINTSTRUCT> seen;
    On(top, WM_PAINT, [&](HWND h, UINT, WPARAM, LPARAM) {
        PAINTSTRUCT ps;
        BeginPaint(h, &ps);
        seen = ps;
        EndPaint(h, &ps);
        return std::optional<LRESULT>(0);
    });
    RECT a = Rect(10, 10, 20, 20), b = Rect(30, 5, 40, 15);
    InvalidateRect(top, &a, 1);
    InvalidateRect(top, &b, 0);
    Log().clear();
    UpdateWindow(top);
    ASSERT_TRUE(seen);
    EXPECT_TRUE(seen->fErase);
    EXPECT_EQ(seen->rcPaint, Rect(10, 5, 40, 20));
    EXPECT_EQ(Messages(top, {WM_PAINT, WM_ERASEBKGND}), (std::vector<UINT>{WM_PAINT, WM_ERASEBKGND}));
    seen.reset();
    UpdateWindow(top);
    EXPECT_FALSE(seen) << "nothing left to paint";
}

TEST_F(Painting, AHandlerThatPaintsNothingIsNotAskedForever)
{
    HWND top = Canvas(Bounds(0, 0, 50, 50));
    Answer(top, WM_PAINT, 0);
    Log().clear();
    Pump();
    EXPECT_EQ(Messages(top, {WM_PAINT}).size(), 1u);
    RECT r;
    EXPECT_FALSE(GetUpdateRect(top, &r, 0));
}

TEST_F(Painting, FrameInvalidationSendsNcPaintAndWindowDcCoversTheFrame)
{
    HWND top = Canvas(Bounds(0, 0, 60, 40), WS_POPUP | WS_VISIBLE | WS_BORDER);
    On(top, WM_NCPAINT, [](HWND h, UINT, WPARAM wParam, LPARAM) {
        HDC dc = GetDCEx(h, wParam > 1 ? reinterpret_cast<HRGN>(wParam) : nullptr, DCX_WINDOW);
        RECT all = Rect(0, 0, 60, 40);
        HBRUSH brush = CreateSolidBrush(kBlue);
        FillRect(dc, &all, brush); // over the client area too: WM_PAINT comes after
        DeleteObject(ToGdiObj(brush));
        ReleaseDC(h, dc);
        return std::optional<LRESULT>(0);
    });
    PaintsIn(top, kGreen);
    Pump();
    EXPECT_EQ(PixelAt(top, 0, 0), kBlue);
    EXPECT_EQ(PixelAt(top, 30, 20), kGreen) << "the client paint comes after the frame";

    Log().clear();
    InvalidateRect(top, nullptr, 0);
    Pump();
    EXPECT_EQ(Messages(top, {WM_NCPAINT, WM_PAINT}), (std::vector<UINT>{WM_PAINT})) << "the frame stays valid";
    RedrawWindow(top, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
    Log().clear();
    Pump();
    EXPECT_EQ(Messages(top, {WM_NCPAINT, WM_PAINT}), (std::vector<UINT>{WM_PAINT, WM_NCPAINT}));
}

TEST_F(Painting, AChildOverhangingTheClientAreaLeavesTheFrameDrawn)
{
    HWND top = Canvas(Bounds(0, 0, 60, 40), WS_POPUP | WS_VISIBLE | WS_BORDER | WS_CLIPCHILDREN);
    On(top, WM_NCPAINT, [](HWND h, UINT, WPARAM wParam, LPARAM) {
        HDC dc = GetDCEx(h, wParam > 1 ? reinterpret_cast<HRGN>(wParam) : nullptr, DCX_WINDOW);
        RECT all = Rect(0, 0, 60, 40);
        HBRUSH brush = CreateSolidBrush(kBlue);
        FillRect(dc, &all, brush);
        DeleteObject(ToGdiObj(brush));
        ReleaseDC(h, dc);
        return std::optional<LRESULT>(0);
    });
    PaintsIn(top, kGreen);
    // Past the client area's bottom right corner, as after the form shrank.
    HWND child = Child(top, Bounds(30, 20, 50, 50), WS_CHILD | WS_VISIBLE);
    PaintsIn(child, kRed);
    Pump();
    EXPECT_EQ(PixelAt(top, 45, 39), kBlue) << "the bottom frame under the child";
    EXPECT_EQ(PixelAt(top, 59, 30), kBlue) << "the right frame under the child";
    EXPECT_EQ(PixelAt(top, 45, 30), kRed);
    EXPECT_EQ(PixelAt(top, 10, 10), kGreen);
}

TEST_F(Painting, HidingAndMovingAChildRepaintsWhatItUncovers)
{
    HWND top = Canvas(Bounds(0, 0, 100, 100));
    PaintsIn(top, kWhite);
    HWND child = Child(top, Bounds(10, 10, 20, 20));
    PaintsIn(child, kRed);
    Pump();
    EXPECT_EQ(PixelAt(top, 15, 15), kRed);
    MoveWindow(child, 50, 50, 20, 20, 1);
    Pump();
    EXPECT_EQ(PixelAt(top, 15, 15), kWhite);
    EXPECT_EQ(PixelAt(top, 55, 55), kRed);
    ShowWindow(child, SW_HIDE);
    Pump();
    EXPECT_EQ(PixelAt(top, 55, 55), kWhite);
}

TEST_F(Painting, PrintDrawsTheWindowAndItsChildrenIntoAGivenDC)
{
    HWND top = Canvas(Bounds(500, 500, 40, 40));
    HWND child = Child(top, Bounds(10, 10, 10, 10));
    auto printsIn = [](COLORREF colour) {
        return [colour](HWND h, UINT, WPARAM wParam, LPARAM) {
            RECT r;
            GetClientRect(h, &r);
            HBRUSH brush = CreateSolidBrush(colour);
            FillRect(reinterpret_cast<HDC>(wParam), &r, brush);
            DeleteObject(ToGdiObj(brush));
            return std::optional<LRESULT>(0);
        };
    };
    On(top, WM_PRINTCLIENT, printsIn(kGreen));
    On(child, WM_PRINTCLIENT, printsIn(kRed));
    HDC memory = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(memory, 40, 40);
    SelectObject(memory, ToGdiObj(bitmap));
    SendMessage(top, WM_PRINT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT | PRF_CHILDREN);
    EXPECT_EQ(GetPixel(memory, 5, 5), kGreen);
    EXPECT_EQ(GetPixel(memory, 15, 15), kRed);
    EXPECT_EQ(GetPixel(memory, 25, 25), kGreen);
    DeleteDC(memory);
    DeleteObject(ToGdiObj(bitmap));
}

TEST_F(Painting, WhatIsDrawnReachesTheBackendWhenIdle)
{
    struct TRecordingBackend : TBackend {
        std::vector<std::pair<HWND, TRect>> Presented;
        void Present(HWND hwnd, const TSurface&, const TRegion& dirty) override
        {
            Presented.push_back({hwnd, dirty.Bounds()});
        }
    };
    auto backend = std::make_shared<TRecordingBackend>();
    SetBackend(backend);
    HWND top = Canvas(Bounds(0, 0, 50, 50));
    Pump();
    ASSERT_FALSE(backend->Presented.empty());
    EXPECT_EQ(backend->Presented.back().first, top);
    backend->Presented.clear();
    RECT r = Rect(5, 5, 10, 10);
    InvalidateRect(top, &r, 1);
    Pump();
    ASSERT_EQ(backend->Presented.size(), 1u);
    EXPECT_EQ(backend->Presented[0].second, r);
}

} // namespace
} // namespace tovrel::test
