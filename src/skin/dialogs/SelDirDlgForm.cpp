#include "skin/dialogs/SelDirDlgForm.h"

#include "platform/rtl/Files.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/Paths.h"
#include "platform/rtl/Text.h"
#include "platform/shell/ShellEnvironment.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/Bitmap.h"
#include "platform/wm/Keys.h"
#include "platform/wm/Monitors.h"
#include "platform/wm/WindowPos.h"
#include "skin/controls/SkinBevel.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinEdit.h"
#include "skin/controls/SkinPanel.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/controls/SkinSpeedButton.h"
#include "skin/dialogs/NewFolderGlyph.h"
#include "skin/dialogs/SkinMessage.h"
#include "skin/forms/SkinForm.h"
#include "skin/shell/ShellTreeView.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace tovrel {

namespace {

constexpr int kButtonWidth = 70, kButtonHeight = 25, kBarSize = 19;

// The path edit claims Enter while it holds a path: the form's default
// button would otherwise take it and accept the tree's folder instead of the
// typed one. An empty edit leaves Enter to the default button.
class TskFolderPathEdit : public TskSkinEdit {
public:
    using TskSkinEdit::TskSkinEdit;

protected:
    void WndProc(TMessage& message) override
    {
        const bool holdsPath = !Trim(Text()).empty();
        if (message.Msg == CM_WANTSPECIALKEY && message.WParam == VK_RETURN) {
            message.Result = holdsPath ? 1 : 0;
            return;
        }
        if (message.Msg == WM_CHAR && message.WParam == '\r' && holdsPath) {
            char16_t key = u'\r';
            if (OnKeyPress)
                OnKeyPress(this, key);
            return;
        }
        TskSkinEdit::WndProc(message);
    }
};

// A panel that never paints over its children: the default button repaints
// itself early (its hot look while the tree has the focus), and a panel
// painting after it would cover it.
class TskDialogPanel : public TskSkinPanel {
public:
    using TskSkinPanel::TskSkinPanel;

protected:
    void CreateParams(TCreateParams& Params) override
    {
        TskSkinPanel::CreateParams(Params);
        Params.Style |= WS_CLIPCHILDREN;
    }
};

TskSkinPanel* AddPanel(TForm& parent, TAlign align, TskSkinBorderStyle border)
{
    auto* panel = new TskDialogPanel(&parent);
    panel->SetParent(&parent);
    panel->SetAlign(align);
    panel->SetBorderStyle(border);
    return panel;
}

// Every control is owned by the form and freed with it.
TskSkinButton* AddButton(TForm& form, TskSkinPanel& panel, int left, const std::string& caption, TModalResult result)
{
    auto* button = new TskSkinButton(&form);
    button->SetParent(&panel);
    button->SetDefaultHeight(kButtonHeight);
    button->SetBounds(left, 15, kButtonWidth, kButtonHeight);
    button->SetCaption(caption);
    button->SetCanFocused(true);
    button->ModalResult = result;
    return button;
}

} // namespace

TTypedFolder CheckTypedFolder(const std::string& Text)
{
    TTypedFolder typed;
    typed.Path = Trim(Text);
    if (typed.Path == "~" || typed.Path.starts_with("~/"))
        typed.Path = HomeFolder() + typed.Path.substr(1);
    struct stat info {};
    if (typed.Path.empty() || typed.Path[0] != '/')
        typed.Problem = Format("请输入文件夹的完整路径（以 / 开头）：\"%s\"", typed.Path);
    else if (::stat(typed.Path.c_str(), &info) != 0)
        typed.Problem = Format("文件夹不存在：\"%s\"", typed.Path);
    else if (!S_ISDIR(info.st_mode))
        typed.Problem = Format("这不是文件夹：\"%s\"", typed.Path);
    return typed;
}

TskSelDirDlgForm::TskSelDirDlgForm(TComponent* AOwner, TskSkinData* ACtrlSkinData, bool AShowToolBar,
                                   bool AToolButtonsTransparent)
    : TForm(AOwner), CtrlSD(ACtrlSkinData), ShowToolBar(AShowToolBar)
{
    KeyPreview = true;
    Position = poScreenCenter;
    BSF = new TskSkinForm(this);
    if (AShowToolBar)
        BuildToolBar(AToolButtonsTransparent);

    DirTreeViewPanel = AddPanel(*this, alClient, TskSkinBorderStyle::bvFrame);
    DirTreeViewPanel->SetHeight(200);
    VScrollBar = new TskSkinScrollBar(this);
    VScrollBar->SetKind(sbVertical);
    VScrollBar->SetParent(DirTreeViewPanel);
    VScrollBar->SetDefaultWidth(kBarSize);
    VScrollBar->SetAlign(alRight);
    VScrollBar->SetSkinDataName("vscrollbar");
    VScrollBar->SetEnabled(false);
    HScrollBar = new TskSkinScrollBar(this);
    HScrollBar->SetParent(DirTreeViewPanel);
    HScrollBar->SetDefaultHeight(kBarSize);
    HScrollBar->SetAlign(alBottom);
    HScrollBar->SetBothMarkerWidth(kBarSize);
    HScrollBar->SetSkinDataName("hscrollbar");
    HScrollBar->SetEnabled(false);
    DirTreeView = new TskSkinDirTreeView(this);
    DirTreeView->SetName("DirTreeView");
    DirTreeView->SetParent(DirTreeViewPanel);
    DirTreeView->SetAlign(alClient);
    DirTreeView->SetHScrollBar(HScrollBar);
    DirTreeView->SetVScrollBar(VScrollBar);
    TShellObjectTypes types = DirTreeView->ObjectTypes();
    types.Include(TShellObjectType::otHidden); // hidden folders are listed too
    DirTreeView->SetObjectTypes(types);
    DirTreeView->HideSelection = false;
    DirTreeView->OnChange = [this](TObject* sender, TTreeNode* node) { DirTreeViewChange(sender, node); };

    BottomPanel = AddPanel(*this, alBottom, TskSkinBorderStyle::bvNone);
    BottomPanel->SetHeight(50);
    OkButton = AddButton(*this, *BottomPanel, 20, Text("MSG_BTN_OK", "OK"), mrOk);
    OkButton->SetName("OkButton");
    OkButton->SetDefault(true);
    CancelButton = AddButton(*this, *BottomPanel, 100, Text("MSG_BTN_CANCEL", "Cancel"), mrCancel);
    CancelButton->SetName("CancelButton");
    CancelButton->Cancel = true;
}

void TskSelDirDlgForm::BuildToolBar(bool AToolButtonsTransparent)
{
    ToolPanel = AddPanel(*this, alTop, TskSkinBorderStyle::bvNone);
    ToolPanel->SetDefaultHeight(25);
    ToolPanel->SetHeight(25);
    ToolPanel->SetSkinDataName("toolpanel");

    NewFolderToolButton = new TskSkinSpeedButton(this);
    NewFolderToolButton->SetName("NewFolderToolButton");
    NewFolderToolButton->SetParent(ToolPanel);
    NewFolderToolButton->SetDefaultWidth(27);
    NewFolderToolButton->SetDefaultHeight(25);
    NewFolderToolButton->SetBounds(ToolPanel->Width() - 27, 0, 27, 25);
    NewFolderToolButton->SetAlign(alRight);
    NewFolderToolButton->SetSkinDataName("toolbutton");
    NewFolderToolButton->Hint = Text("MSG_BTN_NEWFOLDER_HINT", "Create New Folder");
    NewFolderToolButton->SetShowHint(true);
    NewFolderToolButton->SetGlyph(NewFolderGlyph().get());
    NewFolderToolButton->SetNumGlyphs(1);
    NewFolderToolButton->SetFlat(AToolButtonsTransparent);
    NewFolderToolButton->OnClick = [this](TObject* sender) { NewFolderToolButtonClick(sender); };

    auto* gap = new TskSkinBevel(this);
    gap->SetParent(ToolPanel);
    gap->SetBounds(ToolPanel->Width() - 32, 0, 5, 25);
    gap->SetAlign(alRight);
    gap->SetShape(bsSpacer);

    DirEdit = new TskFolderPathEdit(this);
    DirEdit->SetName("DirEdit");
    DirEdit->SetParent(ToolPanel);
    DirEdit->SetDefaultHeight(25);
    DirEdit->SetBounds(0, 0, ToolPanel->Width() - 32, 25);
    DirEdit->SkinDataName = "edit";
    DirEdit->OnKeyPress = [this](TObject* sender, char16_t& key) { DirEditKeyPress(sender, key); };
}

void TskSelDirDlgForm::FitToolBar()
{
    // A skinned edit keeps its skin's height, which the bar takes on:
    // stretched to the bar, the edit would show a strip below its picture.
    if (!ToolPanel)
        return;
    ToolPanel->SetHeight(DirEdit->Height());
    DirEdit->SetAlign(alClient);
}

std::string TskSelDirDlgForm::Text(std::string_view Key, std::string_view BuiltIn) const
{
    return MessageDialogText(CtrlSD, Key, BuiltIn);
}

void TskSelDirDlgForm::CentreOn(TCustomForm* Owner)
{
    if (!Owner || !Owner->HandleAllocated() || !Owner->Visible())
        return; // Position keeps it on the screen's centre
    RECT area{}, owner{};
    GetWindowRect(Owner->Handle(), &owner);
    MONITORINFO monitor;
    if (GetMonitorInfo(MonitorFromWindow(Owner->Handle(), MONITOR_DEFAULTTONEAREST), &monitor))
        area = monitor.rcWork;
    else
        SystemParametersInfo(SPI_GETWORKAREA, 0, &area, 0);
    const int left = owner.Left + (owner.Right - owner.Left - Width()) / 2;
    const int top = owner.Top + (owner.Bottom - owner.Top - Height()) / 2;
    Position = poDesigned;
    SetBounds(std::max<int>(area.Left, std::min<int>(left, area.Right - Width())),
              std::max<int>(area.Top, std::min<int>(top, area.Bottom - Height())), Width(), Height());
}

void TskSelDirDlgForm::DirTreeViewChange(TObject*, TTreeNode*)
{
    if (ShowToolBar && DirEdit)
        DirEdit->SetText(DirTreeView->Path());
}

void TskSelDirDlgForm::DirEditKeyPress(TObject*, char16_t& Key)
{
    if (Key != u'\r' || Trim(DirEdit->Text()).empty())
        return;
    const TTypedFolder typed = CheckTypedFolder(DirEdit->Text());
    if (!typed.Problem.empty()) {
        ShowNote(typed.Problem);
        DirEdit->SetFocus();
        DirEdit->SelectAll();
        return;
    }
    DirTreeView->SetPath(typed.Path);
    if (DirTreeView->Selected())
        SetModalResult(mrOk);
}

void TskSelDirDlgForm::ShowNote(const std::string& Note)
{
    TskSkinMessage box(nullptr);
    box.SetSkinData(BSF->SkinData());
    box.SetCtrlSkinData(CtrlSD);
    box.MessageDlg2(Note, "提示", mtWarning, {mbOK}, 0);
}

void TskSelDirDlgForm::NewFolderToolButtonClick(TObject*)
{
    TTreeNode* node = DirTreeView->Selected();
    const TskShellFolder* folder = DirTreeView->SelectedFolder();
    // Only a folder of the file system can hold a new one.
    const std::string parent = folder ? folder->FullObjectName() : std::string();
    if (!node || parent.empty() || parent[0] != '/')
        return;
    const std::string path = IncludeTrailingPathDelimiter(parent) + Text("MSG_NEWFOLDER", "New Folder");
    if (DirectoryExists(path))
        return;
    if (::mkdir(path.c_str(), 0777) != 0)
        throw Exception(Format("无法创建文件夹 \"%s\"：%s", path, std::strerror(errno)));
    DirTreeView->Refresh(node);
    if (TTreeNode* shown = DirTreeView->Selected())
        shown->Expand(false);
}

} // namespace tovrel
