#include "app/format/OutputFormatForm.h"

#include "app/format/FormatDialogPictures.h"
#include "app/format/OutputFormatHost.h"
#include "platform/ctrls/Button.h"
#include "platform/ctrls/Image.h"
#include "platform/ctrls/Panel.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/ImageList.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinComboBox.h"
#include "skin/controls/SkinOfficeComboBox.h"
#include "skin/controls/SkinPageControl.h"
#include "skin/controls/SkinPanel.h"
#include "skin/controls/SkinTextLabel.h"
#include "skin/forms/SkinForm.h"

#include <array>

namespace tovrel {

namespace {

constexpr int kClientWidth = 958, kClientHeight = 474;

// A control owned by the form, placed on `parent` at left, top with its size.
template <class T>
T* Placed(TForm& form, TWinControl& parent, const char* name, int left, int top, int width, int height)
{
    auto* control = new T(&form);
    control->SetName(name);
    control->SetParent(&parent);
    control->SetBounds(left, top, width, height);
    return control;
}

// A label of the given width, or as wide as its text for width 0.
TskSkinTextLabel* AddLabel(TForm& form, TWinControl& parent, const char* name, int left, int top, int width,
                           const char* text, TskSkinData* skin)
{
    auto* label = Placed<TskSkinTextLabel>(form, parent, name, left, top, width, 13);
    label->SetAutoSize(width == 0);
    label->Lines()->SetText(text);
    label->SetSkinData(skin);
    return label;
}

TskSkinButton* AddSkinButton(TForm& form, TWinControl& parent, const char* name, int left, int top, int width,
                             int height, const char* caption, TskSkinData* skin)
{
    auto* button = Placed<TskSkinButton>(form, parent, name, left, top, width, height);
    button->SetCaption(caption);
    button->SetSkinData(skin);
    return button;
}

TButton* AddStepButton(TForm& form, TPanel& panel, const char* name, int left, int top, int width, const char* caption)
{
    auto* button = Placed<TButton>(form, panel, name, left, top, width, 25);
    button->SetCaption(caption);
    return button;
}

// The category box's items, fixed in the form: caption and picture i.
constexpr std::array<const char*, 12> CategoryCaptions = {"常用视频",   "常用音频", "HD视频",  "iPod视频",
                                                          "iPhone视频", "PSP视频",  "3GP视频", "APPLE视频",
                                                          "XboX视频",   "PMP视频",  "MP4视频", "Flash视频"};

// One parameter box on the first tab: its member, where it and its label stand.
struct TParameterBoxPlace {
    TParameterBox Box;
    TskSkinComboBox* TForm6::*Member;
    const char* Name;
    int Left, Top, Width;
    TskSkinTextLabel* TForm6::*LabelMember;
    const char* LabelName;
    int LabelLeft, LabelTop;
    const char* LabelText;
};

constexpr std::array<TParameterBoxPlace, ParameterBoxCount> ParameterBoxPlaces = {{
    {TParameterBox::FrameSize, &TForm6::skSkinComboBox1, "skSkinComboBox1", 16, 43, 289, &TForm6::skSkinTextLabel3,
     "skSkinTextLabel3", 19, 24, "视频分辨率："},
    {TParameterBox::VideoBitrate, &TForm6::skSkinComboBox2, "skSkinComboBox2", 342, 43, 251, &TForm6::skSkinTextLabel2,
     "skSkinTextLabel2", 342, 24, "视频比特率："},
    {TParameterBox::FrameRate, &TForm6::skSkinComboBox9, "skSkinComboBox9", 14, 88, 291, &TForm6::skSkinTextLabel6,
     "skSkinTextLabel6", 16, 69, "视频帧率："},
    {TParameterBox::Aspect, &TForm6::skSkinComboBox4, "skSkinComboBox4", 342, 88, 251, &TForm6::skSkinTextLabel9,
     "skSkinTextLabel9", 342, 69, "视频缩放："},
    {TParameterBox::AudioBitrate, &TForm6::skSkinComboBox3, "skSkinComboBox3", 16, 133, 289, &TForm6::skSkinTextLabel4,
     "skSkinTextLabel4", 16, 114, "音频比特率："},
    {TParameterBox::SampleRate, &TForm6::skSkinComboBox10, "skSkinComboBox10", 342, 133, 251, &TForm6::skSkinTextLabel7,
     "skSkinTextLabel7", 342, 114, "音频采样率："},
}};

constexpr int kFitText = 0;

} // namespace

TForm6::TForm6(TComponent* owner, IOutputFormatHost& host) : TForm(owner), FHost(host)
{
    BeginLoading();
    SetName("Form6");
    SetCaption("设置选项");
    SetBorderStyle(bsSingle);
    BorderIcons = {};
    Position = poMainFormCenter;
    Font()->SetName("Tahoma");
    Font()->SetHeight(-11);
    BuildFrame();
    // After the frame has its skin, which decides the borders around the client.
    SetClientSize(kClientWidth, kClientHeight);
    BuildFormatPanel();
    BuildParameterPages();
    BuildStepPanel();
    EndLoading();
    WireHandlers();
}

void TForm6::BuildFrame()
{
    skSkinForm1 = new TskSkinForm(this);
    skSkinForm1->SetName("skSkinForm1");
    skSkinForm1->SetBorderIcons(
        {TskBorderIcon::biSystemMenu, TskBorderIcon::biMinimize, TskBorderIcon::biMaximize, TskBorderIcon::biRollUp});
    skSkinForm1->DefCaptionFont->SetName("Arial");
    skSkinForm1->DefCaptionFont->SetHeight(14);
    skSkinForm1->DefCaptionFont->SetStyle({fsBold});
    skSkinForm1->SetSkinData(FHost.SkinData());

    ImageList1 = new TImageList(this);
    ImageList1->SetName("ImageList1");
    ImageList1->SetSize(32, 32);
    AddCategoryPictures(*ImageList1);
    ImageList2 = new TImageList(this);
    ImageList2->SetName("ImageList2");
    ImageList2->SetSize(32, 32);
}

void TForm6::BuildFormatPanel()
{
    TskSkinData* skin = FHost.SkinData();
    skSkinPanel2 = Placed<TskSkinPanel>(*this, *this, "skSkinPanel2", 39, 36, 625, 109);
    skSkinPanel2->SetBorderStyle(TskSkinBorderStyle::bvFrame);
    skSkinPanel2->SetCaptionMode(false);
    skSkinPanel2->SetSkinData(skin);
    skSkinTextLabel5 = AddLabel(*this, *skSkinPanel2, "skSkinTextLabel5", 17, 48, 60, "输出格式：", skin);

    auto* categories = Placed<TskSkinOfficeComboBox>(*this, *skSkinPanel2, "skSkinOfficeComboBox2", 83, 33, 126, 51);
    skSkinOfficeComboBox2 = categories;
    categories->ListBoxWidth = 119;
    categories->SetListBoxItemHeight(50);
    categories->SetDropDownCount(4);
    categories->SetListBoxSkinDataName("resizetoolpanel");
    categories->SetListBoxShowItemTitles(false);
    categories->SetListBoxShowLines(false);
    categories->DefaultFont()->SetName("宋体");
    categories->DefaultFont()->SetHeight(-12);
    categories->UseSkinFont = false;
    categories->SetListBoxUseSkinFont(false);
    categories->SetImages(ImageList1);
    for (std::size_t i = 0; i < CategoryCaptions.size(); ++i) {
        TskSkinOfficeItem* item = categories->Items()->Add();
        item->SetCaption(CategoryCaptions[i]);
        item->SetImageIndex(int(i));
    }
    categories->SetItemIndex(0);
    categories->SetSkinData(skin);

    auto* formats = Placed<TskSkinOfficeComboBox>(*this, *skSkinPanel2, "skSkinOfficeComboBox1", 215, 33, 400, 51);
    skSkinOfficeComboBox1 = formats;
    formats->SetShowItemTitle(true);
    formats->SetShowItemImage(true);
    formats->SetShowItemText(true);
    formats->SetListBoxItemHeight(60);
    formats->SetListBoxHeaderHeight(20);
    formats->SetDropDownCount(4);
    formats->SetListBoxShowItemTitles(true);
    formats->SetListBoxShowLines(true);
    formats->SetListBoxSkinDataName("listbox");
    formats->AlphaBlend = false;
    // The placeholder the stored form carries until the catalogue fills the box.
    TskSkinOfficeItem* placeholder = formats->Items()->Add();
    placeholder->SetTitle("dfdfs");
    placeholder->SetCaption("fddf");
    formats->SetItemIndex(0);
    formats->SetSkinData(skin);

    skSkinButton1 = AddSkinButton(*this, *skSkinPanel2, "skSkinButton1", 621, 139, 75, 25, "设置", skin);
    skSkinButton1->SetSkinDataName("resizebutton");
    skSkinButton1->SetVisible(false);
}

void TForm6::BuildParameterPages()
{
    TskSkinData* skin = FHost.SkinData();
    skSkinPageControl1 = Placed<TskSkinPageControl>(*this, *this, "skSkinPageControl1", 39, 171, 625, 222);
    skSkinPageControl1->SetTabHeight(20);
    const auto addSheet = [this](const char* name, const char* caption) {
        auto* sheet = new TskSkinTabSheet(this);
        sheet->SetName(name);
        sheet->SetPageControl(skSkinPageControl1);
        sheet->SetCaption(caption);
        return sheet;
    };
    skSkinTabSheet1 = addSheet("skSkinTabSheet1", "标准参数设置");
    skSkinTabSheet2 = addSheet("skSkinTabSheet2", "剪辑设置");
    skSkinTabSheetFilters = addSheet("skSkinTabSheetFilters", "滤镜设置");
    skSkinTabSheet3 = addSheet("skSkinTabSheet3", "文字水印");
    skSkinPageControl1->SetActivePageIndex(0);
    skSkinPageControl1->SetSkinData(skin);
    BuildParameterBoxes(*skSkinTabSheet1);
}

void TForm6::BuildParameterBoxes(TskSkinTabSheet& sheet)
{
    TskSkinData* skin = FHost.SkinData();
    for (const TParameterBoxPlace& place : ParameterBoxPlaces) {
        this->*place.LabelMember =
            AddLabel(*this, sheet, place.LabelName, place.LabelLeft, place.LabelTop, kFitText, place.LabelText, skin);
        auto* box = Placed<TskSkinComboBox>(*this, sheet, place.Name, place.Left, place.Top, place.Width, 20);
        box->SetSkinData(skin);
        this->*place.Member = box;
    }
}

void TForm6::BuildStepPanel()
{
    Panel1 = Placed<TPanel>(*this, *this, "Panel1", 690, 161, 305, 305);
    Panel1->SetCaption("Panel1");
    Button6 = AddStepButton(*this, *Panel1, "Button6", 32, 47, 75, "初始化数据");
    Button5 = AddStepButton(*this, *Panel1, "Button5", 113, 47, 126, "根据combox添加数据");
    Button7 = AddStepButton(*this, *Panel1, "Button7", 230, 47, 75, "确认oo数据");
    Button2 = AddStepButton(*this, *Panel1, "Button2", 32, 78, 104, "添加combox");
    Button11 = AddStepButton(*this, *Panel1, "Button11", 151, 78, 95, "onchange用");
    Button13 = AddStepButton(*this, *Panel1, "Button13", 32, 109, 113, "确认预置选项数据");
    Button18 = AddStepButton(*this, *Panel1, "Button18", 42, 163, 143, "根据combox添加预设选项");
    Image1 = Placed<TImage>(*this, *Panel1, "Image1", 46, 158, 171, 103);
    DrawDialogPicture(*Image1->Picture(), 171, 103);

    TskSkinData* skin = FHost.SkinData();
    skSkinButton2 = AddSkinButton(*this, *this, "skSkinButton2", 480, 416, 69, 25, "确定", skin);
    skSkinButton3 = AddSkinButton(*this, *this, "skSkinButton3", 594, 416, 69, 25, "取消", skin);
}

void TForm6::WireHandlers()
{
    OnCreate = [this](TObject* sender) { FormCreate(sender); };
    skSkinOfficeComboBox2->OnChange = [this](TObject* sender) { skSkinOfficeComboBox2Change(sender); };
    skSkinOfficeComboBox1->OnClick = [this](TObject* sender) { skSkinOfficeComboBox1Click(sender); };
    skSkinButton2->OnClick = [this](TObject* sender) { skSkinButton2Click(sender); };
    skSkinButton3->OnClick = [this](TObject* sender) { skSkinButton3Click(sender); };
    Button6->OnClick = [this](TObject* sender) { Button6Click(sender); };
    Button5->OnClick = [this](TObject* sender) { Button5Click(sender); };
    Button2->OnClick = [this](TObject* sender) { Button2Click(sender); };
    Button13->OnClick = [this](TObject* sender) { Button13Click(sender); };
    Button18->OnClick = [this](TObject* sender) { Button18Click(sender); };
}

TskSkinComboBox* TForm6::ParameterBox(TParameterBox box) const
{
    for (const TParameterBoxPlace& place : ParameterBoxPlaces)
        if (place.Box == box)
            return this->*place.Member;
    return nullptr;
}

TForm6* CreateOutputFormatForm(IOutputFormatHost& host)
{
    auto* form = new TForm6(Application, host);
    form->DoCreate();
    return form;
}

} // namespace tovrel
