#include "GalleryForm.h"

#include "platform/ctrls/Bevel.h"
#include "platform/ctrls/Button.h"
#include "platform/ctrls/ComboBox.h"
#include "platform/ctrls/Edit.h"
#include "platform/ctrls/Image.h"
#include "platform/ctrls/Label.h"
#include "platform/ctrls/ListBox.h"
#include "platform/ctrls/ListView.h"
#include "platform/ctrls/PageControl.h"
#include "platform/ctrls/Panel.h"
#include "platform/ctrls/ScrollBar.h"
#include "platform/ctrls/Splitter.h"
#include "platform/ctrls/StatusBar.h"
#include "platform/ctrls/ToolBar.h"
#include "platform/ctrls/TrackBar.h"
#include "platform/ctrls/TreeView.h"
#include "platform/ctrls/UpDown.h"
#include "platform/vcl/Bitmap.h"

#include <string>

namespace tovrel::gallery {

namespace {

template <class T> T* Place(TForm& form, int left, int top, int width, int height)
{
    auto* control = new T(&form);
    control->SetParent(&form);
    control->SetBounds(left, top, width, height);
    return control;
}

void AddEdits(TForm& form)
{
    auto* edit = Place<TEdit>(form, 10, 10, 180, 21);
    edit->SetText("Single line edit");
    auto* password = Place<TEdit>(form, 10, 40, 180, 21);
    password->SetText("secret");
    password->SetPasswordChar(u'*');
    auto* memo = Place<TMemo>(form, 10, 70, 180, 90);
    memo->Lines()->Add("A memo with");
    memo->Lines()->Add("several lines,");
    memo->Lines()->Add("中文 text too.");
}

void AddLists(TForm& form)
{
    auto* list = Place<TListBox>(form, 200, 10, 150, 110);
    for (const char* s : {"Apple", "Banana", "Cherry", "Damson", "Elderberry", "Fig", "Grape", "Hawthorn"})
        list->Items()->Add(s);
    list->SetItemIndex(2);

    auto* fixed = Place<TComboBox>(form, 200, 130, 150, 21);
    fixed->SetStyle(csDropDownList);
    auto* editable = Place<TComboBox>(form, 360, 130, 150, 21);
    for (TComboBox* combo : {fixed, editable})
        for (const char* s : {"MP4", "AVI", "MKV", "FLV"})
            combo->Items()->Add(s);
    fixed->SetItemIndex(1);
    editable->SetText("Typed");
    auto* simple = Place<TComboBox>(form, 360, 10, 150, 110);
    simple->SetStyle(csSimple);
    simple->SetHeight(110);
    for (const char* s : {"One", "Two", "Three", "Four"})
        simple->Items()->Add(s);
    simple->SetItemIndex(0);
}

// One picture of a film strip, drawn at the list's size, so the list view has images in every style.
TImageList* FilmImages(TForm& form, int size)
{
    auto* images = new TImageList(&form);
    images->SetSize(size, size);
    TBitmap film(size, size);
    TCanvas* canvas = film.Canvas();
    canvas->Brush()->SetColor(clFuchsia);
    canvas->FillRect(Rect(0, 0, size, size));
    const int edge = size / 8, margin = size / 8;
    canvas->Brush()->SetColor(clBlack);
    canvas->FillRect(Rect(margin, edge, size - margin, size - edge));
    canvas->Brush()->SetColor(clWhite);
    for (int y = edge + 1; y + 2 < size - edge; y += 4)
        for (int x : {margin + 1, size - margin - 3})
            canvas->FillRect(Rect(x, y, x + 2, y + 2));
    canvas->Brush()->SetColor(clSkyBlue);
    canvas->FillRect(Rect(margin + 4, edge + 2, size - margin - 4, size - edge - 2));
    images->AddMasked(&film, clFuchsia);
    return images;
}

void AddListView(TForm& form)
{
    auto* view = Place<TListView>(form, 10, 170, 500, 150);
    for (auto [caption, width] :
         {std::pair{"File", 180}, std::pair{"Format", 80}, std::pair{"Size", 90}, std::pair{"Status", 120}}) {
        TListColumn* column = view->Columns()->Add();
        column->SetCaption(caption);
        column->SetWidth(width);
    }
    view->SetRowSelect(true);
    view->SetGridLines(true);
    // More rows than fit, so the view scrolls.
    const char* files[] = {"holiday.avi", "interview.mp4", "concert.mkv",  "lecture.flv", "trailer.mov", "wedding.avi",
                           "recital.mp4", "sunset.mkv",    "tutorial.flv", "teaser.mov",  "garden.avi",  "match.mp4"};
    int i = 0;
    for (const char* file : files) {
        TListItem* item = view->Items()->Add();
        item->SetCaption(file);
        item->SetImageIndex(0);
        item->SubItems()->Add(i % 2 ? "MP4" : "AVI");
        item->SubItems()->Add(std::to_string(12 + 7 * i) + " MB");
        item->SubItems()->Add(i == 1 ? "Converting" : "Waiting");
        ++i;
    }
    view->Items()->Item(1)->SetSelected(true);
    view->SetSmallImages(FilmImages(form, 16));
    view->SetLargeImages(FilmImages(form, 32));
}

void AddPages(TForm& form)
{
    auto* pages = Place<TPageControl>(form, 520, 10, 250, 150);
    for (const char* caption : {"General", "Video", "Audio"}) {
        auto* sheet = new TTabSheet(&form);
        sheet->SetCaption(caption);
        sheet->SetPageControl(pages);
    }
    auto* tabs = Place<TTabControl>(form, 520, 170, 250, 80);
    tabs->SetTabPosition(tpBottom);
    for (const char* caption : {"Left", "Middle", "Right"})
        tabs->Tabs()->Add(caption);
    tabs->SetTabIndex(1);
}

void AddButtons(TForm& form)
{
    auto* panel = Place<TPanel>(form, 520, 260, 250, 130);
    panel->SetBevelInner(bvLowered);
    panel->SetCaption("");
    auto* label = new TLabel(&form);
    label->SetParent(panel);
    label->SetBounds(10, 8, 0, 0);
    label->SetCaption("&Output options:");
    auto* ok = new TButton(&form);
    ok->SetParent(panel);
    ok->SetBounds(10, 95, 75, 25);
    ok->SetCaption("OK");
    ok->SetDefault(true);
    auto* cancel = new TButton(&form);
    cancel->SetParent(panel);
    cancel->SetBounds(95, 95, 75, 25);
    cancel->SetCaption("Cancel");
    auto* check = new TCheckBox(&form);
    check->SetParent(panel);
    check->SetBounds(10, 30, 130, 17);
    check->SetCaption("Keep aspect ratio");
    check->SetChecked(true);
    const char* radios[] = {"Same folder", "Other folder"};
    for (int i = 0; i < 2; ++i) {
        auto* radio = new TRadioButton(&form);
        radio->SetParent(panel);
        radio->SetBounds(10, 52 + 20 * i, 110, 17);
        radio->SetCaption(radios[i]);
        radio->SetChecked(i == 0);
    }
    auto* bevel = new TBevel(&form);
    bevel->SetParent(panel);
    bevel->SetBounds(150, 30, 85, 40);
    auto* image = new TImage(&form);
    image->SetParent(panel);
    image->SetBounds(160, 38, 65, 24);
    TBitmap swatch(65, 24);
    swatch.Canvas()->Brush()->SetColor(clHighlight);
    swatch.Canvas()->FillRect(Rect(0, 0, 65, 24));
    image->Picture()->SetGraphic(&swatch);
}

void AddTree(TForm& form)
{
    auto* tree = Place<TTreeView>(form, 10, 326, 240, 68);
    TTreeNode* home = tree->Items()->AddChild(nullptr, "Home");
    for (const char* folder : {"Music", "Videos"})
        tree->Items()->AddChild(home, folder);
    tree->Items()->AddChild(nullptr, "Removable disk");
    home->Expand(false);
    tree->SetSelected(home->Item(1));
}

void AddRanges(TForm& form)
{
    auto* scroll = Place<TScrollBar>(form, 260, 330, 250, 17);
    scroll->SetPageSize(25);
    scroll->SetPosition(30);
    auto* track = Place<TTrackBar>(form, 260, 350, 150, 45);
    track->SetPosition(4);
    auto* count = Place<TEdit>(form, 420, 360, 60, 21);
    auto* updown = Place<TUpDown>(form, 0, 0, 17, 21);
    updown->SetRange(1, 99);
    updown->SetPosition(2);
    updown->SetAssociate(count);
}

void AddToolBar(TForm& form)
{
    auto* bar = new TToolBar(&form);
    bar->SetParent(&form);
    bar->SetButtonSize(60, 22);
    bar->SetShowCaptions(true);
    const std::pair<const char*, TToolButtonStyle> buttons[] = {
        {"Add", tbsButton}, {"Remove", tbsButton}, {"", tbsDivider}, {"List", tbsCheck}, {"Icons", tbsCheck}};
    for (auto [caption, style] : buttons) {
        auto* button = new TToolButton(&form);
        button->SetParent(bar);
        button->SetCaption(caption);
        button->SetStyle(style);
        button->Grouped = style == tbsCheck;
    }
    dynamic_cast<TToolButton*>(bar->Controls(3))->SetDown(true);
    // "List" and "Icons" switch the list view between its report and icon views.
    auto* view = FirstControlOf<TListView>(form);
    bar->Controls(3)->OnClick = [view](TObject*) { view->SetViewStyle(vsReport); };
    bar->Controls(4)->OnClick = [view](TObject*) { view->SetViewStyle(vsIcon); };
    bar->ArrangeButtons();
}

void AddStatusBar(TForm& form)
{
    auto* bar = new TStatusBar(&form);
    bar->SetParent(&form);
    bar->Panels().push_back({"Ready", 150});
    bar->Panels().push_back({"12 files"});
    bar->PanelsChanged();
}

} // namespace

std::unique_ptr<TForm> BuildGalleryForm()
{
    auto form = std::make_unique<TForm>(nullptr);
    form->SetCaption("Standard controls");
    form->SetBounds(10, 10, 790, 470);
    form->SetColor(clBtnFace);
    AddEdits(*form);
    AddLists(*form);
    AddListView(*form);
    AddPages(*form);
    AddButtons(*form);
    AddTree(*form);
    AddRanges(*form);
    AddStatusBar(*form);
    // Everything placed by hand moves down to make room for the tool bar.
    for (int i = 0; i < form->ControlCount(); ++i)
        if (TControl* control = form->Controls(i); control->Align() == alNone)
            control->SetTop(control->Top() + 30);
    AddToolBar(*form);
    return form;
}

} // namespace tovrel::gallery
