// The open dialog's form: building it and what its controls do.
#include "skin/dialogs/OpenDlgForm.h"

#include "platform/ctrls/Bevel.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/Paths.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/Menus.h"
#include "skin/controls/SkinBevel.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinEdit.h"
#include "skin/controls/SkinMenuSpeedButton.h"
#include "skin/controls/SkinPanel.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/controls/SkinSpeedButton.h"
#include "skin/controls/SkinStdLabel.h"
#include "skin/controls/SkinToolBar.h"
#include "skin/data/ResourceStrData.h"
#include "skin/data/SkinData.h"
#include "skin/dialogs/DialogGlyphs.h"
#include "skin/dialogs/OpenDialogNames.h"
#include "skin/dialogs/SkinMessage.h"
#include "skin/forms/SkinForm.h"
#include "skin/menus/SkinPopupMenu.h"
#include "skin/shell/FilterComboBox.h"
#include "skin/shell/ShellComboBox.h"
#include "skin/shell/ShellListView.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace tovrel {

namespace {

constexpr char16_t kEnter = 13;

// Any entry of that name: a file in the way also keeps a folder from being made.
bool EntryExists(const std::string& path)
{
    return FileExists(path) || DirectoryExists(path);
}

TskSkinSpeedButton* InitToolButton(TskSkinSpeedButton* button, TskSkinToolBar* bar, int left, TDialogGlyph glyph,
                                   const std::string& hint, bool flat)
{
    button->SetLeft(left);
    button->SetParent(bar);
    button->SetAlign(alRight);
    button->SetSkinDataName("toolbutton");
    button->SetGlyph(MakeDialogGlyph(glyph).get());
    button->SetNumGlyphs(1);
    button->Hint = hint;
    button->SetShowHint(true);
    button->SetFlat(flat);
    return button;
}

void AddSpacer(TskSkinToolBar* bar, TAlign align, int left)
{
    auto* bevel = new TskSkinBevel(bar->Owner());
    bevel->SetLeft(left);
    bevel->SetParent(bar);
    bevel->SetAlign(align);
    bevel->SetWidth(10);
    bevel->SetShape(bsSpacer);
}

} // namespace

TskOpenDlgForm::TskOpenDlgForm(TComponent* AOwner, bool ASaveMode, TskSkinData* ACtrlSkinData,
                               bool AToolButtonsTransparent)
    : TForm(AOwner), SaveMode(ASaveMode), CtrlSD(ACtrlSkinData)
{
    KeyPreview = true;
    Position = poScreenCenter;
    BSF = new TskSkinForm(this);
    BuildToolBar(AToolButtonsTransparent);
    BuildFileList();
    BuildBottomStrip();
    SetActiveControl(FileNameEdit);
}

TskOpenDlgForm::~TskOpenDlgForm() = default;

std::string TskOpenDlgForm::DialogText(std::string_view Key) const
{
    if (CtrlSD && CtrlSD->ResourceStrData())
        return CtrlSD->ResourceStrData()->GetResStr(Key);
    static const TskResourceStrData builtIn;
    return builtIn.GetResStr(Key);
}

void TskOpenDlgForm::BuildToolBar(bool AToolButtonsTransparent)
{
    ToolPanel = new TskSkinToolBar(this);
    ToolPanel->SetParent(this);
    ToolPanel->SetAlign(alTop);
    ToolPanel->SetDefaultHeight(25);
    ToolPanel->SetSkinDataName("toolpanel");
    ToolPanel->SetBorderStyle(TskSkinBorderStyle::bvNone);

    AddSpacer(ToolPanel, alLeft, 0);
    Drivelabel = new TskSkinStdLabel(this);
    Drivelabel->SetLeft(0);
    Drivelabel->SetParent(ToolPanel);
    Drivelabel->SetAlign(alLeft);
    Drivelabel->SetAutoSize(true);
    Drivelabel->SetLayout(tlCenter);
    Drivelabel->SetCaption(DialogText("FLV_LOOKIN"));

    const int right = Width();
    BackToolButton = InitToolButton(new TskSkinSpeedButton(this), ToolPanel, right, TDialogGlyph::Back,
                                    DialogText("MSG_BTN_BACK_HINT"), AToolButtonsTransparent);
    BackToolButton->OnClick = [this](TObject* s) { BackToolButtonClick(s); };
    UpToolButton = InitToolButton(new TskSkinSpeedButton(this), ToolPanel, right, TDialogGlyph::Up,
                                  DialogText("MSG_BTN_UP_HINT"), AToolButtonsTransparent);
    UpToolButton->OnClick = [this](TObject* s) { UpToolButtonClick(s); };
    NewFolderToolButton = InitToolButton(new TskSkinSpeedButton(this), ToolPanel, right, TDialogGlyph::NewFolder,
                                         DialogText("MSG_BTN_NEWFOLDER_HINT"), AToolButtonsTransparent);
    NewFolderToolButton->OnClick = [this](TObject* s) { NewFolderToolButtonClick(s); };
    AddSpacer(ToolPanel, alRight, right);

    StylePopupMenu = new TskSkinPopupMenu(this);
    const auto addItem = [this](const char* key, void (TskOpenDlgForm::*handler)(TObject*)) {
        auto* item = new TMenuItem(StylePopupMenu);
        item->SetCaption(DialogText(key));
        item->SetRadioItem(true);
        item->OnClick = [this, handler](TObject* s) { (this->*handler)(s); };
        StylePopupMenu->Items()->Add(item);
        return item;
    };
    IconMenuItem = addItem("MSG_LV_ICON", &TskOpenDlgForm::IconItemClick);
    SmallIconMenuItem = addItem("MSG_LV_SMALLICON", &TskOpenDlgForm::SmallIconItemClick);
    ListMenuItem = addItem("MSG_LV_LIST", &TskOpenDlgForm::ListItemClick);
    ReportMenuItem = addItem("MSG_LV_DETAILS", &TskOpenDlgForm::ReportItemClick);

    StyleToolButton = new TskSkinMenuSpeedButton(this);
    InitToolButton(StyleToolButton, ToolPanel, right, TDialogGlyph::ViewStyle, DialogText("MSG_BTN_VIEWMENU_HINT"),
                   AToolButtonsTransparent);
    StyleToolButton->SetSkinDataName("toolmenubutton");
    StyleToolButton->SetWidth(37);
    StyleToolButton->SetSkinPopupMenu(StylePopupMenu);

    ShellBox = new TskSkinShellComboBox(this);
    ShellBox->SetWidth(190);
    ShellBox->SetParent(ToolPanel);
    ShellBox->SetAlign(alClient);
    ShellBox->SetDropDownCount(10);
}

void TskOpenDlgForm::BuildFileList()
{
    BottomPanel = new TskSkinPanel(this);
    BottomPanel->SetParent(this);
    BottomPanel->SetAlign(alBottom);
    BottomPanel->SetHeight(80);
    BottomPanel->SetBorderStyle(TskSkinBorderStyle::bvNone);

    FileListViewPanel = new TskSkinPanel(this);
    FileListViewPanel->SetParent(this);
    FileListViewPanel->SetAlign(alClient);
    FileListViewPanel->SetBorderStyle(TskSkinBorderStyle::bvFrame);

    FLVHScrollBar = new TskSkinScrollBar(this);
    FLVHScrollBar->SetParent(FileListViewPanel);
    FLVHScrollBar->SetAlign(alBottom);
    FLVHScrollBar->SetDefaultHeight(19);
    FLVHScrollBar->SetSkinDataName("hscrollbar");
    FLVHScrollBar->SetBothMarkerWidth(19);
    FLVHScrollBar->SetEnabled(false);

    FLVVScrollBar = new TskSkinScrollBar(this);
    FLVVScrollBar->SetKind(sbVertical);
    FLVVScrollBar->SetParent(FileListViewPanel);
    FLVVScrollBar->SetAlign(alRight);
    FLVVScrollBar->SetDefaultWidth(19);
    FLVVScrollBar->SetSkinDataName("vscrollbar");
    FLVVScrollBar->SetEnabled(false);

    FileListView = new TskSkinFileListView(this);
    FileListView->SetParent(FileListViewPanel);
    FileListView->SetAlign(alClient);
    FileListView->SetViewStyle(vsList);
    FileListView->SetShowColumnHeaders(true);
    FileListView->IconOptions.AutoArrange = true;
    FileListView->SetHScrollBar(FLVHScrollBar);
    FileListView->SetVScrollBar(FLVVScrollBar);
    FileListView->OnChange = [this](TObject* s, TListItem* item, TItemChange change) { FLVChange(s, item, change); };
    FileListView->OnPathChanged = [this](TObject* s) { FLVPathChange(s); };
    FileListView->OnDblClick = [this](TObject* s) { FLVDBLClick(s); };
    FileListView->HideSelection = false;
    FileListView->SetShellComboBox(ShellBox);
    FileListView->OnKeyPress = [this](TObject* s, char16_t& key) { FLVKeyPress(s, key); };
    ShellBox->SetShellListView(FileListView);
}

void TskOpenDlgForm::BuildBottomStrip()
{
    const int width = ClientWidth();
    FileNameEdit = new TskSkinEdit(this);
    FileNameEdit->SetParent(BottomPanel);
    FileNameEdit->SetDefaultHeight(21);
    FileNameEdit->SetBounds(70, 10, width - 160, 21);
    FileNameEdit->SetAnchors({akLeft, akTop, akRight});
    FileNameEdit->OnKeyPress = [this](TObject* s, char16_t& key) { EditKeyPress(s, key); };

    FilterComboBox = new TskSkinFilterComboBox(this);
    FilterComboBox->SetParent(BottomPanel);
    FilterComboBox->SetDefaultHeight(21);
    FilterComboBox->SetBounds(70, 45, width - 160, 21);
    FilterComboBox->SetAnchors({akLeft, akTop, akRight});
    FilterComboBox->OnChange = [this](TObject* s) { FCBChange(s); };

    const auto addButton = [this, width](int top, const char* key) {
        auto* button = new TskSkinButton(this);
        button->SetParent(BottomPanel);
        button->SetDefaultHeight(25);
        button->SetBounds(width - 80, top, 70, 25);
        button->SetAnchors({akTop, akRight});
        button->SetCaption(DialogText(key));
        button->SetCanFocused(true);
        return button;
    };
    OpenButton = addButton(10, SaveMode ? "MSG_BTN_SAVE" : "MSG_BTN_OPEN");
    OpenButton->SetName("OpenButton");
    OpenButton->OnClick = [this](TObject* s) { OpenButtonClick(s); };
    CancelButton = addButton(45, "MSG_BTN_CANCEL");
    CancelButton->SetName("CancelButton");
    CancelButton->ModalResult = mrCancel;
    CancelButton->Cancel = true;

    const auto addLabel = [this](int top, const char* key) {
        auto* label = new TskSkinStdLabel(this);
        label->SetParent(BottomPanel);
        label->SetAutoSize(true);
        label->SetBounds(10, top, label->Width(), label->Height());
        label->SetCaption(DialogText(key));
        return label;
    };
    OpenFileLabel = addLabel(10, "MSG_FILENAME");
    FileTypeLabel = addLabel(45, "MSG_FILETYPE");
}

std::string TskOpenDlgForm::SelectedFileName()
{
    return ExtractFileName(FileListView->GetSelectedFile());
}

std::string TskOpenDlgForm::FolderWithDelimiter() const
{
    return IncludeTrailingPathDelimiter(FileListView->Path());
}

void TskOpenDlgForm::AddHistoryEntry()
{
    TskShellFolder* shown = FileListView->RootFolder();
    if (!shown)
        return;
    if (!FolderHistory.empty() && ItemIDListsEqual(FolderHistory.back().get(), shown->AbsoluteID()))
        return;
    FolderHistory.push_back(CopyItemIDList(shown->AbsoluteID()));
}

void TskOpenDlgForm::InitHistory()
{
    AddHistoryEntry();
}

void TskOpenDlgForm::FLVChange(TObject*, TListItem*, TItemChange)
{
    const std::string name = SelectedFileName();
    if (!name.empty())
        FileNameEdit->SetText(name);
    if (OnFolderChange)
        OnFolderChange(this);
}

void TskOpenDlgForm::FLVPathChange(TObject*)
{
    if (!StopAddToHistory)
        AddHistoryEntry();
    if (FileListView->Items()->Count() > 0)
        FileListView->Items()->Item(0)->SetFocused(true);
    if (OnFolderChange)
        OnFolderChange(this);
}

void TskOpenDlgForm::FCBChange(TObject*)
{
    const std::string mask = FilterComboBox->Mask();
    FileListView->SetMask(mask);
    const std::string extension = FilterMaskExtension(mask);
    if (!SaveMode || extension.empty() || FileNameEdit->Text().empty())
        return;
    FileNameEdit->SetText(ChangeFileExt(FileNameEdit->Text(), extension));
}

void TskOpenDlgForm::Accept(const std::string& Name)
{
    FileName = Name;
    SetModalResult(mrOk);
}

bool TskOpenDlgForm::OverwriteAnswered()
{
    std::unique_ptr<TskSkinMessage> box(new TskSkinMessage(this));
    box->SetSkinData(BSF->SkinData());
    box->SetCtrlSkinData(CtrlSD);
    return box->MessageDlg(DialogText("MSG_OVERWRITE"), mtWarning, {mbOK, mbCancel}, 0) == mrOk;
}

void TskOpenDlgForm::OpenButtonClick(TObject*)
{
    const std::string folder = FolderWithDelimiter();
    const std::string typed = FileNameEdit->Text();
    const std::string selected = FileListView->GetSelectedFile();
    const auto completed = [this](std::string name) {
        if (ExtractFileExt(name).empty())
            name += DefaultExtension(DefaultExt, FilterComboBox->Mask());
        return name;
    };
    std::string candidate;
    if (!SaveMode && CheckFileExists && selected.empty() && !typed.empty()) {
        candidate = completed(folder + typed);
        if (!FileExists(candidate))
            return;
    }
    if (typed.empty())
        return;
    if (SaveMode) {
        if (typed.find('*') != std::string::npos)
            return;
        const std::string name = folder + typed;
        if (OverwritePromt && FileExists(completed(name)) && !OverwriteAnswered())
            return;
        Accept(name);
        return;
    }
    if (CheckFileExists) {
        FileName = selected.empty() ? candidate : selected;
        if (FileExists(FileName))
            SetModalResult(mrOk);
        else
            FileName.clear();
        return;
    }
    Accept(selected.empty() ? completed(folder + typed) : selected);
}

void TskOpenDlgForm::FLVDBLClick(TObject*)
{
    const std::string selected = FileListView->GetSelectedFile();
    if (selected.empty())
        return;
    if (SaveMode && OverwritePromt && !OverwriteAnswered())
        return;
    Accept(selected);
}

void TskOpenDlgForm::FLVKeyPress(TObject*, char16_t& Key)
{
    if (Key == kEnter && !FileListView->GetSelectedFile().empty())
        OpenButtonClick(this);
}

void TskOpenDlgForm::EditKeyPress(TObject*, char16_t& Key)
{
    if (Key != kEnter)
        return;
    const std::string text = FileNameEdit->Text();
    if (text.find('*') != std::string::npos)
        FileListView->SetMask(text);
    else if (text.find(PathDelim) != std::string::npos) {
        if (DirectoryExists(text))
            FileListView->SetPath(text);
    } else
        OpenButtonClick(this);
}

void TskOpenDlgForm::UpToolButtonClick(TObject*)
{
    FileListView->Back();
}

void TskOpenDlgForm::BackToolButtonClick(TObject*)
{
    if (FolderHistory.size() < 2)
        return;
    StopAddToHistory = true;
    struct TClearStop {
        bool& Flag;
        ~TClearStop() { Flag = false; }
    } clear{StopAddToHistory};
    FileListView->FollowFolder(FolderHistory[FolderHistory.size() - 2].get());
    FolderHistory.pop_back();
}

void TskOpenDlgForm::NewFolderToolButtonClick(TObject*)
{
    const std::string path = FileListView->Path();
    // A place without a folder on the disk (the desktop, Computer).
    if (path.find(PathDelim) == std::string::npos)
        return;
    ++NewFolderCount;
    std::string name = DialogText("MSG_NEWFOLDER");
    if (NewFolderCount > 1)
        name += "(" + std::to_string(NewFolderCount) + ")";
    const std::string folder = PathJoin(path, name);
    if (EntryExists(folder))
        return;
    if (::mkdir(folder.c_str(), 0777) != 0)
        throw Exception("Cannot create the folder \"" + folder + "\": " + std::strerror(errno));
    FileListView->Refresh();
    Application->ProcessMessages();
    for (int i = 0; i < FileListView->FolderCount(); ++i) {
        if (FileListView->GetFolder(i)->DisplayName() != name)
            continue;
        FileListView->SetItemIndex(i);
        FileListView->Items()->Item(i)->EditCaption();
        break;
    }
}

void TskOpenDlgForm::ApplyViewStyle(TViewStyle Style)
{
    const std::pair<TMenuItem*, TViewStyle> styles[] = {
        {IconMenuItem, vsIcon}, {SmallIconMenuItem, vsSmallIcon}, {ListMenuItem, vsList}, {ReportMenuItem, vsReport}};
    for (const auto& [item, style] : styles)
        item->SetChecked(style == Style);
    FileListView->SetViewStyle(Style);
}

void TskOpenDlgForm::ReportItemClick(TObject*)
{
    ApplyViewStyle(vsReport);
}

void TskOpenDlgForm::ListItemClick(TObject*)
{
    ApplyViewStyle(vsList);
}

void TskOpenDlgForm::SmallIconItemClick(TObject*)
{
    ApplyViewStyle(vsSmallIcon);
}

void TskOpenDlgForm::IconItemClick(TObject*)
{
    ApplyViewStyle(vsIcon);
}

} // namespace tovrel
