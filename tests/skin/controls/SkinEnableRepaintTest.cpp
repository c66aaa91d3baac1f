// A skinned control enabled again while its parent still waits for its own
// paint: the control paints at once, the parent (which does not clip its
// children) paints later over it, and the control must be painted again.
// The picture is compared with the one every window painted afresh shows.
#include "../../platform/vcl/ControlTestSupport.h"
#include "ButtonStateSkin.h"
#include "platform/ctrls/Panel.h"
#include "platform/wm/Paint.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinOfficeComboBox.h"

#include <functional>
#include <memory>
#include <vector>

namespace tovrel::test {

namespace {

const TRect kControl = Bounds(10, 10, 120, 41);
const TRect kButton = Bounds(10, 10, 20, 10); // the test skin's button pictures are 20 x 10

template <class T> T* PlacedOn(TWinControl& parent, TRect bounds)
{
    auto* control = new T(&parent);
    control->SetParent(&parent);
    control->SetBoundsRect(bounds);
    return control;
}

struct EnableCase {
    const char* Name;
    // Places the control on the panel, drawn with the skin where it uses one.
    std::function<TControl*(TWinControl& panel, TskSkinData* skin)> Place;
};

const EnableCase kCases[] = {
    {"button",
     [](TWinControl& panel, TskSkinData* skin) {
         auto* button = PlacedOn<TskSkinButton>(panel, kButton);
         button->SetSkinData(skin);
         return static_cast<TControl*>(button);
     }},
    {"office combo box",
     [](TWinControl& panel, TskSkinData*) {
         auto* box = PlacedOn<TskSkinOfficeComboBox>(panel, kControl);
         box->Items()->Add()->SetCaption("entry");
         box->SetItemIndex(0);
         return static_cast<TControl*>(box);
     }},
};

class SkinEnableRepaintTest : public ControlTest {
protected:
    struct Window {
        std::unique_ptr<TForm> form;
        TPanel* panel;
        TControl* control;
    };
    // A blue panel filling a shown form, with the case's control on it.
    static Window Make(const EnableCase& c)
    {
        Window w{ShownForm(0, 0, 200, 80), nullptr, nullptr};
        ButtonSkin skin(w.form.get());
        w.panel = Placed<TPanel>(*w.form, Bounds(0, 0, 200, 80));
        w.panel->SetColor(clBlue);
        w.control = c.Place(*w.panel, skin.skin);
        Pump();
        return w;
    }
    static std::vector<COLORREF> Picture(TWinControl& form)
    {
        std::vector<COLORREF> pixels;
        for (int y = kControl.Top; y < kControl.Bottom; ++y)
            for (int x = kControl.Left; x < kControl.Right; ++x)
                pixels.push_back(PixelAt(form, x, y));
        return pixels;
    }
};

TEST_F(SkinEnableRepaintTest, AControlEnabledAgainShowsItsEnabledPicture)
{
    for (const EnableCase& c : kCases) {
        Window w = Make(c);
        w.control->SetEnabled(false);
        Pump();
        const std::vector<COLORREF> disabled = Picture(*w.form);
        // Something on the panel changed: the panel paints after the control.
        w.panel->Invalidate();
        w.control->SetEnabled(true);
        Pump();
        const std::vector<COLORREF> shown = Picture(*w.form);
        // What every window painted afresh shows.
        RedrawWindow(w.form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        Pump();
        const std::vector<COLORREF> enabled = Picture(*w.form);
        EXPECT_NE(disabled, enabled) << c.Name << ": the disabled picture differs";
        EXPECT_EQ(shown, enabled) << c.Name;
    }
}

} // namespace

} // namespace tovrel::test
