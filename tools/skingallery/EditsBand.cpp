#include "EditsBand.h"

#include "GalleryReportLines.h"

#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinEdit.h"
#include "skin/controls/SkinLinkLabel.h"
#include "skin/controls/SkinNumEdit.h"
#include "skin/controls/SkinScrollBox.h"
#include "skin/controls/SkinUpDown.h"

#include <memory>
#include <string>

namespace tovrel::skingallery {

namespace {

constexpr int kLeft = 10, kRow = 30;

template <class T> T* Place(TWinControl& parent, TComponent* owner, int left, int top, int width, int height)
{
    auto* control = new T(owner);
    control->SetParent(&parent);
    control->SetBounds(left, top, width, height);
    return control;
}

// Rows of buttons wider and taller than the box, so both bars are needed.
void FillScrollBox(TForm& form, TskSkinData* skin, TskSkinScrollBox& box)
{
    for (int i = 0; i < 6; ++i) {
        auto* row = Place<TskSkinButton>(box, &form, 4, 4 + i * 30, 260, 25);
        row->SetCaption("Scrolled row " + std::to_string(i + 1));
        row->SetSkinData(skin);
    }
}

TPoint Centre(const TRect& r)
{
    return Point((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
}

} // namespace

int AddEdits(TForm& form, TskSkinData* skin, int top)
{
    auto* edit = Place<TskSkinEdit>(form, &form, kLeft, top, 180, 20);
    edit->SetSkinData(skin);
    auto* readOnly = Place<TskSkinEdit>(form, &form, kLeft + 190, top, 180, 20);
    readOnly->SetText("/home/user/Videos");
    readOnly->SetReadOnly(true);
    readOnly->SetSkinData(skin);
    auto* button = Place<TskSkinEdit>(form, &form, kLeft + 380, top, 150, 20);
    button->SkinDataName = "buttonedit";
    button->SetButtonMode(true);
    button->SetText("With a button");
    button->SetSkinData(skin);

    auto* number = Place<TskSkinNumEdit>(form, &form, kLeft, top + kRow, 60, 20);
    number->SetText("0");
    auto* updown = Place<TskSkinUpDown>(form, &form, kLeft + 64, top + kRow, 40, 20);
    updown->UseSkinSize = false;
    updown->SetSkinData(skin);
    updown->SetBounds(kLeft + 64, top + kRow, 40, 20);
    updown->OnChange = [number, updown](TObject*) {
        number->SetText(std::to_string(updown->Position()));
        ReportChanged();
    };
    number->OnUpClick = [updown](TObject*) { updown->SetPosition(updown->Position() + updown->Increment); };
    number->OnDownClick = [updown](TObject*) { updown->SetPosition(updown->Position() - updown->Increment); };

    auto* link = Place<TskSkinLinkLabel>(form, &form, kLeft + 120, top + kRow, 150, 20);
    link->SetCaption("Project home page");
    link->URL = "https://example.org/";
    link->SetSkinData(skin);
    auto linkClicks = std::make_shared<int>(0);
    link->OnClick = [linkClicks](TObject*) {
        ++*linkClicks;
        ReportChanged();
    };

    auto* box = Place<TskSkinScrollBox>(form, &form, kLeft + 300, top + kRow, 200, 100);
    auto* vbar = Place<TskSkinScrollBar>(form, &form, kLeft + 502, top + kRow, 19, 100);
    vbar->SetKind(sbVertical);
    vbar->SetSkinDataName("vscrollbar");
    vbar->SetSkinData(skin);
    auto* hbar = Place<TskSkinScrollBar>(form, &form, kLeft + 300, top + kRow + 102, 200, 19);
    hbar->SetSkinData(skin);
    box->SetSkinData(skin);
    FillScrollBox(form, skin, *box);
    box->SetVScrollBar(vbar);
    box->SetHScrollBar(hbar);
    // The bars report their place; the first row's top shows what scrolled.
    vbar->OnChange = [old = vbar->OnChange](TObject* sender) {
        old(sender);
        ReportChanged();
    };

    edit->OnChange = [](TObject*) { ReportChanged(); };
    // Where typing goes, for a script to wait on before it types.
    for (TskSkinEdit* e : {edit, readOnly})
        e->OnEnter = [](TObject*) { ReportChanged(); };
    AddReportLines([&form, linkClicks, edit, readOnly, number, updown, link, box, vbar](std::ostream& out) {
        out << "edits.focus="
            << (edit->Focused()       ? "edit"
                : readOnly->Focused() ? "readonly"
                                      : "")
            << '\n'
            << "edit.at=" << CentreInWindow(form, *edit) << '\n'
            << "edit.text=" << edit->Text() << '\n'
            << "readonly.at=" << CentreInWindow(form, *readOnly) << '\n'
            << "readonly.text=" << readOnly->Text() << '\n'
            << "number.text=" << number->Text() << '\n'
            << "updown.position=" << updown->Position() << '\n'
            << "updown.up.at=" << PointInWindow(form, *updown, Centre(updown->Button(0).R)) << '\n'
            << "updown.down.at=" << PointInWindow(form, *updown, Centre(updown->Button(1).R)) << '\n'
            << "link.at=" << CentreInWindow(form, *link) << '\n'
            << "link.clicks=" << *linkClicks << '\n'
            << "scrollbox.vbar.position=" << vbar->Position() << '\n'
            << "scrollbox.firstrow.top=" << box->Controls(0)->Top() << '\n';
    });
    return kRow + 125;
}

} // namespace tovrel::skingallery
