#include "SkinGalleryForm.h"

#include "ButtonBand.h"
#include "CheckRadioBand.h"
#include "ComboBoxBand.h"
#include "EditsBand.h"
#include "FileControlsBand.h"
#include "FramePartsBand.h"
#include "ListViewBand.h"
#include "MDIBand.h"
#include "MenuBarBand.h"
#include "MessageBoxBand.h"
#include "OfficeBand.h"
#include "OpenDialogBand.h"
#include "PanesBand.h"
#include "PopupMenuBand.h"
#include "SelectFolderBand.h"
#include "ShellBand.h"
#include "SkinDialogBand.h"
#include "ToolBarBand.h"
#include "TrayBand.h"
#include "TreeViewBand.h"

#include "skin/controls/SkinBevel.h"
#include "skin/controls/SkinStdLabel.h"
#include "skin/controls/SkinTextLabel.h"
#include "skin/forms/SkinForm.h"

#include <algorithm>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace tovrel::skingallery {

namespace {

// One band of the form: a row of controls placed from `top`; returns the
// height it used. New skinned controls add a band to kSections.
using TSection = std::function<int(TForm& form, TskSkinData* skin, int top)>;

constexpr int kMargin = 10;
constexpr int kColumnWidth = 600 + 2 * kMargin;
constexpr int kColumnHeight = 900;

template <class T> T* Place(TForm& form, int left, int top, int width, int height)
{
    auto* control = new T(&form);
    control->SetParent(&form);
    control->SetBounds(left, top, width, height);
    return control;
}

int AddLabels(TForm& form, TskSkinData* skin, int top)
{
    auto* plain = Place<TskSkinStdLabel>(form, kMargin, top, 150, 20);
    plain->SetCaption("Standard label");
    plain->SetSkinData(skin);
    auto* disabled = Place<TskSkinStdLabel>(form, kMargin, top + 30, 150, 20);
    disabled->SetCaption("Disabled label");
    disabled->SetEnabled(false);
    disabled->SetSkinData(skin);
    auto* ellipsis = Place<TskSkinStdLabel>(form, kMargin, top + 60, 110, 20);
    ellipsis->SetAutoSize(false);
    ellipsis->SetEllipsType(sketEndEllips);
    ellipsis->SetCaption("A caption too long to fit");
    ellipsis->SetSkinData(skin);

    auto* text = Place<TskSkinTextLabel>(form, 200, top, 10, 10);
    text->Lines()->Add("A multi-line");
    text->Lines()->Add("auto-sized text label,");
    text->Lines()->Add("three lines");
    text->SetSkinData(skin);
    auto* right = Place<TskSkinTextLabel>(form, 400, top, 180, 10);
    right->SetAlignment(taRightJustify);
    right->Lines()->Add("Right aligned");
    right->Lines()->Add("keeps its right edge");
    right->SetSkinData(skin);
    return 90;
}

int AddBevels(TForm& form, TskSkinData* skin, int top)
{
    const TBevelShape shapes[] = {bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine};
    int left = kMargin;
    for (bool divider : {false, true}) {
        for (TBevelShape shape : shapes) {
            for (TBevelStyle style : {bsLowered, bsRaised}) {
                auto* bevel = Place<TskSkinBevel>(form, left, top + (divider ? 50 : 0), 40, 40);
                bevel->SetShape(shape);
                bevel->SetStyle(style);
                bevel->SetDividerMode(divider);
                bevel->SetSkinData(skin);
                left += 48;
            }
        }
        left = kMargin;
    }
    return 100;
}

const std::vector<TSection> kSections = {AddMenuBar,
                                         AddToolBars,
                                         AddLabels,
                                         AddBevels,
                                         AddButtons,
                                         AddCheckRadioBoxes,
                                         AddPanes,
                                         AddListView,
                                         AddTreeView,
                                         AddPopupMenuButton,
                                         AddFrameParts,
                                         AddComboBoxes,
                                         AddOfficeControls,
                                         AddEdits,
                                         AddMessageBoxButton,
                                         AddShellControls,
                                         AddFileControls,
                                         AddSelectFolderButton,
                                         AddOpenDialogButton,
                                         AddSkinDialogButton,
                                         AddTrayAndAnimation,
                                         AddMDIButton};

// The form's controls as a set: windowless and windowed ones are listed
// apart, so the controls a band adds are no range of indexes.
std::set<TControl*> ControlsOf(TForm& form)
{
    std::set<TControl*> controls;
    for (int i = 0; i < form.ControlCount(); ++i)
        controls.insert(form.Controls(i));
    return controls;
}

// Moves the form's controls that are not in `before` by `by`: a band placed
// at the bottom of one column goes to the top of the next.
void ShiftNewControls(TForm& form, const std::set<TControl*>& before, TPoint by)
{
    if (by.X == 0 && by.Y == 0)
        return;
    for (TControl* control : ControlsOf(form))
        if (!before.contains(control))
            control->SetBounds(control->Left() + by.X, control->Top() + by.Y, control->Width(), control->Height());
}

} // namespace

std::unique_ptr<TForm> BuildSkinGalleryForm(TskSkinData* skin)
{
    auto form = std::make_unique<TForm>(nullptr);
    (new TskSkinForm(form.get()))->SetSkinData(skin); // the frame, owned by the form
    form->SetCaption("Skinned controls");
    form->SetBounds(0, 0, kColumnWidth, 400);
    // Bands fill a column down to kColumnHeight, then start the next one, so
    // the form stays on one screen as bands are added.
    int column = 0, top = kMargin, bottom = top;
    for (const TSection& section : kSections) {
        const std::set<TControl*> before = ControlsOf(*form);
        const int height = section(*form, skin, top);
        int up = 0;
        if (top > kMargin && top + height > kColumnHeight) {
            ++column;
            up = top - kMargin;
            top = kMargin;
        }
        ShiftNewControls(*form, before, Point(column * kColumnWidth, -up));
        top += height + kMargin;
        bottom = std::max(bottom, top);
    }
    form->SetClientWidth((column + 1) * kColumnWidth);
    form->SetClientHeight(bottom);
    return form;
}

} // namespace tovrel::skingallery
