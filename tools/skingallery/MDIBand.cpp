#include "MDIBand.h"

#include "GalleryReportLines.h"
#include "SkinGalleryReport.h"
#include "platform/vcl/MDIClient.h"
#include "platform/vcl/Menus.h"
#include "platform/wm/WindowPos.h"
#include "skin/controls/SkinButton.h"
#include "skin/forms/MenuBarMDIButton.h"
#include "skin/forms/SkinForm.h"
#include "skin/forms/SkinMDIFrame.h"
#include "skin/forms/SkinMDITabsBar.h"
#include "skin/forms/SkinMainMenuBar.h"

#include <sstream>
#include <string>

namespace tovrel::skingallery {

namespace {

constexpr int kLeft = 10, kWidth = 140, kHeight = 25;

std::string ScreenPoint(TControl& control, TRect r)
{
    std::ostringstream out;
    out << control.ClientToScreen(Point((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
    return out.str();
}

std::string StateName(const TskSkinForm* f)
{
    if (!f)
        return "none";
    return f->WindowState() == wsMaximized ? "maximized" : f->WindowState() == wsMinimized ? "minimized" : "normal";
}

struct TMDIGallery {
    TForm* Frame = nullptr;
    TMDIClient* Client = nullptr;
    TskSkinMDIFrame* MDI = nullptr;
    TskSkinMainMenuBar* Bar = nullptr;
    TskSkinMDITabsBar* Tabs = nullptr;
};

void NoteMDI(TForm& gallery, const TMDIGallery& g)
{
    const TCustomForm* active = g.Client->ActiveMDIChild();
    const TCustomForm* maximized = g.MDI->GetMaximizedMDIChild();
    NoteGalleryState(gallery, "mdi.active", active ? active->Name() : "none");
    NoteGalleryState(gallery, "mdi.maximized", maximized ? maximized->Name() : "none");
    g.Bar->CalcNewItemsRect();
    NoteGalleryState(gallery, "mdi.buttons", std::to_string(g.Bar->ButtonsCount));
    if (g.Bar->ButtonsCount == 4)
        NoteGalleryState(gallery, "mdi.restore.screen", ScreenPoint(*g.Bar, g.Bar->Objects()[2]->ObjectRect));
    g.Tabs->CalcTabRects();
    for (int i = 0; i < g.Tabs->TabCount(); ++i) {
        TskMDITab& tab = *g.Tabs->Tabs(i);
        NoteGalleryState(gallery, "mdi.tab" + std::to_string(i), tab.Child->Name());
        NoteGalleryState(gallery, "mdi.tab" + std::to_string(i) + ".screen", ScreenPoint(*g.Tabs, tab.ObjectRect));
    }
    for (int i = 0; i < g.Client->MDIChildCount(); ++i) {
        TCustomForm* child = g.Client->MDIChildren(i);
        const TskSkinForm* skinForm = GetSkinForm(child);
        NoteGalleryState(gallery, "mdi." + child->Name() + ".state", StateName(skinForm));
        if (!skinForm || !child->HandleAllocated())
            continue;
        RECT window{};
        GetWindowRect(child->Handle(), &window);
        for (const auto& object : skinForm->Objects())
            if (auto* b = dynamic_cast<const TskSkinStdButtonObject*>(object.get());
                b && b->Visible && b->Command == TskStdCommand::cmMaximize) {
                const TRect r = b->ObjectRect;
                std::ostringstream at;
                at << Point(window.Left + (r.Left + r.Right) / 2, window.Top + (r.Top + r.Bottom) / 2);
                NoteGalleryState(gallery, "mdi." + child->Name() + ".maximize.screen", at.str());
            }
    }
}

TMenuItem* AddItem(TMenuItem* parent, const std::string& caption, TNotifyEvent onClick = {})
{
    auto* item = new TMenuItem(parent);
    item->SetCaption(caption);
    item->OnClick = std::move(onClick);
    parent->Add(item);
    return item;
}

TForm* BuildMDIFrame(TForm& gallery, TskSkinData* skin)
{
    auto* frame = new TForm(&gallery);
    frame->SetCaption("MDI frame");
    frame->SetBounds(120, 80, 720, 520);
    auto* skinForm = new TskSkinForm(frame);
    skinForm->SetSkinData(skin);
    auto g = std::make_shared<TMDIGallery>();
    g->Frame = frame;
    auto* menu = new TMainMenu(frame);
    TMenuItem* window = AddItem(menu->Items(), "&Window");
    g->Bar = new TskSkinMainMenuBar(frame);
    g->Bar->SetAlign(alTop);
    g->Bar->SetParent(frame);
    g->Bar->SetSkinForm(skinForm);
    skinForm->SetMainMenuBar(g->Bar);
    g->Bar->SetSkinData(skin);
    g->Bar->SetMainMenu(menu);
    g->Tabs = new TskSkinMDITabsBar(frame);
    g->Tabs->SetAlign(alTop);
    g->Tabs->SetTop(100);
    g->Tabs->SetShowCloseButtons(true);
    g->Tabs->SetParent(frame);
    g->Tabs->SetSkinData(skin);
    g->Client = new TMDIClient(frame);
    g->Client->SetParent(frame);
    g->MDI = new TskSkinMDIFrame(frame);
    g->MDI->SetWindowMenu(window);
    g->MDI->SetMDITabsBar(g->Tabs);
    g->MDI->SetClient(g->Client);
    AddItem(window, "&Tile", [g](TObject*) { g->MDI->Tile(); });
    AddItem(window, "&Cascade", [g](TObject*) { g->MDI->Cascade(); });
    AddItem(window, "-");
    // The report follows every change the frame sees.
    auto note = [&gallery, g] { NoteMDI(gallery, *g); };
    auto chain = [note](TNotifyEvent& event) {
        event = [previous = event, note](TObject* sender) {
            if (previous)
                previous(sender);
            note();
        };
    };
    for (int i = 1; i <= 3; ++i) {
        auto* child = new TForm(frame);
        child->SetName("Doc" + std::to_string(i));
        child->SetCaption("Document " + std::to_string(i));
        child->SetBounds(0, 0, 320, 220);
        child->OnClose = [](TObject*, TCloseAction& action) { action = caFree; };
        auto* childSkin = new TskSkinForm(child);
        childSkin->SetSkinData(skin);
        g->Client->AddChild(child);
        chain(childSkin->OnMaximize);
        chain(childSkin->OnRestore);
        chain(childSkin->OnMinimize);
        child->Show();
    }
    chain(g->Client->OnActiveChildChange);
    g->Tabs->OnTabMouseUp = [note](TMouseButton, TShiftState, TskMDITab*) { note(); };
    g->MDI->Cascade();
    frame->OnShow = [note](TObject*) { note(); };
    return frame;
}

} // namespace

int AddMDIButton(TForm& form, TskSkinData* skin, int top)
{
    auto* button = new TskSkinButton(&form);
    button->SetParent(&form);
    button->SetBounds(kLeft, top, kWidth, kHeight);
    // The report gives its place as button.MDI.at.
    button->SetCaption("MDI");
    button->SetSkinData(skin);
    button->OnClick = [&form, skin, frame = static_cast<TForm*>(nullptr)](TObject*) mutable {
        if (!frame)
            frame = BuildMDIFrame(form, skin);
        frame->Show();
        NoteGalleryState(form, "mdi.open", "1");
    };
    NoteGalleryState(form, "mdi.open", "0");
    return kHeight;
}

} // namespace tovrel::skingallery
