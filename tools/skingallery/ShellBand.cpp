#include "ShellBand.h"

#include "GalleryReportLines.h"
#include "ShellFixture.h"

#include "platform/shell/ShellUnit.h"
#include "skin/shell/FilterComboBox.h"
#include "skin/shell/ShellComboBox.h"
#include "skin/shell/ShellListView.h"

#include <string>

namespace tovrel::skingallery {

namespace {

constexpr int kLeft = 10, kComboWidth = 330, kFilterWidth = 250, kBoxHeight = 22, kListTop = 30, kListWidth = 600,
              kListHeight = 200;

// Two kinds listed by patterns of either case, one pattern with a space
// before it: a file is listed once however many patterns it matches.
constexpr const char* kFilter = "媒体文件|*.mp4;*.mkv;*.avi;*.mp3;*.wav|视频文件|*.mp4; *.mkv;*.MKV;*.avi|"
                                "音频文件|*.mp3;*.wav|所有文件 (*.*)|*.*";

std::string& FixtureFolder()
{
    static std::string folder;
    return folder;
}

// The fixture the page opens: the given folder, or a temporary one the form
// owns. Made before the controls, so it is removed after them.
std::string OpenFixture(TForm& form)
{
    if (!FixtureFolder().empty()) {
        WriteShellFixture(FixtureFolder());
        return FixtureFolder();
    }
    return (new TTempShellFixture(&form))->Path();
}

template <class T> T* Place(TForm& form, const char* name, TRect bounds)
{
    auto* control = new T(&form);
    control->SetName(name);
    control->SetParent(&form);
    control->SetBoundsRect(bounds);
    return control;
}

// The folder shown, the list's mask and the filter's text, the rows in view
// (names joined by "|") with a point on each row's name, and the combo
// box's entries in order.
void WriteShellState(std::ostream& out, TForm& form, TskSkinFileListView& list, TskSkinFilterComboBox& filter,
                     TskSkinShellComboBox& combo)
{
    out << "shell.folder=" << list.Path() << '\n' << "shell.mask=" << list.Mask() << '\n';
    out << "shell.filter=" << filter.Text() << '\n';
    std::string rows;
    for (int i = 0; i < list.FolderCount(); ++i) {
        const std::string name = list.GetFolder(i)->DisplayName();
        rows += (i ? "|" : "") + name;
        const TRect r = list.Items()->Item(i)->DisplayRect(drLabel);
        out << "shell.row." << name << ".at=" << PointInWindow(form, list, Point(r.Left + 10, (r.Top + r.Bottom) / 2))
            << '\n';
    }
    out << "shell.rows=" << rows << '\n';
    std::string entries;
    for (int i = 0; i < combo.ItemsEx().Count(); ++i)
        entries += (i ? "|" : "") + combo.FolderAt(i)->DisplayName();
    out << "shell.entries=" << entries << '\n';
}

} // namespace

void SetShellFixtureFolder(std::string folder)
{
    FixtureFolder() = std::move(folder);
}

int AddShellControls(TForm& form, TskSkinData* skin, int top)
{
    InitializeShellUnit();
    const std::string fixture = OpenFixture(form);

    auto* combo = Place<TskSkinShellComboBox>(form, "shellfolder", Bounds(kLeft, top, kComboWidth, kBoxHeight));
    combo->SetSkinData(skin);
    auto* filter = Place<TskSkinFilterComboBox>(
        form, "shellfilter", Bounds(kLeft + kListWidth - kFilterWidth, top, kFilterWidth, kBoxHeight));
    filter->SetSkinData(skin);
    auto* list = Place<TskSkinFileListView>(form, "shelllist", Bounds(kLeft, top + kListTop, kListWidth, kListHeight));
    list->SetViewStyle(vsReport);
    list->SetRowSelect(true);
    list->SetSkinData(skin);
    list->SetAutoRefresh(true);
    list->SetRoot(fixture);
    list->SetShellComboBox(combo);

    filter->SetFilter(kFilter);
    filter->OnChange = [list, filter](TObject*) { list->SetMask(filter->Mask()); };
    // The filter's entries exist once it has a window; the first one is chosen.
    filter->HandleNeeded();
    list->SetMask(filter->Mask());

    list->OnPathChanged = [](TObject*) { ReportChanged(); };
    AddReportLines(
        [&form, list, filter, combo](std::ostream& out) { WriteShellState(out, form, *list, *filter, *combo); });
    return kListTop + kListHeight;
}

} // namespace tovrel::skingallery
