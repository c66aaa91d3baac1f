// The tray icon against a scripted tray: adding and re-adding, clicks on the
// fake clock, cycling, notes, and minimizing to a tray that may be missing.
#include <gtest/gtest.h>

#include "SkinFormTestSupport.h"
#include "platform/vcl/Canvas.h"
#include "platform/vcl/ImageList.h"
#include "platform/vcl/Menus.h"
#include "platform/wm/MessageLoop.h"
#include "skin/forms/TrayIcon.h"

namespace tovrel::test {

namespace {

// A tray that the test switches on and off, recording what it was asked.
class TScriptedTray : public TTrayHost {
public:
    bool Add(const TTrayIcon& icon) override
    {
        if (!present)
            return false;
        ++adds;
        shown = icon;
        return true;
    }
    bool Modify(const TTrayIcon& icon) override
    {
        shown = icon;
        return present;
    }
    bool Delete(HWND, UINT) override
    {
        ++deletes;
        return present;
    }
    bool Note(const TTrayIcon&, const std::string& title, const std::string& text, DWORD kind) override
    {
        notes.push_back({title, text, kind});
        return present && notesShown;
    }
    struct TNote {
        std::string title, text;
        DWORD kind;
    };
    bool present = true;
    bool notesShown = true;
    int adds = 0, deletes = 0;
    TTrayIcon shown;
    std::vector<TNote> notes;
};

class TTrayBackend : public TBackend {
public:
    TTrayHost* Tray() override { return &tray; }
    TScriptedTray tray;
};

} // namespace

class TrayIconTest : public SkinFormTest {
protected:
    void SetUp() override
    {
        SkinFormTest::SetUp();
        auto b = std::make_shared<TTrayBackend>();
        tray = &b->tray;
        SetBackend(b);
    }
    void TearDown() override
    {
        icon.reset();
        SkinFormTest::TearDown();
    }
    TskTrayIcon& MakeIcon(TComponent* owner = nullptr)
    {
        icon.reset(new TskTrayIcon(owner));
        return *icon;
    }
    void Callback(UINT action)
    {
        PostMessage(icon->Handle(), TrayIconCallbackMessage, 1, LPARAM(action));
        Pump();
    }
    void Wait(int ms)
    {
        clock->Advance(ms);
        Pump();
    }

    TScriptedTray* tray = nullptr;
    std::unique_ptr<TskTrayIcon> icon;
};

TEST_F(TrayIconTest, AddingFailsWithoutATrayAndTheIconComesWhenOneAppears)
{
    tray->present = false;
    TskTrayIcon& i = MakeIcon();
    i.SetHint(std::string(200, 'h'));
    EXPECT_FALSE(i.AddNotifyIcon());
    EXPECT_EQ(0, tray->adds);
    // A tray manager starts: the icon is put in.
    tray->present = true;
    NotifyTrayCreated();
    Pump();
    EXPECT_EQ(1, tray->adds);
    EXPECT_EQ(127u, tray->shown.Tip.size());
    EXPECT_EQ(TrayIconCallbackMessage, tray->shown.CallbackMessage);
    // It restarts: put in again.
    NotifyTrayCreated();
    Pump();
    EXPECT_EQ(2, tray->adds);
    i.SetIconVisible(false);
    EXPECT_EQ(1, tray->deletes);
    NotifyTrayCreated();
    Pump();
    EXPECT_EQ(2, tray->adds) << "a hidden icon stays out";
}

TEST_F(TrayIconTest, ClicksAreToldFromDoubleClicksByTheDoubleClickTime)
{
    TskTrayIcon& i = MakeIcon();
    i.SetIconVisible(true);
    std::vector<std::string> events;
    i.OnClick = [&](TObject*) { events.push_back("click"); };
    i.OnDblClick = [&](TObject*) { events.push_back("double"); };
    i.OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { events.push_back("down"); };
    const int time = int(GetDoubleClickTime());

    Callback(WM_LBUTTONDOWN);
    Callback(WM_LBUTTONUP);
    EXPECT_EQ((std::vector<std::string>{"down"}), events) << "the click waits for the double-click time";
    Wait(time + 10);
    EXPECT_EQ((std::vector<std::string>{"down", "click"}), events);

    events.clear();
    Callback(WM_LBUTTONDOWN);
    Callback(WM_LBUTTONUP);
    Callback(WM_LBUTTONDBLCLK);
    Callback(WM_LBUTTONUP);
    Wait(time + 10);
    EXPECT_EQ((std::vector<std::string>{"down", "double"}), events);

    events.clear();
    Callback(WM_LBUTTONDOWN);
    Wait(time + 10);
    Callback(WM_LBUTTONUP);
    EXPECT_EQ((std::vector<std::string>{"down", "click"}), events) << "a long press clicks at the release";

    events.clear();
    i.Enabled = false;
    Callback(WM_LBUTTONDOWN);
    Callback(WM_LBUTTONUP);
    Wait(time + 10);
    EXPECT_TRUE(events.empty());
}

TEST_F(TrayIconTest, ADoubleClickRunsTheMenusDefaultItem)
{
    TskTrayIcon& i = MakeIcon();
    auto* menu = new TskSkinPopupMenu(&i);
    int chosen = 0;
    for (int n = 0; n < 2; ++n) {
        auto* item = new TMenuItem(menu);
        item->SetCaption(n ? "second" : "first");
        item->SetDefault(n == 1);
        item->OnClick = [&chosen, n](TObject*) { chosen = n + 1; };
        menu->Items()->Add(item);
    }
    i.SetPopupMenu(menu);
    Callback(WM_LBUTTONDBLCLK);
    EXPECT_EQ(2, chosen);
    chosen = 0;
    i.PopupByLeftButton = true;
    Callback(WM_LBUTTONDBLCLK);
    EXPECT_EQ(0, chosen);
}

TEST_F(TrayIconTest, TheMenuPopsUpOnARightClickOrAsConfigured)
{
    TskTrayIcon& i = MakeIcon();
    auto* menu = new TskSkinPopupMenu(&i);
    menu->Items()->Add(new TMenuItem(menu));
    int popups = 0;
    menu->OnPopup = [&popups](TObject*) { ++popups; };
    i.SetPopupMenu(menu);
    struct TCase {
        UINT press;
        bool byLeft, autoPopup;
        int popups;
    };
    const TCase cases[] = {{WM_RBUTTONDOWN, false, true, 1},
                           {WM_LBUTTONDOWN, false, true, 0},
                           {WM_LBUTTONDOWN, true, true, 1},
                           {WM_RBUTTONDOWN, false, false, 0}};
    for (const TCase& c : cases) {
        popups = 0;
        i.PopupByLeftButton = c.byLeft;
        menu->AutoPopup = c.autoPopup;
        Callback(c.press);
        EXPECT_EQ(c.popups, popups) << c.press << " " << c.byLeft << " " << c.autoPopup;
    }
}

TEST_F(TrayIconTest, IconsCycleAndTheIndexStaysInTheList)
{
    TskTrayIcon& i = MakeIcon();
    TCustomImageList list(nullptr);
    list.SetSize(16, 16);
    for (TColor colour : {clRed, clGreen, clBlue}) {
        TBitmap bmp(16, 16);
        bmp.Canvas()->Brush()->SetColor(colour);
        bmp.Canvas()->FillRect(Rect(0, 0, 16, 16));
        list.Add(&bmp, nullptr);
    }
    i.SetIconList(&list);
    i.SetIconIndex(7);
    EXPECT_EQ(2, i.IconIndex());
    i.SetIconIndex(-3);
    EXPECT_EQ(0, i.IconIndex());
    std::vector<int> next, current;
    i.OnCycle = [&](TObject*, int n) {
        next.push_back(n);
        current.push_back(i.IconIndex());
    };
    i.SetAnimateTimerInterval(100);
    i.SetCycleIcons(true);
    for (int t = 0; t < 4; ++t)
        Wait(100);
    EXPECT_EQ((std::vector<int>{0, 1, 2, 0}), current);
    EXPECT_EQ((std::vector<int>{1, 2, 0, 1}), next);
    i.SetIconList(nullptr);
    EXPECT_EQ(0, i.IconIndex());
}

TEST_F(TrayIconTest, NotesAreCutAndASecondReplacesTheFirst)
{
    TskTrayIcon& i = MakeIcon();
    i.SetIconVisible(true);
    EXPECT_TRUE(i.ShowBalloonHint(std::string(80, 't'), std::string(300, 'x'), TskBalloonHintIconType::skbitWarning));
    ASSERT_EQ(2u, tray->notes.size());
    EXPECT_EQ("", tray->notes[0].text) << "a shown note is taken away first";
    EXPECT_EQ(255u, tray->notes[1].text.size());
    EXPECT_EQ(63u, tray->notes[1].title.size());
    EXPECT_EQ(NIIF_WARNING, tray->notes[1].kind);
    i.SetHint("tip");
    EXPECT_EQ(2u, tray->notes.size()) << "other changes show no note";
    // No notification service: the note joins the tooltip until hidden.
    tray->notesShown = false;
    EXPECT_TRUE(i.ShowBalloonHint("Done", "3 files", TskBalloonHintIconType::skbitInfo));
    EXPECT_EQ("tip\nDone: 3 files", tray->shown.Tip);
    i.HideBalloonHint();
    EXPECT_EQ("tip", tray->shown.Tip);
    tray->present = false;
    EXPECT_FALSE(i.ShowBalloonHint("t", "x", TskBalloonHintIconType::skbitInfo));
}

TEST_F(TrayIconTest, MinimizeToTrayHidesTheFormOnlyWhereATrayIs)
{
    TskSkinData* data = LoadSkin(1);
    TForm* made = nullptr;
    Application->CreateForm(made);
    form.reset(made);
    ASSERT_EQ(form.get(), Application->MainForm());
    form->SetBounds(0, 0, 400, 300);
    auto* f = new TskSkinForm(form.get());
    f->SetSkinData(data);
    form->Show();
    Pump();
    TskTrayIcon& i = MakeIcon(form.get());
    f->SetTrayIcon(&i);
    EXPECT_FALSE(i.IconVisible());
    ASSERT_NE(nullptr, i.PopupMenu()) << "the form's tray menu";
    EXPECT_EQ("TRAY_BSF_RESTORE", i.PopupMenu()->Items()->Items(0)->Name());

    tray->present = false;
    f->MinimizeToTray();
    Pump();
    EXPECT_TRUE(form->Visible()) << "no tray: the form stays reachable";
    EXPECT_TRUE(IsIconic(form->Handle()));
    EXPECT_FALSE(i.IconVisible());
    Application->Restore();
    Pump();

    tray->present = true;
    f->MinimizeToTray();
    Pump();
    EXPECT_FALSE(form->Visible());
    EXPECT_TRUE(i.IconVisible());
    EXPECT_EQ(1, tray->adds);
    // Its double click brings the form back and takes the icon away.
    Callback(WM_LBUTTONDBLCLK);
    EXPECT_TRUE(form->Visible());
    EXPECT_FALSE(i.IconVisible());
    icon.reset();
    form.reset();
}

} // namespace tovrel::test
