// The conversion preview's window on the headless backend: its size, place,
// frame and caption, its close box, dragging by the picture, being freed in
// the middle of a drag, and the pictures of a real conversion.
#include "app/preview/PreviewerForm.h"
#include "media/PreviewBatchTestSupport.h"
#include "platform/backend/HeadlessBackend.h"
#include "platform/gdi/codecs/ImageCodec.h"
#include "platform/rtl/MainThread.h"
#include "platform/vcl/Application.h"
#include "platform/wm/Wm.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace tovrel::test {
namespace {

// A picture that differs from pixel to pixel and from seed to seed.
TSurface Pattern(int width, int height, int seed)
{
    TSurface picture(width, height, TPixelFormat::pf24bit);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = picture.ScanLine(y);
        for (int x = 0; x < width; ++x) {
            row[x * 3] = std::uint8_t(x + seed);
            row[x * 3 + 1] = std::uint8_t(y * 2);
            row[x * 3 + 2] = std::uint8_t((x ^ y) + seed * 7);
        }
    }
    return picture;
}

std::vector<TPreviewerForm*> PreviewForms()
{
    std::vector<TPreviewerForm*> forms;
    for (int i = 0; i < Screen->FormCount(); ++i)
        if (auto* form = dynamic_cast<TPreviewerForm*>(Screen->Forms(i)))
            forms.push_back(form);
    return forms;
}

TPreviewerForm* PreviewFormOfWidth(int clientWidth)
{
    for (TPreviewerForm* form : PreviewForms())
        if (form->ClientWidth() == clientWidth)
            return form;
    return nullptr;
}

TRect WindowRect(HWND hwnd)
{
    RECT r;
    GetWindowRect(hwnd, &r);
    return r;
}

TRect Moved(const TRect& r, int dx, int dy)
{
    return Bounds(r.Left + dx, r.Top + dy, r.Width(), r.Height());
}

TPoint ClientOrigin(HWND hwnd)
{
    POINT origin{0, 0};
    ClientToScreen(hwnd, &origin);
    return origin;
}

// A hash of the window's client area as its surface holds it.
std::uint64_t ClientHash(HWND hwnd)
{
    auto surface = WindowSurface(hwnd);
    const TRect window = WindowRect(hwnd);
    const TPoint origin = ClientOrigin(hwnd);
    RECT client;
    GetClientRect(hwnd, &client);
    std::uint64_t hash = 1469598103934665603ull;
    for (int y = 0; y < client.Bottom; ++y) {
        const std::uint8_t* row = surface->ScanLine(origin.Y - window.Top + y) + (origin.X - window.Left) * 4;
        for (int i = 0; i < client.Right * 4; ++i)
            hash = (hash ^ row[i]) * 1099511628211ull;
    }
    return hash;
}

class PreviewerFormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TMainThread::SetCurrent();
        clock_ = std::make_shared<TFakeClock>(100000);
        SetClock(clock_);
        SetBackend(std::make_shared<THeadlessBackend>());
        InstallPreviewerForm();
    }
    void TearDown() override
    {
        SetPreviewWindowFactory(nullptr);
        ReleaseCapture();
        Pump();
        SetBackend(nullptr);
        SetClock(nullptr);
    }
    static void Pump() { Application->ProcessMessages(); }
    void Drag(TPoint from, TPoint to)
    {
        InjectMouseButton(0, true, from);
        InjectMouseMove(to);
        InjectMouseButton(0, false, to);
        Pump();
        clock_->Advance(1000); // the next press is no double click
    }
    static TPoint ClientCentre(TPreviewerForm& form)
    {
        const TPoint origin = ClientOrigin(form.Handle());
        return {origin.X + form.ClientWidth() / 2, origin.Y + form.ClientHeight() / 2};
    }

    std::shared_ptr<TFakeClock> clock_;
};

// The first picture opens a centred stay-on-top tool window with only a close
// box, whose client area is the picture, captioned with its time; later
// pictures keep that size.
TEST_F(PreviewerFormTest, TheFirstPictureOpensACentredToolWindowOfItsSize)
{
    TPreviewer previewer;
    const TSurface first = Pattern(320, 240, 1);
    ASSERT_TRUE(previewer.PaintFrame(first, 1, 1040000));
    ASSERT_EQ(PreviewForms().size(), 1u);
    TPreviewerForm& form = *PreviewForms()[0];
    const HWND hwnd = form.Handle();
    EXPECT_TRUE(IsWindowVisible(hwnd));
    RECT client;
    GetClientRect(hwnd, &client);
    EXPECT_EQ(client, Bounds(0, 0, 320, 240));
    EXPECT_EQ(form.Caption(), "00:00:01.040");

    TRect area;
    SystemParametersInfo(SPI_GETWORKAREA, 0, &area, 0);
    const TRect window = WindowRect(hwnd);
    EXPECT_LE(std::abs((window.Left + window.Right) - (area.Left + area.Right)), 1);
    EXPECT_LE(std::abs((window.Top + window.Bottom) - (area.Top + area.Bottom)), 1);

    const auto style = DWORD(GetWindowLong(hwnd, GWL_STYLE));
    const auto exStyle = DWORD(GetWindowLong(hwnd, GWL_EXSTYLE));
    EXPECT_EQ(exStyle & (WS_EX_TOPMOST | WS_EX_TOOLWINDOW), DWORD(WS_EX_TOPMOST | WS_EX_TOOLWINDOW));
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU), DWORD(WS_CAPTION | WS_SYSMENU));
    EXPECT_EQ(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME), 0u);

    // The picture's pixels are the client area's.
    auto surface = WindowSurface(hwnd);
    const TPoint origin = ClientOrigin(hwnd);
    for (TPoint p : {TPoint{0, 0}, TPoint{319, 0}, TPoint{17, 123}, TPoint{319, 239}}) {
        const std::uint8_t* shown = surface->ScanLine(origin.Y - window.Top + p.Y) + (origin.X - window.Left + p.X) * 4;
        const std::uint8_t* given = first.ScanLine(p.Y) + p.X * 3;
        EXPECT_EQ(std::vector<int>({shown[0], shown[1], shown[2]}), std::vector<int>({given[0], given[1], given[2]}))
            << p.X << "," << p.Y;
    }

    const std::uint64_t before = ClientHash(hwnd);
    ASSERT_TRUE(previewer.PaintFrame(Pattern(400, 300, 2), 2, AV_NOPTS_VALUE));
    EXPECT_EQ(form.Caption(), "N/A");
    GetClientRect(hwnd, &client);
    EXPECT_EQ(client, Bounds(0, 0, 320, 240));
    EXPECT_NE(ClientHash(hwnd), before);
}

// A click on the close box hides the window and ends the preview; freeing
// the previewer frees the window.
TEST_F(PreviewerFormTest, TheCloseBoxEndsThePreview)
{
    auto previewer = std::make_unique<TPreviewer>();
    const TSurface picture = Pattern(160, 120, 3);
    ASSERT_TRUE(previewer->PaintFrame(picture, 1, 0));
    const HWND hwnd = PreviewForms().at(0)->Handle();
    const TRect window = WindowRect(hwnd);
    std::optional<TPoint> closeBox;
    for (int y = window.Top; y < window.Top + 30 && !closeBox; ++y)
        for (int x = window.Right - 1; x > window.Left && !closeBox; --x)
            if (SendMessage(hwnd, WM_NCHITTEST, 0, LParamFromPoint({x, y})) == HTCLOSE)
                closeBox = TPoint{x, y};
    ASSERT_TRUE(closeBox);
    InjectMouseButton(0, true, *closeBox);
    InjectMouseButton(0, false, *closeBox);
    Pump();
    EXPECT_FALSE(IsWindowVisible(hwnd));
    EXPECT_FALSE(previewer->PaintFrame(picture, 2, 40000));
    EXPECT_EQ(PreviewForms().size(), 1u);
    previewer.reset();
    EXPECT_TRUE(PreviewForms().empty());
    EXPECT_FALSE(IsWindow(hwnd));
}

// Each window is dragged by its picture, also after another one has gone.
TEST_F(PreviewerFormTest, DraggingThePictureMovesEachWindow)
{
    auto first = std::make_unique<TPreviewer>();
    TPreviewer second;
    ASSERT_TRUE(first->PaintFrame(Pattern(160, 120, 4), 1, 0));
    ASSERT_TRUE(second.PaintFrame(Pattern(200, 150, 5), 1, 0));
    TPreviewerForm* firstForm = PreviewFormOfWidth(160);
    TPreviewerForm* secondForm = PreviewFormOfWidth(200);
    ASSERT_TRUE(firstForm && secondForm);

    // Both are centred: the second lies over the first until it is dragged off.
    struct TDrag {
        TPreviewerForm* form;
        int dx, dy;
    };
    for (const TDrag& drag : {TDrag{secondForm, 300, 40}, TDrag{firstForm, -250, -30}}) {
        const TRect before = WindowRect(drag.form->Handle());
        const TPoint from = ClientCentre(*drag.form);
        Drag(from, {from.X + drag.dx, from.Y + drag.dy});
        EXPECT_EQ(WindowRect(drag.form->Handle()), Moved(before, drag.dx, drag.dy));
    }

    first.reset();
    ASSERT_EQ(PreviewForms().size(), 1u);
    const TRect before = WindowRect(secondForm->Handle());
    const TPoint from = ClientCentre(*secondForm);
    Drag(from, {from.X - 100, from.Y + 50});
    EXPECT_EQ(WindowRect(secondForm->Handle()), Moved(before, -100, 50));
}

// The preview ends while the user drags its window (the move loop runs the
// main-thread call that frees the previewer): the window goes once the drag
// is over.
TEST_F(PreviewerFormTest, APreviewEndingDuringADragFreesItsWindowAfterwards)
{
    auto previewer = std::make_unique<TPreviewer>();
    ASSERT_TRUE(previewer->PaintFrame(Pattern(160, 120, 6), 1, 0));
    TPreviewerForm& form = *PreviewForms().at(0);
    const HWND hwnd = form.Handle();
    TWndMethod original = form.WindowProc;
    form.WindowProc = [&previewer, original](TMessage& message) {
        original(message);
        if (message.Msg == WM_ENTERSIZEMOVE)
            TMainThread::Post([&previewer] { previewer.reset(); });
    };
    const TPoint from = ClientCentre(form);
    Drag(from, {from.X + 20, from.Y + 20});
    Pump();
    EXPECT_EQ(previewer, nullptr);
    EXPECT_TRUE(PreviewForms().empty());
    EXPECT_FALSE(IsWindow(hwnd));
}

// A conversion in a worker with the real window: the window shows the
// encoded pictures with their times; the user closes it at the sixth picture
// and the task converts to the end, showing nothing once the close is handled.
// The close is queued input and the loop runs calls from other threads first,
// so a picture handed over meanwhile may still show.
class PreviewerFormConversionTest : public TPreviewBatchTest {
protected:
    void SetUp() override
    {
        TPreviewBatchTest::SetUp();
        SetBackend(std::make_shared<THeadlessBackend>());
        SetPreviewWindowFactory([this](int width, int height, std::function<void()> onClosed) {
            ++windowsMade_;
            auto closed = [this, onClosed = std::move(onClosed)] {
                shownWhenClosed_ = captions_.size();
                onClosed();
            };
            return std::make_unique<TObservedWindow>(MakePreviewerWindow(width, height, std::move(closed)),
                                                     [this] { PictureShown(); });
        });
    }
    void TearDown() override
    {
        SetPreviewWindowFactory(nullptr);
        PumpWaitingMessages();
        SetBackend(nullptr);
        TPreviewBatchTest::TearDown();
    }

    class TObservedWindow : public IPreviewWindow {
    public:
        TObservedWindow(std::unique_ptr<IPreviewWindow> window, std::function<void()> shown)
            : window_(std::move(window)), shown_(std::move(shown))
        {}
        void ShowPicture(const TSurface& picture, const std::string& caption) override
        {
            window_->ShowPicture(picture, caption);
            shown_();
        }

    private:
        std::unique_ptr<IPreviewWindow> window_;
        std::function<void()> shown_;
    };

    void PictureShown()
    {
        ASSERT_EQ(PreviewForms().size(), 1u);
        TPreviewerForm& form = *PreviewForms()[0];
        captions_.push_back(form.Caption());
        hashes_.insert(ClientHash(form.Handle()));
        if (captions_.size() == 3)
            SaveWindowPng(form.Handle(), screenshot_);
        if (captions_.size() == 6)
            PostMessage(form.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
    }

    int windowsMade_ = 0;
    std::vector<std::string> captions_;
    std::optional<std::size_t> shownWhenClosed_;
    std::set<std::uint64_t> hashes_;
    std::string screenshot_ = folder_.Path("preview.png");
};

TEST_F(PreviewerFormConversionTest, TheWindowShowsTheConversionUntilTheUserClosesIt)
{
    AddTask("176x144");
    RunBatch(1, [] { PumpWaitingMessages(); });
    ExpectAllFinished();
    EXPECT_EQ(windowsMade_, 1);
    ASSERT_TRUE(shownWhenClosed_) << "the close was never handled";
    EXPECT_GE(*shownWhenClosed_, 6u);
    ASSERT_EQ(captions_.size(), *shownWhenClosed_) << "pictures shown after the close";
    EXPECT_EQ(captions_[0], "00:00:00.000");
    const std::regex time(R"(\d\d:\d\d:\d\d\.\d\d\d)");
    for (std::size_t i = 1; i < captions_.size(); ++i) {
        EXPECT_TRUE(std::regex_match(captions_[i], time)) << captions_[i];
        EXPECT_GT(captions_[i], captions_[i - 1]);
    }
    EXPECT_GE(hashes_.size(), 5u); // the clip moves from picture to picture
    EXPECT_TRUE(PreviewForms().empty());

    const TSurface screenshot = LoadImageFile(screenshot_);
    ASSERT_FALSE(screenshot.Empty());
    std::set<std::uint32_t> colours;
    for (int y = 0; y < screenshot.Height(); y += 4)
        for (int x = 0; x < screenshot.Width(); x += 4) {
            const std::uint8_t* p = screenshot.ScanLine(y) + x * screenshot.BytesPerPixel();
            colours.insert(std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16);
        }
    EXPECT_GT(colours.size(), 20u);
}

} // namespace
} // namespace tovrel::test
