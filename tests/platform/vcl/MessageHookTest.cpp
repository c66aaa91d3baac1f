// Application.OnMessage sees the messages of nested loops too (modal forms,
// the plain popup menu, moving a form), and what it handles never reaches
// the loop.
#include "ControlTestSupport.h"

#include "platform/vcl/PopupMenuTracker.h"
#include "platform/wm/Keys.h"

#include <functional>
#include <string>
#include <vector>

namespace tovrel::test {
namespace {

class MessageHook : public ControlTest {
protected:
    void TearDown() override
    {
        Application->OnMessage = nullptr;
        ControlTest::TearDown();
    }
};

TEST_F(MessageHook, OnMessageRunsInsideNestedLoopsAndMayTakeTheirMessages)
{
    auto main = std::make_unique<TForm>(nullptr);
    main->SetBounds(100, 100, 300, 200);
    main->Show();
    Pump();
    const TPoint caption = main->ClientToScreen({150, -5});

    auto* menu = new TPopupMenu(main.get());
    auto* first = new TMenuItem(menu);
    first->SetCaption("&First");
    menu->Items()->Add(first);
    std::vector<std::string> clicked;
    first->OnClick = [&](TObject*) { clicked.push_back("first"); };
    const TWndMethod inherited = main->WindowProc;
    std::function<void()> onMenuIdle;
    int movingSteps = 0;
    main->WindowProc = [&](TMessage& message) {
        movingSteps += message.Msg == WM_MOVING;
        if (message.Msg == WM_ENTERIDLE && onMenuIdle)
            std::exchange(onMenuIdle, nullptr)();
        inherited(message);
    };

    TForm dialog(nullptr);
    int dialogKeys = 0;
    dialog.KeyPreview = true;
    dialog.OnKeyDown = [&](TObject*, WORD&, TShiftState) { ++dialogKeys; };
    dialog.OnKeyUp = [&](TObject*, WORD&, TShiftState) { dialog.SetModalResult(mrCancel); }; // should the hook fail

    struct TCase {
        const char* Loop;
        UINT Message;
        WPARAM WParam; // of a key message
        std::function<bool()> InLoop;
        std::function<void()> Run;
        std::function<void()> Check; // that the loop never saw it
    } cases[] = {
        {"modal form", WM_KEYDOWN, 'A', [&] { return dialog.Modal(); },
         [&] {
             dialog.OnShow = [](TObject*) {
                 InjectKey('A', true);
                 InjectKey('A', false);
             };
             dialog.ShowModal();
         },
         [&] { EXPECT_EQ(dialogKeys, 0); }},
        {"plain popup menu", WM_KEYDOWN, VK_RETURN, [] { return TPopupMenuTracker::Active() != nullptr; },
         [&] {
             onMenuIdle = [] {
                 InjectKey(VK_DOWN, true);
                 InjectKey(VK_RETURN, true);
                 InjectKey(VK_ESCAPE, true);
             };
             menu->Popup(150, 150);
         },
         [&] { EXPECT_TRUE(clicked.empty()) << "Enter never picked the hot row"; }},
        {"moving the form", WM_MOUSEMOVE, 0, [&] { return GetCapture() == main->Handle(); },
         [&] {
             InjectMouseButton(0, true, caption);
             InjectMouseMove({caption.X + 30, caption.Y + 20});
             InjectMouseButton(0, false, caption);
             Pump();
         },
         [&] { EXPECT_EQ(movingSteps, 0); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Loop);
        clock->Advance(1000);
        int taken = 0;
        Application->OnMessage = [&](MSG& msg, bool& handled) {
            if (msg.message != c.Message || (c.Message != WM_MOUSEMOVE && msg.wParam != c.WParam) || !c.InLoop())
                return;
            handled = true;
            ++taken;
            if (dialog.Modal())
                dialog.SetModalResult(mrOk);
        };
        c.Run();
        EXPECT_GT(taken, 0) << "the hook never saw it inside the loop";
        c.Check();
    }
    main->WindowProc = inherited;
}

} // namespace
} // namespace tovrel::test
