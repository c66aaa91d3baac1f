// The main window's controls, placed in code: 839 x 527 client pixels, the
// file list on the left with its buttons and the settings tabs below, the
// preview panel on the right.
#include "app/main/MainForm.h"

#include "app/format/OutputFormatForm.h"
#include "app/main/FileListColumns.h"
#include "app/main/StoredPicture.h"
#include "app/options/OptionIni.h"
#include "app/options/OptionsForm.h"
#include "app/options/PlacedControl.h"
#include "media/engine/FFmpegTasks.h"
#include "platform/ctrls/Image.h"
#include "platform/vcl/Menus.h"
#include "platform/vcl/PngImage.h"
#include "platform/vcl/Streams.h"
#include "player/Player.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinComboBox.h"
#include "skin/controls/SkinEdit.h"
#include "skin/controls/SkinListView.h"
#include "skin/controls/SkinMenuSpeedButton.h"
#include "skin/controls/SkinOfficeComboBox.h"
#include "skin/controls/SkinPageControl.h"
#include "skin/controls/SkinPanel.h"
#include "skin/controls/SkinStdLabel.h"
#include "skin/controls/SkinToolBar.h"
#include "skin/data/PngImageList.h"
#include "skin/data/SkinCompressedSkinList.h"
#include "skin/data/SkinData.h"
#include "skin/forms/SkinForm.h"
#include "skin/forms/SkinMainMenuBar.h"
#include "skin/menus/SkinPopupMenu.h"
#include "skin/stored/StoredIcons.h"
#include "skin/stored/StoredSkins.h"
#include "skin/stored/StoredStrings.h"

namespace tovrel {

namespace {

constexpr int kClientWidth = 839, kClientHeight = 527;
constexpr int kMenuBarHeight = 22, kToolBarHeight = 56;
constexpr int kLeftWidth = 530, kMargin = 8;
constexpr int kListTop = kMenuBarHeight + kToolBarHeight + 6, kListHeight = 262;
constexpr int kListButtonsTop = kListTop + kListHeight + 4, kListButtonsHeight = 32;
constexpr int kTabsTop = kListButtonsTop + kListButtonsHeight + 4;
constexpr int kToolButtonWidth = 64, kToolButtonHeight = 52;

TskSkinStdLabel* AddLabel(TComponent* owner, TWinControl& parent, TskSkinData* skin, const char* caption, TPoint at)
{
    auto* label = Placed<TskSkinStdLabel>(owner, parent, Bounds(at.X, at.Y, 80, 18));
    label->SetCaption(caption);
    label->SetSkinData(skin);
    return label;
}

TskPngImageList* StoredIconList(TComponent* owner, const char* name, std::string_view icons)
{
    auto* list = new TskPngImageList(owner);
    list->SetName(name);
    AddStoredIcons(*list, icons);
    return list;
}

// A skin data object showing the stored skins of one role, from its own list.
TskSkinData* StoredSkinData(TComponent* owner, const char* name, TskCompressedSkinList*& list, const char* listName,
                            TStoredSkinRole role)
{
    list = new TskCompressedSkinList(owner);
    list->SetName(listName);
    AddStoredSkins(*list, role);
    auto* skin = new TskSkinData(owner);
    skin->SetName(name);
    skin->SetSkinList(list);
    return skin;
}

} // namespace

TMainForm::TMainForm(TComponent* owner)
    : TForm(owner), ini_(std::make_unique<TOptionIni>(OptionIniPath())), FFTasks(std::make_unique<TFFmpegTasks>())
{
    OptionIniFile = ini_->Path();
    BeginLoading();
    SetName("Form1");
    SetCaption(MainWindowTitle);
    SetBorderStyle(bsSingle);
    BorderIcons = {}; // the skinned frame draws the caption buttons
    Position = poScreenCenter;
    SetClientSize(kClientWidth, kClientHeight);
    BuildSkins();
    BuildImageLists();
    BuildMenu();
    BuildToolBar();
    BuildFileList();
    BuildListButtons();
    BuildSettingsTabs();
    BuildPreviewPanel();
    BuildRenameEdit();
    HookRowCommands();
    HookMenuCommands();
    EndLoading();
    OnCreate = [this](TObject*) { FormCreate(); };
    OnCloseQuery = [this](TObject*, bool& canClose) { FormCloseQuery(canClose); };
    HookRunCommands();
    SetWorkflowState(TWorkflowState::IdleEmpty);
}

TMainForm::~TMainForm()
{
    // The output format dialog belongs to the application but reaches this
    // window through its host; it goes first.
    delete Form6;
}

void TMainForm::BuildSkins()
{
    skSkinData1 =
        StoredSkinData(this, "skSkinData1", skCompressedSkinList1, "skCompressedSkinList1", TStoredSkinRole::User);
    // The tool bar and the category and format boxes keep their look
    // whichever skin the user picks.
    skSkinData2 =
        StoredSkinData(this, "skSkinData2", skCompressedSkinList2, "skCompressedSkinList2", TStoredSkinRole::Tools);
    // Message boxes and dialogs show their buttons in the interface's language.
    skSkinData1->SetResourceStrData(&StoredStringTable());
    skSkinForm1 = new TskSkinForm(this);
    skSkinForm1->SetName("skSkinForm1");
    skSkinForm1->SetBorderIcons({TskBorderIcon::biSystemMenu, TskBorderIcon::biMinimize});
    // A skin's frame is thicker than the native one: without this the bottom
    // of the settings tabs and the list would be cut off, by a different amount per skin.
    skSkinForm1->ClientWidth = kClientWidth;
    skSkinForm1->ClientHeight = kClientHeight;
    skSkinForm1->SetSkinData(skSkinData1);
}

void TMainForm::BuildImageLists()
{
    skPngImageList1 = StoredIconList(this, "skPngImageList1", "toolbar40");
    skPngImageList3 = StoredIconList(this, "skPngImageList3", "buttons18");
    skPngImageList4 = StoredIconList(this, "skPngImageList4", "categories48");
    skPngImageList5 = StoredIconList(this, "skPngImageList5", "categories32");
}

TskSkinButton* TMainForm::AddToolButton(const char* name, const char* caption, int image, int left)
{
    auto* button = Placed<TskSkinButton>(
        this, *skSkinToolBar2,
        Bounds(left, (kToolBarHeight - kToolButtonHeight) / 2, kToolButtonWidth, kToolButtonHeight), name);
    button->SetSkinDataName("resizetoolbutton");
    button->SetCaption(caption);
    button->SetLayout(blGlyphTop);
    button->SetImageList(skPngImageList1);
    button->SetImageIndex(image);
    button->SetSkinData(skSkinData2);
    return button;
}

void TMainForm::BuildToolBar()
{
    skSkinToolBar2 =
        Placed<TskSkinToolBar>(this, *this, Bounds(0, kMenuBarHeight, kClientWidth, kToolBarHeight), "skSkinToolBar2");
    skSkinToolBar2->SetSkinDataName("resizetoolpanel");
    skSkinToolBar2->SetImages(skPngImageList1);
    skSkinToolBar2->SetSkinData(skSkinData2);

    skSkinPopupMenu1 = new TskSkinPopupMenu(this);
    skSkinPopupMenu1->SetName("skSkinPopupMenu1");
    for (const auto& [name, caption] : {std::pair{"N11111", "添加一个文件"}, std::pair{"N2222", "添加多个文件"},
                                        std::pair{"N3331", "添加整个目录"}}) {
        auto* item = new TMenuItem(skSkinPopupMenu1);
        item->SetName(name);
        item->SetCaption(caption);
        skSkinPopupMenu1->Items()->Add(item);
    }
    skSkinMenuSpeedButton1 = new TskSkinMenuSpeedButton(this);
    skSkinMenuSpeedButton1->SetName("skSkinMenuSpeedButton1");
    skSkinMenuSpeedButton1->SetParent(skSkinToolBar2);
    skSkinMenuSpeedButton1->SetBounds(4, (kToolBarHeight - kToolButtonHeight) / 2, kToolButtonWidth + 12,
                                      kToolButtonHeight);
    skSkinMenuSpeedButton1->SetSkinDataName("resizetoolbutton");
    skSkinMenuSpeedButton1->SetCaption("添加");
    skSkinMenuSpeedButton1->SetLayout(blGlyphTop);
    skSkinMenuSpeedButton1->SetImageList(skPngImageList1);
    skSkinMenuSpeedButton1->SetImageIndex(0);
    skSkinMenuSpeedButton1->SetSkinPopupMenu(skSkinPopupMenu1);
    skSkinMenuSpeedButton1->SetSkinData(skSkinData2);

    const int step = kToolButtonWidth + 4;
    int left = 4 + kToolButtonWidth + 12 + 8;
    skSkinButton2 = AddToolButton("skSkinButton2", "开始", 1, left);
    skSkinButton10 = AddToolButton("skSkinButton10", "停止", 2, left += step);
    // Resume lies under pause, on the same place.
    skSkinButton12 = AddToolButton("skSkinButton12", "继续", 4, left += step);
    skSkinButton11 = AddToolButton("skSkinButton11", "暂停", 3, left);
    skSkinButton19 = AddToolButton("skSkinButton19", "选项", 5, left += step);
    skSkinButton19->OnClick = [this](TObject*) { ShowOptions(); };
}

void TMainForm::BuildFileList()
{
    const TRect bounds = Bounds(kMargin, kListTop, kLeftWidth, kListHeight);
    fileListPanel_ = Placed<TskSkinPanel>(this, *this, bounds, "skSkinPanel2");
    fileListPanel_->SetSkinData(skSkinData1);
    lvFiles = Placed<TskSkinListView>(this, *fileListPanel_, Rect(0, 0, bounds.Width(), bounds.Height()), "lvFiles");
    lvFiles->SetAlign(alClient);
    lvFiles->SetViewStyle(vsReport);
    lvFiles->SetRowSelect(true);
    lvFiles->ReadOnly = true;
    lvFiles->SetGridLines(true);
    lvFiles->SetMultiSelect(false);
    AddFileListColumns(*lvFiles);
    lvFiles->SetSkinData(skSkinData1);

    // The empty-list picture lies exactly over the list while it has no rows.
    skSkinPanel5 = Placed<TskSkinPanel>(this, *this, bounds, "skSkinPanel5");
    skSkinPanel5->SetSkinData(skSkinData1);
    auto* image = Placed<TImage>(this, *skSkinPanel5, Rect(0, 0, bounds.Width(), bounds.Height()), "Image1");
    image->SetAlign(alClient);
    image->SetCenter(true);
    ShowStoredIcon(*image, "categories48", 0);
}

TskSkinButton* TMainForm::AddImageButton(TWinControl& parent, const char* name, const char* caption, int image,
                                         TRect bounds)
{
    auto* button = Placed<TskSkinButton>(this, parent, bounds, name);
    button->SetCaption(caption);
    button->SetImageList(skPngImageList3);
    button->SetImageIndex(image);
    button->Hint = caption;
    button->SetSkinData(skSkinData1);
    return button;
}

void TMainForm::BuildListButtons()
{
    skSkinPanel1 = Placed<TskSkinPanel>(this, *this, Bounds(kMargin, kListButtonsTop, kLeftWidth, kListButtonsHeight),
                                        "skSkinPanel1");
    skSkinPanel1->SetSkinData(skSkinData1);
    const auto at = [](int i) { return Bounds(6 + i * 90, 3, 84, kListButtonsHeight - 6); };
    skSkinButton3 = AddImageButton(*skSkinPanel1, "skSkinButton3", "上移", 0, at(0));
    skSkinButton4 = AddImageButton(*skSkinPanel1, "skSkinButton4", "下移", 1, at(1));
    skSkinButton21 = AddImageButton(*skSkinPanel1, "skSkinButton21", "重命名", 2, at(2));
    skSkinButton7 = AddImageButton(*skSkinPanel1, "skSkinButton7", "删除", 3, at(3));
    skSkinButton8 = AddImageButton(*skSkinPanel1, "skSkinButton8", "清空", 4, at(4));
}

TskSkinOfficeComboBox* TMainForm::AddOfficeBox(TWinControl& parent, const char* name, TRect bounds)
{
    auto* box = Placed<TskSkinOfficeComboBox>(this, parent, bounds, name);
    box->SetToolButtonStyle(true);
    box->SetDropDownCount(4);
    box->SetSkinData(skSkinData2);
    return box;
}

void TMainForm::BuildSettingsTabs()
{
    settingsPages_ = Placed<TskSkinPageControl>(
        this, *this, Rect(kMargin, kTabsTop, kMargin + kLeftWidth, kClientHeight - 5), "skSkinPageControl1");
    for (const char* caption : {"常规设置", "音视频高级设置"}) {
        auto* sheet = new TskSkinTabSheet(this);
        sheet->SetPageControl(settingsPages_);
        sheet->SetCaption(caption);
    }
    settingsPages_->SetSkinData(skSkinData1);
    BuildFormatTab(*settingsPages_->Pages(0));
    BuildParameterTab(*settingsPages_->Pages(1));
    settingsPages_->SetActivePageIndex(0);
}

void TMainForm::BuildFormatTab(TWinControl& sheet)
{
    AddLabel(this, sheet, skSkinData1, "输出格式：", Point(6, 22));
    skSkinOfficeComboBox2 = AddOfficeBox(sheet, "skSkinOfficeComboBox2", Bounds(78, 4, 126, 51));
    skSkinOfficeComboBox2->SetImages(skPngImageList4);
    skSkinOfficeComboBox2->SetShowItemTitle(false);
    skSkinOfficeComboBox2->SetListBoxShowItemTitles(false);
    skSkinOfficeComboBox2->SetListBoxItemHeight(50);
    skSkinOfficeComboBox2->ListBoxWidth = 140;
    skSkinOfficeComboBox2->SetListBoxSkinDataName("resizetoolpanel");
    for (const TPresetCategory& category : MainPresets().Categories()) {
        TskSkinOfficeItem* item = skSkinOfficeComboBox2->Items()->Add();
        item->SetCaption(category.Caption);
        item->SetImageIndex(category.Code.value_or(0));
    }
    skSkinOfficeComboBox2->SetItemIndex(0);
    skSkinOfficeComboBox2->OnChange = [this](TObject*) { FillFormatBox(); };

    skSkinOfficeComboBox1 = AddOfficeBox(sheet, "skSkinOfficeComboBox1", Bounds(210, 4, 306, 51));
    skSkinOfficeComboBox1->SetImages(skPngImageList5);
    skSkinOfficeComboBox1->SetListBoxShowItemTitles(true);
    skSkinOfficeComboBox1->SetListBoxShowLines(true);
    skSkinOfficeComboBox1->SetListBoxItemHeight(60);
    skSkinOfficeComboBox1->SetListBoxHeaderHeight(20);
    skSkinOfficeComboBox1->SetListBoxSkinDataName("listbox");
    skSkinOfficeComboBox1->OnChange = [this](TObject*) { FormatChanged(); };

    AddLabel(this, sheet, skSkinData1, "输出文件夹：", Point(6, 70));
    Video_OutPut_Folder_Edit = Placed<TskSkinEdit>(this, sheet, Bounds(90, 66, 250, 22), "Video_OutPut_Folder_Edit");
    Video_OutPut_Folder_Edit->SetReadOnly(true);
    Video_OutPut_Folder_Edit->SetSkinData(skSkinData1);
    Video_OutPut_Folder_Edit->OnClick = [this](TObject*) { FocusFileList(); };
    skSkinButton5 = AddImageButton(sheet, "skSkinButton5", "浏览", 5, Bounds(346, 64, 82, 26));
    skSkinButton5->Hint.clear();
    skSkinButton5->OnClick = [this](TObject*) { BrowseOutputFolder(); };
    skSkinButton6 = AddImageButton(sheet, "skSkinButton6", "打开", 6, Bounds(434, 64, 82, 26));
    skSkinButton6->Hint.clear();
    skSkinButton6->OnClick = [this](TObject*) { OpenOutputFolder(); };
}

void TMainForm::BuildParameterTab(TWinControl& sheet)
{
    struct TBoxPlace {
        TParameterBox Box;
        const char* Name;
        const char* Label;
    };
    // Two rows of three, in the order the labels read.
    const TBoxPlace places[] = {
        {TParameterBox::FrameSize, "skSkinComboBox1", "视频分辨率："},
        {TParameterBox::VideoBitrate, "skSkinComboBox2", "视频比特率："},
        {TParameterBox::FrameRate, "skSkinComboBox9", "视频帧率："},
        {TParameterBox::AudioBitrate, "skSkinComboBox3", "音频比特率："},
        {TParameterBox::SampleRate, "skSkinComboBox10", "音频采样率："},
        {TParameterBox::Aspect, "skSkinComboBox4", "视频缩放："},
    };
    for (int i = 0; i < 6; ++i) {
        const TBoxPlace& place = places[i];
        const int left = 8 + (i % 3) * 172, top = 6 + (i / 3) * 48;
        AddLabel(this, sheet, skSkinData1, place.Label, Point(left, top));
        auto* box = Placed<TskSkinComboBox>(this, sheet, Bounds(left, top + 18, 160, 22), place.Name);
        box->SetStyle(skcbFixedStyle);
        box->SetSkinData(skSkinData1);
        const TParameterBox which = place.Box;
        box->OnChange = [this, which](TObject*) { ParameterBoxChanged(which); };
        boxes_[BoxIndex(which)] = box;
    }
}

void TMainForm::BuildPreviewPanel()
{
    skSkinPanelPreview = Placed<TskSkinGroupBox>(
        this, *this, Rect(kMargin + kLeftWidth + kMargin, kListTop, kClientWidth - kMargin, kClientHeight - 5),
        "skSkinPanelPreview");
    skSkinPanelPreview->SetCaption("视频预览");
    skSkinPanelPreview->SetSkinData(skSkinData1);
    BuildPreviewControls();
}

void TMainForm::FocusFileList()
{
    if (lvFiles->CanFocus())
        lvFiles->SetFocus();
}

} // namespace tovrel
