#include "ContactSheet.h"

#include <memory>

#include "platform/vcl/Bitmap.h"
#include "platform/vcl/Canvas.h"
#include "platform/vcl/GraphicsObjects.h"
#include "skin/data/SkinButtonEntries.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinEditEntries.h"
#include "skin/data/SkinFrameEntries.h"
#include "skin/data/SkinGeometry.h"
#include "skin/data/SkinMenuEntries.h"
#include "skin/data/SkinPanelEntries.h"
#include "skin/data/SkinScrollEntries.h"
#include "skin/data/SkinViewEntries.h"
#include "skin/draw/SkinImageBuilders.h"

namespace tovrel {
namespace {

constexpr int kSheetWidth = 720, kSheetHeight = 560;

class TSheet {
public:
    explicit TSheet(TskSkinData& data) : data_(data), sheet_(kSheetWidth, kSheetHeight, TPixelFormat::pf32bit)
    {
        TCanvas& c = *sheet_.Canvas();
        c.Brush()->SetColor(data.SkinColors.cBtnFace());
        c.FillRect(TRect{0, 0, kSheetWidth, kSheetHeight});
    }

    // The entry's state image at w x h, placed at (x, y).
    void Pieced(std::string_view name, TRect state, int x, int y, int w, int h)
    {
        const auto* e = Custom(name);
        TBitmap* picture = e ? data_.ActivePicture(e->PictureIndex) : nullptr;
        if (!picture || IsNullRect(state))
            return;
        TBitmap b;
        const int sw = GetRectWidth(e->SkinRect), sh = GetRectHeight(e->SkinRect);
        if (e->RBPoint.X != 0 && e->RBPoint.Y != 0) {
            const TskSkinCorners skin{e->LTPoint, e->RTPoint, e->LBPoint, e->RBPoint, e->ClRect};
            const TskStretchFlags flags{e->LeftStretch,   e->TopStretch,    e->RightStretch,
                                        e->BottomStretch, e->StretchEffect, e->StretchType};
            CreateSkinImage(skin, NewSkinCorners(skin, TSize{sw, sh}, TSize{w, h}), b, *picture, state, w, h, true,
                            flags);
        } else if (e->RTPoint.X != 0 || e->RTPoint.Y != 0) {
            CreateHSkinImage(e->LTPoint.X, sw - e->RTPoint.X, b, *picture, state, w, e->StretchEffect);
        } else if (e->LBPoint.X != 0 || e->LBPoint.Y != 0) {
            CreateVSkinImage(e->LTPoint.Y, sh - e->LBPoint.Y, b, *picture, state, h, e->StretchEffect);
        } else {
            Copy(*picture, state, x, y);
            return;
        }
        sheet_.Canvas()->Draw(x, y, &b);
    }

    void Copy(TBitmap& picture, const TRect& r, int x, int y)
    {
        if (IsNullRect(r))
            return;
        sheet_.Canvas()->CopyRect(TRect{x, y, x + GetRectWidth(r), y + GetRectHeight(r)}, picture.Canvas(), r);
    }

    void Text(int x, int y, std::string_view text, TColor color, int height, bool bold = false)
    {
        TCanvas& c = *sheet_.Canvas();
        c.Brush()->SetStyle(bsClear);
        c.Font()->SetName(fontName_);
        c.Font()->SetHeight(height);
        c.Font()->SetColor(color);
        c.Font()->SetStyle(bold ? TFontStyles{fsBold} : TFontStyles{});
        c.TextOut(x, y, text);
        c.Brush()->SetStyle(bsSolid);
    }

    void SetFontName(std::string name) { fontName_ = std::move(name); }

    const TskDataSkinCustomControl* Custom(std::string_view name) const
    {
        const int i = data_.GetControlIndex(name);
        return i < 0 ? nullptr : dynamic_cast<const TskDataSkinCustomControl*>(data_.CtrlList[std::size_t(i)].get());
    }
    template <class Entry> const Entry* Control(std::string_view name) const
    {
        const int i = data_.GetControlIndex(name);
        return i < 0 ? nullptr : dynamic_cast<const Entry*>(data_.CtrlList[std::size_t(i)].get());
    }
    template <class Entry> const Entry* Object(std::string_view name) const
    {
        const int i = data_.GetIndex(name);
        return i < 0 ? nullptr : dynamic_cast<const Entry*>(data_.ObjectList[std::size_t(i)].get());
    }

    TskSkinData& Data() { return data_; }
    TSurface Result() const { return *sheet_.Surface(); }

private:
    TskSkinData& data_;
    TBitmap sheet_;
    std::string fontName_ = "Arial";
};

void DrawFrame(TSheet& s, int x, int y, int w, int h)
{
    TskSkinData& d = s.Data();
    if (!d.FPicture || d.FPicture->Empty())
        return;
    const TskFormInfo& f = d.FormInfo;
    const int pw = d.FPicture->Width(), ph = d.FPicture->Height();
    const TskSkinCorners skin{f.LTPoint, f.RTPoint, f.LBPoint, f.RBPoint, f.ClRect};
    const TskStretchFlags flags{f.LeftStretch, f.TopStretch, f.RightStretch, f.BottomStretch, false, f.StretchType};
    TBitmap frame;
    CreateSkinImage(skin, NewSkinCorners(skin, TSize{pw, ph}, TSize{w, h}), frame, *d.FPicture, TRect{0, 0, pw, ph}, w,
                    h, true, flags);
    s.Copy(frame, TRect{0, 0, w, h}, x, y);
    // Caption buttons keep their distance from the right edge.
    for (const char* name : {"closebutton", "maxbutton", "minbutton"}) {
        const auto* b = s.Object<TskDataSkinStdButton>(name);
        TBitmap* active = d.ActivePicture(b ? b->ActivePictureIndex : -1);
        if (!b || !active)
            continue;
        const int left = x + w - (pw - b->SkinRect.Left);
        s.Copy(*active, b->SkinRect, left, y + b->SkinRect.Top);
        if (std::string_view(name) == "closebutton")
            s.Copy(*active, b->ActiveSkinRect, left, y + h + 4);
    }
    if (const auto* c = s.Object<TskDataSkinCaption>("caption"))
        s.Text(x + c->TextRct.Left, y + (c->TextRct.Top + c->TextRct.Bottom) / 2 - 8, "TovrelMP4格式转换器",
               c->ActiveFontColor, c->FontHeight, true);
}

void DrawButtons(TSheet& s, int x, int y)
{
    const auto* b = s.Control<TskDataSkinButtonControl>("button");
    if (!b)
        return;
    const TRect states[] = {b->SkinRect, b->ActiveSkinRect, b->DownSkinRect, b->DisabledSkinRect, b->FocusedSkinRect};
    const TColor fonts[] = {b->FontColor, b->ActiveFontColor, b->DownFontColor, b->DisabledFontColor, b->FontColor};
    const char* labels[] = {"确定", "开始", "停止", "删除", "浏览"};
    for (int i = 0; i < 5; ++i) {
        s.Pieced("button", states[i], x + i * 96, y, 88, 25);
        s.Text(x + i * 96 + 30, y + 5, labels[i], fonts[i], b->FontHeight);
        s.Pieced("button", states[i], x + i * 96, y + 32, 60, 40);
    }
    for (const char* name : {"resizetoolbutton", "toolbutton", "resizebutton", "combobutton", "editbutton"}) {
        const auto* t = s.Control<TskDataSkinButtonControl>(name);
        if (!t)
            continue;
        const TRect tstates[] = {t->SkinRect, t->ActiveSkinRect, t->DownSkinRect, t->DisabledSkinRect};
        for (int i = 0; i < 4; ++i)
            s.Pieced(name, tstates[i], x + i * 50, y + 80, 44, GetRectHeight(t->SkinRect));
        y += 30;
    }
}

void DrawFields(TSheet& s, int x, int y)
{
    if (const auto* e = s.Control<TskDataSkinEditControl>("edit")) {
        s.Pieced("edit", e->SkinRect, x, y, 180, 21);
        s.Text(x + 5, y + 3, "输出文件夹", e->FontColor, e->FontHeight);
        s.Pieced("edit", e->ActiveSkinRect, x + 190, y, 120, 21);
    }
    if (const auto* c = s.Control<TskDataSkinComboBox>("combobox")) {
        s.Pieced("combobox", c->SkinRect, x, y + 28, 180, 20);
        s.Text(x + 5, y + 31, "视频分辨率", c->FontColor, c->FontHeight);
        s.Pieced("combobox", c->ActiveSkinRect, x + 190, y + 28, 120, 20);
    }
    if (const auto* l = s.Control<TskDataSkinListBox>("listbox")) {
        s.Pieced("listbox", l->SkinRect, x, y + 56, 180, 90);
        TBitmap* picture = s.Data().ActivePicture(l->PictureIndex);
        if (picture) {
            const TRect items[] = {l->SItemRect, l->ActiveItemRect, l->FocusItemRect};
            const TColor fonts[] = {l->FontColor, l->ActiveFontColor, l->FocusFontColor};
            const char* texts[] = {"MP4 视频", "AVI 视频", "MKV 视频"};
            for (int i = 0; i < 3; ++i) {
                TBitmap item;
                CreateHSkinImage(l->ItemLeftOffset, l->ItemRightOffset, item, *picture, items[i], 170, true);
                s.Copy(item, TRect{0, 0, 170, GetRectHeight(items[i])}, x + 5, y + 61 + i * 20);
                s.Text(x + 10, y + 62 + i * 20, texts[i], fonts[i], l->FontHeight);
            }
        }
    }
    const auto* h = s.Custom("hscrollbar");
    if (h)
        s.Pieced("hscrollbar", h->SkinRect, x, y + 152, 180, 19);
    const auto* v = s.Custom("vscrollbar");
    if (v)
        s.Pieced("vscrollbar", v->SkinRect, x + 190, y + 56, 19, 115);
    if (const auto* sb = s.Control<TskDataSkinScrollBarControl>("hscrollbar")) {
        if (TBitmap* picture = s.Data().ActivePicture(sb->PictureIndex)) {
            s.Copy(*picture, sb->ThumbRect, x + 40, y + 152);
            s.Copy(*picture, sb->ActiveThumbRect, x + 80, y + 152);
            s.Copy(*picture, sb->ActiveDownButtonRect, x + 161, y + 152);
        }
    }
}

void DrawPanels(TSheet& s, int x, int y)
{
    if (const auto* g = s.Control<TskDataSkinPanelControl>("groupbox")) {
        s.Pieced("groupbox", g->SkinRect, x, y, 200, 90);
        s.Text(x + g->CaptionRect.Left, y + 2, "视频预览", g->FontColor, g->FontHeight, true);
    }
    if (const auto* p = s.Custom("toolpanel"))
        s.Pieced("toolpanel", p->SkinRect, x + 210, y, 200, 25);
    if (const auto* p = s.Custom("panel"))
        s.Pieced("panel", p->SkinRect, x + 210, y + 32, 90, 58);
    if (const auto* m = s.Control<TskDataSkinLabelControl>("menuheader")) {
        s.Pieced("menuheader", m->SkinRect, x + 310, y + 32, 100, 20);
        s.Text(x + 316, y + 34, "常用格式", m->FontColor, m->FontHeight, true);
    }
    if (const auto* c = s.Control<TskDataSkinCheckRadioControl>("checkbox")) {
        if (TBitmap* picture = s.Data().ActivePicture(c->PictureIndex)) {
            const TRect images[] = {c->CheckImageRect, c->UnCheckImageRect, c->ActiveCheckImageRect,
                                    c->UnEnabledCheckImageRect, c->GrayedCheckImageRect};
            for (int i = 0; i < 5; ++i)
                s.Copy(*picture, images[i], x + 310 + i * 18, y + 60);
        }
        s.Text(x + 310, y + 76, "转换完成后关机", c->FontColor, c->FontHeight);
    }
}

void DrawTabsAndMenus(TSheet& s, int x, int y)
{
    TskSkinData& d = s.Data();
    if (const auto* t = s.Control<TskDataSkinTabControl>("tab")) {
        if (TBitmap* picture = d.ActivePicture(t->PictureIndex)) {
            TBitmap active, normal;
            CreateHSkinImage(t->TabLeftOffset, t->TabRightOffset, active, *picture, t->ActiveTabRect, 90, true);
            CreateHSkinImage(t->TabLeftOffset, t->TabRightOffset, normal, *picture, t->TabRect, 110, true);
            s.Copy(active, TRect{0, 0, 90, GetRectHeight(t->ActiveTabRect)}, x, y);
            s.Copy(normal, TRect{0, 0, 110, GetRectHeight(t->TabRect)}, x + 90, y);
            s.Text(x + 14, y + 3, "常规设置", t->ActiveFontColor, t->FontHeight);
            s.Text(x + 100, y + 3, "音视频高级设置", t->FontColor, t->FontHeight);
        }
    }
    const auto* item = s.Object<TskDataSkinMenuItem>("menuitem");
    TBitmap* menus = item ? d.ActivePicture(item->ActivePictureIndex) : nullptr;
    if (!menus)
        return;
    const struct {
        TRect Image;
        TColor Font;
        const char* Text;
    } rows[] = {{item->SkinRect, item->FontColor, "添加一个文件"},
                {item->ActiveSkinRect, item->ActiveFontColor, "添加多个文件"},
                {item->SkinRect, item->UnEnabledFontColor, "删除选择"}};
    int top = y + 30;
    for (const auto& row : rows) {
        TBitmap b;
        CreateHSkinImage(item->ItemLO, item->ItemRO, b, *menus, row.Image, 160, true);
        s.Copy(b, TRect{0, 0, 160, GetRectHeight(row.Image)}, x, top);
        s.Text(x + item->TextRct.Left, top + 2, row.Text, row.Font, item->FontHeight);
        top += GetRectHeight(row.Image);
    }
    s.Copy(*menus, item->CheckImageRect, x + 3, y + 32);
}

} // namespace

TSurface RenderContactSheet(TskSkinData& data)
{
    TSheet s(data);
    const int i = data.GetControlIndex("button");
    if (i >= 0)
        s.SetFontName(static_cast<const TskDataSkinButtonControl&>(*data.CtrlList[std::size_t(i)]).FontName);
    DrawFrame(s, 10, 10, 400, 150);
    DrawButtons(s, 10, 200);
    DrawFields(s, 420, 10);
    DrawPanels(s, 10, 440);
    DrawTabsAndMenus(s, 430, 200);
    return s.Result();
}

} // namespace tovrel
