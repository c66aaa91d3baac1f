#include "../../platform/vcl/ControlTestSupport.h"
#include "platform/wm/Input.h"
#include "skin/controls/SkinButton.h"
#include "skin/stored/StoredSkins.h"

#include <set>
#include <vector>

namespace tovrel::test {

namespace {

class StoredSkinButtons : public ControlTest {
protected:
    std::unique_ptr<TskSkinData> LoadUserSkin(std::size_t index)
    {
        const auto files = StoredSkinFiles(TStoredSkinRole::User);
        return LoadStoredSkin(files.at(index));
    }

    // The button's pixels, normal and then hot, drawn with skin (or none).
    std::vector<COLORREF> ButtonPixels(TskSkinData* skin)
    {
        auto form = ShownForm(0, 0, 120, 40);
        auto* button = Placed<TskSkinButton>(*form, Bounds(10, 5, 90, 25));
        button->SetCaption("OK");
        button->SetSkinData(skin);
        std::vector<COLORREF> pixels;
        for (TPoint mouse : {TPoint{115, 38}, TPoint{50, 15}}) {
            InjectMouseMove(mouse);
            Pump();
            // Let a hover morph finish.
            for (int i = 0; i < 10; ++i) {
                clock->Advance(20);
                Pump();
            }
            form->Repaint();
            Pump();
            for (int y = 0; y < button->Height(); ++y)
                for (int x = 0; x < button->Width(); ++x)
                    pixels.push_back(PixelAt(*form, button->Left() + x, button->Top() + y));
        }
        InjectMouseMove({0, 0});
        Pump();
        return pixels;
    }
};

} // namespace

TEST_F(StoredSkinButtons, EachUserSkinDrawsItsOwnButtons)
{
    std::set<std::vector<COLORREF>> looks{ButtonPixels(nullptr)};
    const std::size_t skins = StoredSkinFiles(TStoredSkinRole::User).size();
    for (std::size_t i = 0; i < skins; ++i) {
        auto skin = LoadUserSkin(i);
        ASSERT_NE(-1, skin->GetControlIndex("button")) << "user skin " << i + 1;
        EXPECT_TRUE(looks.insert(ButtonPixels(skin.get())).second)
            << "user skin " << i + 1 << " draws its button like the default look or an earlier skin";
    }
}

} // namespace tovrel::test
