// The main window's preview panel: the clip added as a user adds it (the row
// it becomes is selected, so the panel opens it paused on its first picture),
// then 播放 pressed for each run; at its end the panel goes back to the first
// picture by itself, paused, ready for the next press. A picture counts as
// drawn when the panel's paint has put it on the screen: the panel's window
// procedure is wrapped, as any subclass would.
#include "SyncRuns.h"

#include "../app/ThrowAwayHome.h"

#include "app/main/MainForm.h"
#include "app/main/PreviewScreen.h"
#include "app/main/ProgramBlock.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/Timer.h"
#include "platform/wm/MessageLoop.h"
#include "platform/wm/Messages.h"
#include "platform/wm/Styles.h"
#include "platform/wm/Window.h"
#include "skin/controls/SkinButton.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <utility>

namespace tovrel::bench {

namespace {

// Records the picture in the player's surface each time the panel paints.
class TPanelPaintWatch {
public:
    TPanelPaintWatch(TWinControl& panel, const TCustomPlayer& player) : hwnd_(panel.Handle()), player_(player)
    {
        current_ = this;
        original_ = WndProcOf(SetWindowLongPtr(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Procedure)));
    }
    ~TPanelPaintWatch()
    {
        SetWindowLongPtr(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
        current_ = nullptr;
    }
    TPanelPaintWatch(const TPanelPaintWatch&) = delete;
    TPanelPaintWatch& operator=(const TPanelPaintWatch&) = delete;

    std::map<std::int64_t, TDrawnPicture> TakeDrawnPictures() { return std::exchange(drawn_, {}); }

private:
    static LRESULT Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        TPanelPaintWatch& self = *current_;
        if (message != WM_PAINT)
            return CallWindowProc(self.original_, hwnd, message, wParam, lParam);
        // The paint shows this picture or a newer one.
        std::int64_t pts = 0;
        bool flash = false;
        const bool shown = ShownPicture(self.player_, pts, flash);
        const LRESULT result = CallWindowProc(self.original_, hwnd, message, wParam, lParam);
        if (shown)
            self.drawn_.try_emplace(pts, TDrawnPicture{MonotonicSeconds(), flash});
        return result;
    }

    static inline TPanelPaintWatch* current_ = nullptr;
    HWND hwnd_;
    WNDPROC original_ = nullptr;
    const TCustomPlayer& player_;
    std::map<std::int64_t, TDrawnPicture> drawn_; // main thread only
};

// Runs the program's message loop until ready() holds or the limit passes;
// false on the limit.
bool RunUntil(const std::function<bool()>& ready, double limitSeconds)
{
    if (ready())
        return true;
    const double until = MonotonicSeconds() + limitSeconds;
    TTimer check(nullptr);
    check.SetInterval(20);
    check.SetOnTimer([&](TObject*) {
        if (ready() || MonotonicSeconds() > until)
            Application->Terminate();
    });
    Application->Run();
    // Run ends on the flag Terminate sets, before its quit message comes out.
    MSG quit;
    PeekMessage(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    return ready();
}

std::ptrdiff_t EndsLogged(const TMainForm& main)
{
    return std::count(main.PreviewLog().begin(), main.PreviewLog().end(), std::string("End"));
}

// Paused on the first picture, with no seek on its way.
bool AtTheStart(TMainForm& main)
{
    std::int64_t pts = -1;
    bool flash = false;
    return main.Player().Paused() && !main.Player().Seeking() && ShownPicture(main.Player(), pts, flash) && pts < 20000;
}

int PlayRuns(TMainForm& main, const TRunPlan& plan, const TRunDone& done)
{
    main.AddSeveralFiles();
    if (main.PreviewFile() != plan.clip) {
        std::fprintf(stderr, "the panel did not open %s\n", plan.clip.c_str());
        return 1;
    }
    TPanelPaintWatch watch(*main.PreviewScreen(), main.Player());
    for (int run = 1; run <= plan.runs; ++run) {
        if (!RunUntil([&] { return AtTheStart(main); }, plan.limitSeconds)) {
            std::fprintf(stderr, "run %d: the panel did not come back to its first picture\n", run);
            return 1;
        }
        // The first picture is on the screen when play starts: it counts as drawn then.
        std::int64_t firstPts = 0;
        bool firstFlash = false;
        ShownPicture(main.Player(), firstPts, firstFlash);
        const std::ptrdiff_t endsBefore = EndsLogged(main);
        watch.TakeDrawnPictures();
        TakeAudioRecord();
        TRunRecord record;
        const double cpu0 = ProcessCpuSeconds();
        record.started = MonotonicSeconds();
        main.PlayButton()->ButtonClick();
        record.ended = RunUntil([&] { return EndsLogged(main) > endsBefore; }, plan.limitSeconds);
        record.wall = MonotonicSeconds() - record.started;
        record.cpu = ProcessCpuSeconds() - cpu0;
        record.drawn = watch.TakeDrawnPictures();
        record.drawn.try_emplace(firstPts, TDrawnPicture{record.started, firstFlash});
        record.audio = TakeAudioRecord();
        done(run, std::move(record));
    }
    return 0;
}

} // namespace

int RunThroughMainWindow(const TRunPlan& plan, const TRunDone& done)
{
    TThrowAwayHome home;
    StartProgramServices();
    int status = 1;
    {
        auto main = std::make_unique<TMainForm>(nullptr);
        std::vector<std::string> notices;
        main->ShowNotice = [&notices](const std::string& text) { notices.push_back(text); };
        main->DoCreate();
        CreateSecondaryWindows(*main);
        main->OpenMediaFiles = [&plan](bool) { return std::vector<std::string>{plan.clip}; };
        main->Show();
        Application->ProcessMessages();
        status = PlayRuns(*main, plan, done);
        for (const std::string& notice : notices)
            std::fprintf(stderr, "notice: %s\n", notice.c_str());
    }
    EndProgramServices();
    return status;
}

} // namespace tovrel::bench
