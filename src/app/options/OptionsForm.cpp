#include "app/options/OptionsForm.h"

#include "app/options/OptionIni.h"
#include "app/options/PlacedControl.h"
#include "app/options/SkinnedDialog.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinCheckRadioBox.h"
#include "skin/controls/SkinComboBox.h"
#include "skin/controls/SkinPageControl.h"
#include "skin/controls/SkinPanel.h"
#include "skin/controls/SkinStdLabel.h"
#include "skin/forms/SkinForm.h"

#include <array>
#include <string>

namespace tovrel {

namespace {

constexpr std::string_view kSection = "Options";
constexpr int kClientWidth = 420, kClientHeight = 300;

TskSkinGroupBox* AddGroup(TComponent* owner, TWinControl& parent, TskSkinData* skin, const std::string& caption,
                          TRect bounds)
{
    auto* group = Placed<TskSkinGroupBox>(owner, parent, bounds);
    group->SetCaption(caption);
    group->SetSkinData(skin);
    return group;
}

// The stored digit of a choice among `count`, or -1 for anything else.
int StoredChoice(const std::string& value, int count)
{
    if (value.size() == 1 && value[0] >= '0' && value[0] < '0' + count)
        return value[0] - '0';
    return -1;
}

// Reads a choice of `count` values; an empty, "Error" or unknown value is
// repaired with the default.
int ReadChoice(TOptionIni& ini, std::string_view key, int count, int defaultValue)
{
    const int choice = StoredChoice(ini.Read(kSection, key), count);
    if (choice >= 0)
        return choice;
    ini.Write(kSection, key, std::to_string(defaultValue));
    return defaultValue;
}

int ReadThreadCount(const TOptionIni& ini)
{
    const std::string value = ini.Read(kSection, "Thread_Count");
    if (value.empty() || value.size() > 2 || value.find_first_not_of("0123456789") != std::string::npos)
        return 1;
    const int count = std::stoi(value);
    return count >= 1 && count <= MaxThreadCount ? count : 1;
}

template <std::size_t N> int CheckedOf(const std::array<TskSkinCheckRadioBox*, N>& boxes)
{
    for (std::size_t i = 0; i < N; ++i)
        if (boxes[i]->Checked())
            return int(i);
    return -1;
}

} // namespace

TOptionsForm::TOptionsForm(TComponent* owner, TskSkinData* skin) : TForm(owner)
{
    frame_ = BeginSkinnedDialog(*this, "Form5", "选项", kClientWidth, kClientHeight, skin);

    pages_ = Placed<TskSkinPageControl>(this, *this, Rect(8, 8, kClientWidth - 8, 250));
    for (const char* caption : {"CPU设置", "常规设置"}) {
        auto* sheet = new TskSkinTabSheet(this);
        sheet->SetPageControl(pages_);
        sheet->SetCaption(caption);
    }
    pages_->SetSkinData(skin);
    BuildCpuTab(*pages_->Pages(0), skin);
    BuildGeneralTab(*pages_->Pages(1), skin);
    pages_->SetActivePageIndex(0);

    skSkinButton6 = Placed<TskSkinButton>(this, *this, Rect(230, 262, 310, 288));
    skSkinButton6->SetName("skSkinButton6");
    skSkinButton6->SetCaption("确定");
    skSkinButton6->SetDefault(true);
    skSkinButton6->SetSkinData(skin);
    skSkinButton6->OnClick = [this](TObject*) {
        if (executingIni_)
            lastWriteSucceeded_ = WriteOptions(*executingIni_);
        SetModalResult(mrOk);
    };
    skSkinButton1 = Placed<TskSkinButton>(this, *this, Rect(320, 262, 400, 288));
    skSkinButton1->SetName("skSkinButton1");
    skSkinButton1->SetCaption("取消");
    skSkinButton1->SetSkinData(skin);
    skSkinButton1->OnClick = [this](TObject*) { SetModalResult(mrCancel); };
    EndLoading();
}

TskSkinCheckRadioBox* TOptionsForm::AddBox(TWinControl& parent, TskSkinData* skin, const char* name,
                                           const std::string& caption, TRect bounds, bool radio)
{
    auto* box = Placed<TskSkinCheckRadioBox>(this, parent, bounds);
    box->SetName(name);
    box->SetRadio(radio);
    if (radio) {
        box->SetSkinDataName("radiobox");
        box->GroupIndex = 1;
    }
    box->SetCaption(caption);
    box->SetSkinData(skin);
    return box;
}

void TOptionsForm::BuildCpuTab(TWinControl& sheet, TskSkinData* skin)
{
    auto* cpu = AddGroup(this, sheet, skin, "转换时CPU利用方式", Rect(8, 8, 396, 96));
    skSkinCheckRadioBox9 = AddBox(*cpu, skin, "skSkinCheckRadioBox9", "系统空闲时进行", Rect(12, 28, 190, 50), true);
    skSkinCheckRadioBox10 = AddBox(*cpu, skin, "skSkinCheckRadioBox10", "最低优先级进行", Rect(200, 28, 380, 50), true);
    skSkinCheckRadioBox11 = AddBox(*cpu, skin, "skSkinCheckRadioBox11", "较低优先级进行", Rect(12, 56, 190, 78), true);
    skSkinCheckRadioBox12 = AddBox(*cpu, skin, "skSkinCheckRadioBox12", "正常优先级进行", Rect(200, 56, 380, 78), true);
    skSkinCheckRadioBox12->SetChecked(true);

    auto* run = AddGroup(this, sheet, skin, "转换参数", Rect(8, 104, 396, 208));
    auto* label = Placed<TskSkinStdLabel>(this, *run, Rect(12, 28, 380, 46));
    label->SetCaption("程序最大运行线程数--（同时进行转换的文件个数）");
    label->SetSkinData(skin);
    skSkinComboBox2 = Placed<TskSkinComboBox>(this, *run, Rect(12, 50, 112, 70));
    skSkinComboBox2->SetName("skSkinComboBox2");
    for (int i = 1; i <= MaxThreadCount; ++i)
        skSkinComboBox2->Items()->Add(std::to_string(i));
    skSkinComboBox2->SetItemIndex(0);
    skSkinComboBox2->SetSkinData(skin);
    skSkinCheckRadioBox8 =
        AddBox(*run, skin, "skSkinCheckRadioBox8", "转换时进行实时视频预览", Rect(12, 76, 380, 98), false);
    skSkinCheckRadioBox8->OnClick = [this](TObject*) {
        if (OnPreviewChanged)
            OnPreviewChanged(skSkinCheckRadioBox8->Checked());
    };
    // Always checked: several files convert at once.
    skSkinCheckRadioBox7 = AddBox(*run, skin, "skSkinCheckRadioBox7", "启用多线程模式   （同时进行转换的视频个数）",
                                  Rect(120, 50, 380, 70), false);
    skSkinCheckRadioBox7->SetChecked(true);
    skSkinCheckRadioBox7->SetVisible(false);
    skSkinCheckRadioBox7->OnClick = [this](TObject*) { skSkinComboBox2->SetEnabled(skSkinCheckRadioBox7->Checked()); };
}

void TOptionsForm::BuildGeneralTab(TWinControl& sheet, TskSkinData* skin)
{
    auto* done = AddGroup(this, sheet, skin, "转换工作完成后", Rect(8, 8, 396, 96));
    skSkinCheckRadioBox1 =
        AddBox(*done, skin, "skSkinCheckRadioBox1", "自动打开输出文件夹", Rect(12, 28, 190, 50), true);
    skSkinCheckRadioBox2 = AddBox(*done, skin, "skSkinCheckRadioBox2", "自动关闭计算机", Rect(200, 28, 380, 50), true);
    skSkinCheckRadioBox4 = AddBox(*done, skin, "skSkinCheckRadioBox4", " 播放提示音乐", Rect(12, 56, 190, 78), true);
    skSkinCheckRadioBox5 = AddBox(*done, skin, "skSkinCheckRadioBox5", "不进行任何操作", Rect(200, 56, 380, 78), true);
    skSkinCheckRadioBox1->SetChecked(true);

    auto* exists = AddGroup(this, sheet, skin, "如果输出文件存在时", Rect(8, 104, 396, 164));
    skSkinCheckRadioBox3 =
        AddBox(*exists, skin, "skSkinCheckRadioBox3", "直接覆盖输出文件", Rect(12, 28, 190, 50), true);
    skSkinCheckRadioBox6 =
        AddBox(*exists, skin, "skSkinCheckRadioBox6", "自动重命名输出文件", Rect(200, 28, 380, 50), true);
    skSkinCheckRadioBox6->SetChecked(true);
}

TConversionOptions TOptionsForm::Options() const
{
    TConversionOptions options;
    options.AfterDone =
        CheckedOf(std::array{skSkinCheckRadioBox1, skSkinCheckRadioBox2, skSkinCheckRadioBox4, skSkinCheckRadioBox5});
    options.ThreadPriority = CheckedOf(
        std::array{skSkinCheckRadioBox9, skSkinCheckRadioBox10, skSkinCheckRadioBox11, skSkinCheckRadioBox12});
    options.OverwriteFile = skSkinCheckRadioBox3->Checked();
    options.ShowPreview = skSkinCheckRadioBox8->Checked();
    options.ThreadCount = skSkinComboBox2->ItemIndex() + 1;
    return options;
}

void TOptionsForm::SetOptions(const TConversionOptions& options)
{
    const std::array afterDone{skSkinCheckRadioBox1, skSkinCheckRadioBox2, skSkinCheckRadioBox4, skSkinCheckRadioBox5};
    const std::array priority{skSkinCheckRadioBox9, skSkinCheckRadioBox10, skSkinCheckRadioBox11,
                              skSkinCheckRadioBox12};
    afterDone.at(std::size_t(options.AfterDone))->SetChecked(true);
    priority.at(std::size_t(options.ThreadPriority))->SetChecked(true);
    (options.OverwriteFile ? skSkinCheckRadioBox3 : skSkinCheckRadioBox6)->SetChecked(true);
    skSkinCheckRadioBox8->SetChecked(options.ShowPreview);
    SetThreadCount(options.ThreadCount);
}

void TOptionsForm::SetThreadCount(int count)
{
    skSkinComboBox2->SetItemIndex(count >= 1 && count <= MaxThreadCount ? count - 1 : 0);
}

void TOptionsForm::ReadOptions(TOptionIni& ini)
{
    TConversionOptions options;
    options.AfterDone = ReadChoice(ini, "After_Done", 4, 0);
    options.ThreadPriority = ReadChoice(ini, "Thread_Priority", 4, 3);
    options.OverwriteFile = ReadChoice(ini, "Overwrite_File", 2, 1) == 0;
    options.ShowPreview = ReadChoice(ini, "Show_Preview", 2, 0) == 1;
    options.ThreadCount = ReadThreadCount(ini);
    SetOptions(options);
}

bool TOptionsForm::WriteOptions(TOptionIni& ini) const
{
    const TConversionOptions options = Options();
    bool written = true;
    const auto write = [&](std::string_view key, const std::string& value) {
        written = ini.Write(kSection, key, value) && written;
    };
    if (skSkinCheckRadioBox7->Checked())
        write("Thread_Count", skSkinComboBox2->Text());
    if (options.AfterDone >= 0)
        write("After_Done", std::to_string(options.AfterDone));
    write("Show_Preview", options.ShowPreview ? "1" : "0");
    if (options.ThreadPriority >= 0)
        write("Thread_Priority", std::to_string(options.ThreadPriority));
    write("Overwrite_File", options.OverwriteFile ? "0" : "1");
    return written;
}

TModalResult TOptionsForm::Execute(TOptionIni& ini)
{
    const TConversionOptions before = Options();
    executingIni_ = &ini;
    TModalResult result = mrCancel;
    try {
        result = ShowModal();
    } catch (...) {
        executingIni_ = nullptr;
        throw;
    }
    executingIni_ = nullptr;
    if (result != mrOk && Options() != before)
        SetOptions(before);
    return result;
}

} // namespace tovrel
