#include "ControlTestSupport.h"

#include "platform/gdi/TextFlags.h"
#include "platform/vcl/Errors.h"
#include "platform/vcl/MessageBox.h"
#include "platform/vcl/Timer.h"

#include <string>
#include <vector>

namespace tovrel::test {
namespace {

class Forms : public ControlTest {};

TEST_F(Forms, ShowModalReturnsTheModalResultAndLeavesOtherWindowsEnabled)
{
    auto main = ShownForm(0, 0, 200, 100);
    TForm dialog(nullptr);
    dialog.Position = poScreenCenter;
    dialog.SetBounds(0, 0, 100, 50);
    bool mainDisabledMeanwhile = false;
    dialog.OnShow = [&](TObject*) {
        mainDisabledMeanwhile = !IsWindowEnabled(main->Handle());
        dialog.SetModalResult(mrOk);
    };
    EXPECT_EQ(dialog.ShowModal(), mrOk);
    EXPECT_TRUE(mainDisabledMeanwhile);
    EXPECT_TRUE(IsWindowEnabled(main->Handle()));
    EXPECT_FALSE(dialog.Visible());
    TRect area;
    SystemParametersInfo(SPI_GETWORKAREA, 0, &area, 0);
    EXPECT_EQ(dialog.Left(), area.Left + (area.Width() - 100) / 2);

    // Close while modal ends it with mrCancel; a refused close query keeps it open.
    int asked = 0;
    dialog.OnShow = [&](TObject*) { dialog.Close(); };
    dialog.OnCloseQuery = [&](TObject*, bool& canClose) {
        canClose = ++asked > 1;
        if (!canClose)
            PostMessage(dialog.Handle(), WM_CLOSE, 0, 0); // asked again once this refusal is done
    };
    EXPECT_EQ(dialog.ShowModal(), mrCancel);
    EXPECT_EQ(asked, 2);
    main->Show();
    EXPECT_THROW(main->ShowModal(), EInvalidOperation);
}

TEST_F(Forms, AShownFormStaysShownWhenItsWindowIsRemade)
{
    auto form = ShownForm(0, 0, 200, 100);
    HWND old = form->Handle();
    form->SetBorderStyle(bsToolWindow);
    ASSERT_NE(form->Handle(), old);
    EXPECT_TRUE(IsWindowVisible(form->Handle()));

    form->Hide();
    form->SetBorderStyle(bsSingle);
    EXPECT_FALSE(IsWindowVisible(form->Handle()));
}

TEST_F(Forms, OtherFormsAreOwnedByTheMainFormsWindow)
{
    TForm* made = nullptr;
    Application->CreateForm(made);
    std::unique_ptr<TForm> main(made);
    ASSERT_EQ(Application->MainForm(), main.get());
    TForm early(nullptr);
    const HWND earlyWindow = early.Handle(); // made before the main form's window
    main->Show();
    TForm dialog(nullptr);
    dialog.Show();
    Pump();
    EXPECT_EQ(GetWindow(main->Handle(), GW_OWNER), nullptr);
    EXPECT_EQ(GetWindow(dialog.Handle(), GW_OWNER), main->Handle());
    EXPECT_EQ(GetWindow(earlyWindow, GW_OWNER), main->Handle()) << "taken on when the main window was made";

    SetWindowPos(main->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(GetTopWindow(nullptr), dialog.Handle()) << "kept above its owner";

    // The main form's window made again takes the other windows on, which live on.
    const HWND dialogWindow = dialog.Handle();
    main->SetBorderStyle(bsToolWindow);
    EXPECT_TRUE(IsWindowVisible(dialogWindow));
    EXPECT_EQ(dialog.Handle(), dialogWindow);
    EXPECT_EQ(GetWindow(dialogWindow, GW_OWNER), main->Handle());
    EXPECT_EQ(GetWindow(earlyWindow, GW_OWNER), main->Handle());
}

TEST_F(Forms, CloseActionsHideFreeOrKeepTheForm)
{
    auto* form = new TForm(nullptr);
    form->SetBorderStyle(bsNone);
    form->Show();
    Pump();
    const HWND handle = form->Handle();
    std::vector<TCloseAction> actions = {caNone, caHide, caFree};
    std::size_t next = 0;
    form->OnClose = [&](TObject*, TCloseAction& action) { action = actions[next++]; };
    PostMessage(handle, WM_CLOSE, 0, 0);
    Pump();
    EXPECT_TRUE(form->Visible());
    PostMessage(handle, WM_CLOSE, 0, 0);
    Pump();
    EXPECT_FALSE(form->Visible());
    form->Show();
    form->Close(); // caFree: freed once the message loop runs again
    EXPECT_EQ(FindControl(handle), form);
    Pump();
    EXPECT_EQ(FindControl(handle), nullptr);
    EXPECT_FALSE(IsWindow(handle));
}

TEST_F(Forms, ScreenListsFormsMostRecentlyActivatedFirst)
{
    auto first = ShownForm(0, 0, 50, 50);
    auto second = ShownForm(60, 0, 50, 50);
    ASSERT_EQ(Screen->Forms(0), second.get());
    first->Show();
    Pump();
    EXPECT_EQ(Screen->Forms(0), first.get());
    EXPECT_EQ(Screen->ActiveForm(), first.get());
    auto third = std::make_unique<TForm>(nullptr);
    EXPECT_EQ(Screen->Forms(Screen->FormCount() - 1), third.get()) << "new forms at the end";
}

TEST_F(Forms, ApplicationMinimizesAndRestoresEveryShownForm)
{
    auto first = ShownForm(0, 0, 50, 50);
    auto second = ShownForm(60, 0, 50, 50);
    auto hidden = std::make_unique<TForm>(nullptr);
    first->Show();
    Pump();
    Application->Minimize();
    Pump();
    EXPECT_TRUE(IsIconic(first->Handle()));
    EXPECT_TRUE(IsIconic(second->Handle()));
    EXPECT_FALSE(hidden->Visible());
    EXPECT_EQ(first->WindowState(), wsMinimized);

    Application->Restore();
    Pump();
    EXPECT_FALSE(IsIconic(first->Handle()));
    EXPECT_FALSE(IsIconic(second->Handle()));
    EXPECT_EQ(Screen->ActiveForm(), first.get()) << "the form active before stays active";
}

TEST_F(Forms, PlainMessageBoxAnswersEnterWithTheDefaultButtonAndEscapeWithCancel)
{
    auto main = ShownForm(0, 0, 300, 200);
    const struct {
        UINT Flags;
        UINT Key;
        int Expected;
    } cases[] = {
        {MB_OKCANCEL, VK_RETURN, IDOK},
        {MB_OKCANCEL, VK_ESCAPE, IDCANCEL},
        {MB_YESNO | MB_DEFBUTTON2, VK_RETURN, IDNO},
        {MB_YESNOCANCEL | MB_ICONQUESTION, VK_ESCAPE, IDCANCEL},
        {MB_OK | MB_ICONWARNING, VK_ESCAPE, IDOK},
    };
    for (const auto& c : cases) {
        InjectKey(c.Key, true);
        InjectKey(c.Key, false);
        EXPECT_EQ(PlainMessageBox(main->Handle(), "文件不存在", "TovrelMP4格式转换器", c.Flags), c.Expected)
            << c.Flags << " key " << c.Key;
    }
    EXPECT_TRUE(IsWindowEnabled(main->Handle()));
}

TEST_F(Forms, TimerFiresOnTheClockAndMayFreeItselfInItsHandler)
{
    int ticks = 0;
    auto* timer = new TTimer(nullptr);
    timer->SetInterval(50);
    timer->SetOnTimer([&](TObject*) { ++ticks; });
    Pump();
    EXPECT_EQ(ticks, 0);
    clock->Advance(50);
    Pump();
    EXPECT_EQ(ticks, 1);
    timer->SetEnabled(false);
    clock->Advance(100);
    Pump();
    EXPECT_EQ(ticks, 1);

    timer->SetEnabled(true);
    timer->SetOnTimer([&](TObject* sender) {
        ++ticks;
        TObject::Free(sender);
    });
    clock->Advance(50);
    Pump();
    clock->Advance(50);
    Pump();
    EXPECT_EQ(ticks, 2);
}

} // namespace
} // namespace tovrel::test

namespace tovrel::test {
namespace {

TEST_F(Forms, AFormGivenAParentIsAChildWindowDrawnInsideIt)
{
    auto host = ShownForm(100, 50, 200, 100);
    TForm preview(nullptr);
    preview.SetBorderStyle(bsNone);
    preview.SetColor(clRed);
    preview.SetParent(host.get());
    preview.SetBounds(10, 10, 50, 30);
    preview.Show();
    Pump();
    EXPECT_EQ(GetParent(preview.Handle()), host->Handle());
    EXPECT_EQ(PixelAt(*host, 15, 15), COLORREF(clRed));
    EXPECT_EQ(preview.ClientOrigin(), Point(110, 60));
    EXPECT_EQ(GetActiveWindow(), host->Handle());
    preview.SetEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(preview.Handle()));

    host->SetWindowState(wsMinimized);
    EXPECT_EQ(host->WindowState(), wsMinimized);
    host->SetWindowState(wsNormal);
    EXPECT_EQ(host->WindowState(), wsNormal);
}

} // namespace
} // namespace tovrel::test

namespace tovrel::test {
namespace {

TEST_F(Forms, ScreenMonitorsApplicationWindowAndReadingOrderFlags)
{
    struct TTwoScreens : TBackend {
        std::vector<TMonitor> Monitors() override
        {
            return {{Rect(0, 0, 1920, 1080), Rect(0, 0, 1920, 1040)},
                    {Rect(1920, 0, 3200, 1024), Rect(1920, 0, 3200, 1024)}};
        }
    };
    SetBackend(std::make_shared<TTwoScreens>());
    ASSERT_EQ(Screen->MonitorCount(), 2);
    EXPECT_EQ(Screen->Monitors(1).BoundsRect, Rect(1920, 0, 3200, 1024));
    auto form = ShownForm(2000, 100, 100, 100);
    EXPECT_EQ(Screen->MonitorFromWindow(form->Handle()).WorkareaRect, Rect(1920, 0, 3200, 1024));

    HWND app = Application->Handle();
    EXPECT_TRUE(IsWindow(app));
    EXPECT_FALSE(IsWindowVisible(app));
    EXPECT_EQ(Application->Handle(), app);

    const struct {
        TBiDiMode Mode;
        unsigned In, Out;
    } cases[] = {
        {bdLeftToRight, DT_LEFT, DT_LEFT},
        {bdRightToLeft, DT_LEFT, DT_RIGHT | DT_RTLREADING},
        {bdRightToLeft, DT_RIGHT, DT_LEFT | DT_RTLREADING},
        {bdRightToLeft, DT_CENTER, DT_CENTER | DT_RTLREADING},
        {bdRightToLeftReadingOnly, DT_LEFT, DT_LEFT | DT_RTLREADING},
    };
    for (const auto& c : cases) {
        form->BiDiMode = c.Mode;
        EXPECT_EQ(form->DrawTextBiDiModeFlags(c.In), c.Out) << int(c.Mode) << " " << c.In;
    }
}

} // namespace
} // namespace tovrel::test

namespace tovrel::test {
namespace {

TEST_F(Forms, FindVCLWindowAndTheMouse)
{
    auto form = ShownForm(100, 50, 100, 100);
    auto* inner = new TCustomControl(form.get());
    inner->SetBounds(10, 10, 20, 20);
    inner->SetParent(form.get());
    Pump();
    EXPECT_EQ(FindVCLWindow(Point(115, 65)), inner);
    EXPECT_EQ(FindVCLWindow(Point(180, 120)), form.get());
    EXPECT_EQ(FindVCLWindow(Point(5, 5)), nullptr);
    Mouse->SetCursorPos(Point(120, 70));
    Pump();
    EXPECT_EQ(Mouse->CursorPos(), Point(120, 70));
}

} // namespace
} // namespace tovrel::test
