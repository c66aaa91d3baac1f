// Aligned and anchored children laid out before their parent has a window
// must sit where they sit once the window exists: the client area read
// without a window is the one the window's frame (border, caption, menu bar,
// edges) will leave.
#include "ControlTestSupport.h"

#include "platform/vcl/CustomControls.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/Menus.h"
#include "platform/wm/WindowPos.h"

#include <ostream>
#include <string>
#include <tuple>

namespace tovrel::test {
namespace {

// A form whose styles differ from its border style's.
class TStyledForm : public TForm {
public:
    TStyledForm(DWORD styleOff, DWORD styleOn) : TForm(nullptr), styleOff_(styleOff), styleOn_(styleOn) {}

protected:
    void CreateParams(TCreateParams& params) override
    {
        TForm::CreateParams(params);
        params.Style = (params.Style & ~styleOff_) | styleOn_;
    }

private:
    DWORD styleOff_, styleOn_;
};

// A windowed container with a border or edge, as list boxes and edits have.
class TEdgedBox : public TCustomControl {
public:
    TEdgedBox(TComponent* owner, DWORD style, DWORD exStyle) : TCustomControl(owner), style_(style), exStyle_(exStyle)
    {}

protected:
    void CreateParams(TCreateParams& params) override
    {
        TCustomControl::CreateParams(params);
        params.Style |= style_;
        params.ExStyle |= exStyle_;
    }

private:
    DWORD style_, exStyle_;
};

TRect WindowClientRect(TWinControl& control)
{
    RECT r;
    GetClientRect(control.Handle(), &r);
    return r;
}

// A control's window rectangle in its parent's client coordinates.
TRect WindowBounds(TWinControl& control)
{
    RECT r;
    GetWindowRect(control.Handle(), &r);
    MapWindowPoints(nullptr, control.Parent()->Handle(), &r, 1);
    return r;
}

void AddMenu(TForm& form)
{
    auto* menu = new TMainMenu(&form);
    auto* item = new TMenuItem(&form);
    item->SetCaption("文件(&F)");
    menu->Items()->Add(item);
    form.SetMenu(menu);
}

template <class T, class... Args> T* Child(TWinControl& parent, TAlign align, TRect bounds, Args... args)
{
    auto* c = new T(&parent, args...);
    c->SetParent(&parent);
    c->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
    c->SetAlign(align);
    return c;
}

// One child of each alignment, windowed and graphic ones mixed.
struct TAlignedSet {
    TControl* Top;
    TControl* Bottom;
    TControl* Left;
    TControl* Right;
    TControl* Client;

    explicit TAlignedSet(TWinControl& parent)
        : Top(Child<TCustomControl>(parent, alTop, Bounds(0, 0, 5, 20))),
          Bottom(Child<TGraphicControl>(parent, alBottom, Bounds(0, 0, 5, 15))),
          Left(Child<TCustomControl>(parent, alLeft, Bounds(0, 0, 30, 5))),
          Right(Child<TGraphicControl>(parent, alRight, Bounds(0, 0, 40, 5))),
          Client(Child<TCustomControl>(parent, alClient, Bounds(0, 0, 1, 1)))
    {}

    // Before the parent's window exists: the bounds alone.
    void ExpectBoundsFill(const TRect& client) const
    {
        const int w = client.Width(), h = client.Height();
        EXPECT_EQ(Top->BoundsRect(), Rect(0, 0, w, 20));
        EXPECT_EQ(Bottom->BoundsRect(), Rect(0, h - 15, w, h));
        EXPECT_EQ(Left->BoundsRect(), Rect(0, 20, 30, h - 15));
        EXPECT_EQ(Right->BoundsRect(), Rect(w - 40, 20, w, h - 15));
        EXPECT_EQ(Client->BoundsRect(), Rect(30, 20, w - 40, h - 15));
    }

    void ExpectFills(const TRect& client) const
    {
        ExpectBoundsFill(client);
        for (TControl* c : {Top, Left, Client}) {
            auto& windowed = static_cast<TWinControl&>(*c);
            EXPECT_EQ(WindowBounds(windowed), c->BoundsRect()) << "window follows the bounds";
        }
    }
};

struct FormCase {
    const char* Name;
    TFormBorderStyle Border;
    bool Menu;
    DWORD StyleOff = 0, StyleOn = 0;
};

void PrintTo(const FormCase& c, std::ostream* os)
{
    *os << c.Name;
}

const FormCase kForms[] = {
    {"None", bsNone, false},
    {"NoneMenu", bsNone, true},
    {"Single", bsSingle, false},
    {"SingleMenu", bsSingle, true},
    {"Sizeable", bsSizeable, false},
    {"SizeableMenu", bsSizeable, true},
    {"Dialog", bsDialog, false},
    {"DialogMenu", bsDialog, true},
    {"ToolWindow", bsToolWindow, false},
    {"SizeToolWinMenu", bsSizeToolWin, true},
    // A frame without a caption bar needs a popup: an overlapped window always gets a caption.
    {"PopupFrame", bsSizeable, false, WS_CAPTION, WS_POPUP},
    {"PopupFrameMenu", bsSizeable, true, WS_CAPTION, WS_POPUP},
    {"OverlappedWithoutCaption", bsSingle, false, WS_CAPTION, 0},
};

std::unique_ptr<TForm> MakeForm(const FormCase& c)
{
    if (c.StyleOff || c.StyleOn)
        return std::make_unique<TStyledForm>(c.StyleOff, c.StyleOn);
    return std::make_unique<TForm>(nullptr);
}

// When the children, the menu and the window come, relative to each other.
enum TBuildOrder : std::uint8_t {
    boLoading,     // built in code inside BeginLoading/EndLoading, then shown
    boInCode,      // menu, then children, all before the window
    boMenuLast,    // children, then the menu and the border style, before the window
    boWindowFirst, // the window, then children, then the menu
    boBorderLast,  // children before the window, the border style set after it
};

const TBuildOrder kOrders[] = {boLoading, boInCode, boMenuLast, boWindowFirst, boBorderLast};

std::string OrderName(TBuildOrder order)
{
    const char* names[] = {"Loading", "InCode", "MenuLast", "WindowFirst", "BorderLast"};
    return names[order];
}

void PrintTo(TBuildOrder order, std::ostream* os)
{
    *os << OrderName(order);
}

class AlignBeforeWindow : public ControlTest,
                          public ::testing::WithParamInterface<std::tuple<FormCase, TBuildOrder>> {};

TEST_P(AlignBeforeWindow, AlignedChildrenFillTheWindowsClientArea)
{
    const auto [form, order] = GetParam();
    std::unique_ptr<TForm> f = MakeForm(form);
    if (order == boLoading)
        f->BeginLoading();
    f->SetBounds(20, 30, 300, 200);
    if (order != boBorderLast && order != boMenuLast)
        f->SetBorderStyle(form.Border);
    if (order == boWindowFirst)
        f->HandleNeeded();
    if (form.Menu && (order == boLoading || order == boInCode))
        AddMenu(*f);
    TAlignedSet set(*f);
    if (form.Menu && (order == boMenuLast || order == boBorderLast))
        AddMenu(*f);
    if (order == boMenuLast)
        f->SetBorderStyle(form.Border);
    if (order == boLoading)
        f->EndLoading();
    const TRect before = f->ClientRect();
    const bool hadWindow = f->HandleAllocated();
    if (!hadWindow) {
        SCOPED_TRACE("before the window");
        set.ExpectBoundsFill(before);
    }
    if (order == boBorderLast) {
        f->HandleNeeded();
        f->SetBorderStyle(form.Border);
    }
    f->Show();
    Pump();
    if (form.Menu && order == boWindowFirst)
        AddMenu(*f);

    const TRect client = WindowClientRect(*f);
    if (!hadWindow && order != boBorderLast) {
        EXPECT_EQ(before, client) << "the client area read before the window is the window's";
    }
    EXPECT_EQ(f->ClientRect(), client);
    EXPECT_EQ(Rect(0, 0, f->ClientWidth(), f->ClientHeight()), client);
    set.ExpectFills(client);

    // And after the first resize, as before.
    f->SetBounds(20, 30, 340, 260);
    set.ExpectFills(WindowClientRect(*f));
}

INSTANTIATE_TEST_SUITE_P(Forms, AlignBeforeWindow,
                         ::testing::Combine(::testing::ValuesIn(kForms), ::testing::ValuesIn(kOrders)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).Name) + "_" +
                                    OrderName(std::get<1>(info.param));
                         });

struct EdgeCase {
    const char* Name;
    DWORD Style;
    DWORD ExStyle;
};

void PrintTo(const EdgeCase& c, std::ostream* os)
{
    *os << c.Name;
}

const EdgeCase kEdges[] = {
    {"Border", WS_BORDER, 0},
    {"ClientEdge", 0, WS_EX_CLIENTEDGE},
    {"StaticEdge", 0, WS_EX_STATICEDGE},
    {"BorderAndClientEdge", WS_BORDER, WS_EX_CLIENTEDGE},
};

class EdgedChildBeforeWindow : public ControlTest, public ::testing::WithParamInterface<EdgeCase> {};

TEST_P(EdgedChildBeforeWindow, ItsChildrenFillTheClientAreaInsideTheEdge)
{
    const EdgeCase& edge = GetParam();
    TForm form(nullptr);
    form.SetBorderStyle(bsSizeable);
    form.SetBounds(0, 0, 300, 200);
    auto* box = Child<TEdgedBox>(form, alNone, Bounds(10, 10, 200, 120), edge.Style, edge.ExStyle);
    TAlignedSet inner(*box);
    const TRect before = box->ClientRect();
    TControl* corner = Child<TGraphicControl>(
        *box, alNone, Rect(before.Right - 30, before.Bottom - 20, before.Right - 5, before.Bottom - 4));
    corner->SetAnchors({akRight, akBottom});
    auto expectCornerKept = [&](const TRect& c) {
        EXPECT_EQ(corner->BoundsRect(), Rect(c.Right - 30, c.Bottom - 20, c.Right - 5, c.Bottom - 4));
    };
    box->SetClientSize(150, 90);
    const TRect sized = box->ClientRect();
    EXPECT_EQ(sized, Rect(0, 0, 150, 90)) << "the client size asked for before the window";
    form.Show();
    Pump();

    const TRect client = WindowClientRect(*box);
    EXPECT_EQ(client, sized);
    EXPECT_LT(before.Width(), 200) << "the edge is inside the bounds";
    EXPECT_EQ(before.Width(), 200 - (box->Width() - client.Width()));
    inner.ExpectFills(client);
    expectCornerKept(client);
    box->SetBounds(10, 10, 230, 150);
    expectCornerKept(WindowClientRect(*box));
}

INSTANTIATE_TEST_SUITE_P(Edges, EdgedChildBeforeWindow, ::testing::ValuesIn(kEdges),
                         [](const auto& info) { return std::string(info.param.Name); });

class AnchorsBeforeWindow : public ControlTest, public ::testing::WithParamInterface<FormCase> {};

// Anchored right and bottom, placed against the client size read before the
// window: they keep their distance from the client edges through the window's
// making and later resizes, by the program or by the window layer.
TEST_P(AnchorsBeforeWindow, AnchoredChildrenKeepTheirDistanceFromTheClientEdges)
{
    const FormCase form = GetParam();
    std::unique_ptr<TForm> made = MakeForm(form);
    TForm& f = *made;
    f.SetBorderStyle(form.Border);
    f.SetBounds(0, 0, 300, 200);
    if (form.Menu)
        AddMenu(f);
    const int w = f.ClientWidth(), h = f.ClientHeight();
    TControl* corner = Child<TGraphicControl>(f, alNone, Rect(w - 50, h - 30, w - 10, h - 5));
    corner->SetAnchors({akRight, akBottom});
    TControl* stretched = Child<TCustomControl>(f, alNone, Rect(10, 10, w - 20, 40));
    stretched->SetAnchors({akLeft, akTop, akRight});
    TControl* tall = Child<TCustomControl>(f, alNone, Rect(10, 50, 60, h - 8));
    tall->SetAnchors({akLeft, akTop, akBottom});
    f.Show();
    Pump();

    auto expectKept = [&](const char* when) {
        const TRect c = WindowClientRect(f);
        EXPECT_EQ(corner->BoundsRect(), Rect(c.Right - 50, c.Bottom - 30, c.Right - 10, c.Bottom - 5)) << when;
        EXPECT_EQ(stretched->BoundsRect(), Rect(10, 10, c.Right - 20, 40)) << when;
        EXPECT_EQ(tall->BoundsRect(), Rect(10, 50, 60, c.Bottom - 8)) << when;
    };
    expectKept("shown");
    f.SetBounds(0, 0, 380, 260);
    expectKept("resized by the program");
    SetWindowPos(f.Handle(), nullptr, 0, 0, 330, 230, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    expectKept("resized by the window layer");
}

INSTANTIATE_TEST_SUITE_P(Forms, AnchorsBeforeWindow, ::testing::ValuesIn(kForms),
                         [](const auto& info) { return std::string(info.param.Name); });

class ClientOriginBeforeWindow : public ControlTest {};

// Screen positions read before the window (a popup placed under a control,
// say) are the ones the window gives: inside the frame, caption, menu bar
// and edges.
TEST_F(ClientOriginBeforeWindow, IsInsideTheFrameTheWindowWillHave)
{
    for (const FormCase& form : kForms) {
        SCOPED_TRACE(form.Name);
        std::unique_ptr<TForm> f = MakeForm(form);
        f->SetBorderStyle(form.Border);
        f->SetBounds(20, 30, 300, 200);
        if (form.Menu)
            AddMenu(*f);
        auto* box = Child<TEdgedBox>(*f, alNone, Bounds(10, 12, 200, 120), DWORD(WS_BORDER), DWORD(WS_EX_CLIENTEDGE));
        TControl* mark = Child<TGraphicControl>(*box, alNone, Bounds(5, 6, 20, 20));
        const TPoint formOrigin = f->ClientOrigin(), boxOrigin = box->ClientOrigin();
        const TPoint markScreen = mark->ClientToScreen(Point(1, 2));
        f->Show();
        Pump();

        EXPECT_EQ(formOrigin, f->ClientOrigin());
        EXPECT_EQ(boxOrigin, box->ClientOrigin());
        POINT p{6, 8};
        ::tovrel::ClientToScreen(box->Handle(), &p);
        EXPECT_EQ(markScreen, p);
    }
}

class ScrollBeforeWindow : public ControlTest {};

// Scrolling moves windowed and graphic children alike, with or without windows.
TEST_F(ScrollBeforeWindow, MovesEveryChildAsAfterTheWindow)
{
    TForm form(nullptr);
    form.SetBorderStyle(bsNone);
    form.SetBounds(0, 0, 300, 200);
    auto* early = Child<TCustomControl>(form, alNone, Bounds(0, 0, 140, 200));
    auto* late = Child<TCustomControl>(form, alNone, Bounds(150, 0, 140, 200));
    TControl* earlyMarks[] = {Child<TGraphicControl>(*early, alNone, Bounds(10, 20, 30, 30)),
                              Child<TCustomControl>(*early, alNone, Bounds(50, 20, 30, 30))};
    TControl* lateMarks[] = {Child<TGraphicControl>(*late, alNone, Bounds(10, 20, 30, 30)),
                             Child<TCustomControl>(*late, alNone, Bounds(50, 20, 30, 30))};
    early->ScrollBy(-4, 7);
    form.Show();
    Pump();
    late->ScrollBy(-4, 7);

    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(earlyMarks[i]->BoundsRect(), lateMarks[i]->BoundsRect()) << i;
    EXPECT_EQ(WindowBounds(static_cast<TWinControl&>(*earlyMarks[1])), Bounds(46, 27, 30, 30));
}

} // namespace
} // namespace tovrel::test
