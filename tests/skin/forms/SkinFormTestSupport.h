#pragma once
// A shown, sizeable form carrying the skinned form component, with one of
// the stored user skins or none.
#include "../../platform/vcl/ControlTestSupport.h"
#include "platform/vcl/Bitmap.h"
#include "platform/wm/Input.h"
#include "skin/data/SkinCompressedSkinList.h"
#include "skin/forms/SkinForm.h"
#include "skin/stored/StoredSkins.h"

namespace tovrel::test {

class SkinFormTest : public ControlTest {
protected:
    void SetUp() override
    {
        ControlTest::SetUp();
        skins = std::make_unique<TskCompressedSkinList>(nullptr);
        AddStoredSkins(*skins, TStoredSkinRole::User);
    }
    void TearDown() override
    {
        form.reset();
        skin.reset();
        ControlTest::TearDown();
    }
    // A skin data with stored user skin `index` loaded.
    TskSkinData* LoadSkin(int index)
    {
        form.reset();
        skin = std::make_unique<TskSkinData>(nullptr);
        skin->SetSkinList(skins.get());
        skin->SetSkinIndex(index);
        return skin.get();
    }
    // The form at (left, top), width x height, skinned by `data` (null: no skin), shown and active.
    TskSkinForm* ShowSkinned(TskSkinData* data, TRect bounds)
    {
        form = std::make_unique<TForm>(nullptr);
        form->SetBorderStyle(bsSizeable);
        form->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
        form->SetCaption("Frame");
        auto* skinForm = new TskSkinForm(form.get());
        skinForm->SetSkinData(data);
        form->Show();
        Pump();
        return skinForm;
    }
    TPoint Screen(TPoint inWindow) const { return {form->Left() + inWindow.X, form->Top() + inWindow.Y}; }
    // The frame's hit code at a point in window coordinates.
    LRESULT HitAt(TPoint inWindow) const
    {
        const TPoint s = Screen(inWindow);
        return SendMessage(form->Handle(), WM_NCHITTEST, 0, MAKELPARAM(s.X, s.Y));
    }
    // Press at a screen point, move by `by`, release there.
    static void Drag(TPoint from, TPoint by)
    {
        const TPoint to{from.X + by.X, from.Y + by.Y};
        InjectMouseMove(from);
        InjectMouseButton(0, true, from);
        InjectMouseMove(to);
        InjectMouseButton(0, false, to);
        Pump();
    }
    void Tick(int ms)
    {
        for (int t = 0; t < ms; t += 25) {
            clock->Advance(25);
            Pump();
        }
    }

    std::unique_ptr<TskCompressedSkinList> skins;
    std::unique_ptr<TskSkinData> skin;
    std::unique_ptr<TForm> form;
};

} // namespace tovrel::test
