#pragma once
// A skin whose button entry draws each state in its own solid colour, and
// pointer input followed by the messages it causes, for the button tests.
#include "../../platform/vcl/ControlTestSupport.h"
#include "platform/gdi/SysColors.h"
#include "platform/vcl/Bitmap.h"
#include "platform/wm/Input.h"
#include "skin/data/SkinButtonEntries.h"
#include "skin/data/SkinData.h"

namespace tovrel::test {

// One solid block per state picture, side by side, each 20 x 10.
constexpr COLORREF kNormal = RGB(255, 0, 0), kHot = RGB(0, 255, 0), kDown = RGB(0, 0, 255),
                   kDisabled = RGB(128, 128, 128), kFocused = RGB(255, 255, 0), kFrame1 = RGB(0, 255, 255),
                   kFrame2 = RGB(255, 0, 255);
// The default look's faces: normal, hot, pressed.
const COLORREF kFace = ColorToRGB(clBtnFace), kHotFill = RGB(0xB6, 0xBD, 0xD2), kDownFill = RGB(0x85, 0x93, 0xB5);
constexpr TRect Block(int i)
{
    return TRect{i * 20, 0, i * 20 + 20, 10};
}

inline TColor AsColor(COLORREF c)
{
    return TColor(c);
}

// A loaded skin with a fixed-size button entry ("button" unless named)
// whose states have distinct colours.
struct ButtonSkin {
    explicit ButtonSkin(TComponent* owner, const char* name = "button") : skin(new TskSkinData(owner))
    {
        auto picture = std::make_unique<TBitmap>(140, 10);
        const COLORREF colours[] = {kNormal, kHot, kDown, kDisabled, kFocused, kFrame1, kFrame2};
        for (int i = 0; i < 7; ++i) {
            picture->Canvas()->Brush()->SetColor(AsColor(colours[i]));
            picture->Canvas()->FillRect(Block(i));
        }
        skin->FActivePictures.push_back(std::move(picture));
        auto e = std::make_unique<TskDataSkinButtonControl>(name);
        e->PictureIndex = 0;
        e->SkinRect = Block(0);
        e->ActiveSkinRect = Block(1);
        e->DownSkinRect = Block(2);
        e->DisabledSkinRect = Block(3);
        e->FocusedSkinRect = Block(4);
        e->ClRect = Rect(2, 2, 18, 8);
        entry = e.get();
        skin->CtrlList.push_back(std::move(e));
        skin->Empty = false;
    }
    TskSkinData* skin;
    TskDataSkinButtonControl* entry;
};

// Input followed by the messages it causes.
inline void Move(TPoint p)
{
    InjectMouseMove(p);
    Application->ProcessMessages();
}
inline void Button(bool down, TPoint p)
{
    InjectMouseButton(0, down, p);
    Application->ProcessMessages();
}
} // namespace tovrel::test
