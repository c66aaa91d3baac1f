#include "DemoForm.h"

#include "DemoControls.h"
#include "DemoLayout.h"

#include "platform/ctrls/ComboBox.h"
#include "platform/ctrls/Edit.h"
#include "platform/vcl/Application.h"

#include <string>

namespace tovrel::demo {

namespace {

template <class T> T* Add(TForm& form, TWinControl* parent, TAlign align, TRect bounds)
{
    auto* control = new T(&form);
    control->SetParent(parent);
    control->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
    control->SetAlign(align);
    return control;
}

TColourPanel* Panel(TForm& form, TAlign align, TRect bounds, COLORREF colour, const std::string& caption)
{
    auto* panel = Add<TColourPanel>(form, &form, align, bounds);
    panel->SetColor(TColor(colour));
    panel->SetCaption(caption);
    panel->Font()->SetColor(clWhite);
    return panel;
}

TMenuItem* MenuItem(TForm& form, TMenuItem* parent, const std::string& caption, TNotifyEvent onClick = {})
{
    auto* item = new TMenuItem(&form);
    item->SetCaption(caption);
    item->OnClick = std::move(onClick);
    parent->Add(item);
    return item;
}

void BuildMenu(TForm& form, TColourPanel* status)
{
    auto* menu = new TMainMenu(&form);
    auto report = [status](const std::string& text) {
        return [status, text](TObject*) {
            status->SetCaption(text);
            status->Invalidate();
        };
    };
    TMenuItem* file = MenuItem(form, menu->Items(), "文件(&F)");
    MenuItem(form, file, "打开(&O)...", report("已选：打开"))->SetShortCut(ShortCut('O', {ssCtrl}));
    MenuItem(form, file, "-");
    MenuItem(form, file, "退出(&X)", [&form](TObject*) { form.Close(); });
    TMenuItem* help = MenuItem(form, menu->Items(), "帮助(&H)");
    MenuItem(form, help, "关于(&A)", report("Tovrel 组件演示：窗体、对齐面板与主菜单"));
    form.SetMenu(menu);
}

void FillClientPanel(TForm& form, TColourPanel* client)
{
    client->Font()->SetColor(clBlack);
    auto* nameLabel = Add<TCaptionLabel>(form, client, alNone, Bounds(14, 36, 70, 22));
    nameLabel->SetCaption("文件名：");
    auto* name = Add<TEdit>(form, client, alNone, kEditBounds);
    name->SetText("holiday.avi");
    auto* formatLabel = Add<TCaptionLabel>(form, client, alNone, Bounds(14, 72, 70, 22));
    formatLabel->SetCaption("格式：");
    auto* format = Add<TComboBox>(form, client, alNone, Bounds(90, 72, 150, 22));
    format->SetStyle(csDropDownList);
    for (const char* s : {"MP4", "AVI", "MKV", "FLV"})
        format->Items()->Add(s);
    format->SetItemIndex(0);
    auto* swatch = Add<TSwatch>(form, client, alNone, kSwatchBounds);
    swatch->SetColor(TColor(kSwatchColour));
}

} // namespace

std::unique_ptr<TForm> BuildDemoForm()
{
    auto form = std::make_unique<TForm>(nullptr);
    form->BeginLoading();
    form->SetCaption("Tovrel 组件演示");
    form->SetBounds(kFormPos.X, kFormPos.Y, kClientWidth, kClientHeight);
    Panel(*form, alTop, Bounds(0, 0, 10, kTopPanelHeight), kTopPanelColour, "顶部面板 (alTop)");
    auto* status = Panel(*form, alBottom, Bounds(0, 0, 10, kStatusHeight), kStatusColour, "状态：就绪");
    Panel(*form, alLeft, Bounds(0, 0, kLeftPanelWidth, 10), kLeftPanelColour, "左侧面板 (alLeft)");
    auto* client = Panel(*form, alClient, Bounds(0, 0, 10, 10), kClientPanelColour, "客户区面板 (alClient)");
    FillClientPanel(*form, client);
    BuildMenu(*form, status);
    form->EndLoading();
    form->SetClientSize(kClientWidth, kClientHeight);
    return form;
}

} // namespace tovrel::demo
