#include "SkinFormTestSupport.h"
#include "platform/wm/Backend.h"
#include "platform/wm/Layered.h"
#include "platform/wm/Styles.h"
#include "platform/wm/Window.h"

namespace tovrel::test {

TEST_F(SkinFormTest, AFadeInStepsOnTheClockWhereLayeredWindowsExist)
{
    const struct {
        const char* Name;
        bool Layered, Blend, Animation;
        std::vector<int> Steps;
        bool StaysLayered;
    } cases[] = {
        {"animated to opaque",
         true,
         false,
         true,
         {17, 34, 51, 68, 85, 102, 119, 136, 153, 170, 187, 204, 221, 238, 255},
         false},
        {"animated to the blend value",
         true,
         true,
         true,
         {13, 26, 39, 52, 65, 78, 91, 104, 117, 130, 143, 156, 169, 182, 195, 200},
         true},
        {"blend alone: at once", true, true, false, {200}, true},
        {"no layered windows: no fade", false, true, true, {}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        auto backend = std::make_shared<TLayeredBackend>();
        backend->layered = c.Layered;
        form.reset();
        SetBackend(backend);
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(0, 0, 300, 200);
        auto* f = new TskSkinForm(form.get());
        f->SetAlphaBlend(c.Blend);
        f->AlphaBlendAnimation = c.Animation;
        form->Show();
        std::vector<int> steps;
        BYTE alpha = 0, last = 0;
        for (int i = 0; i < 40; ++i) {
            clock->Advance(10);
            Pump();
            const bool layered = (GetWindowLongPtr(form->Handle(), GWL_EXSTYLE) & WS_EX_LAYERED) != 0;
            if (layered && GetLayeredWindowAttributes(form->Handle(), nullptr, &alpha, nullptr) && alpha != last)
                steps.push_back(alpha);
            if (!layered && !steps.empty() && steps.back() != 255)
                steps.push_back(255);
            last = layered ? alpha : 255;
        }
        EXPECT_EQ(c.Steps, steps);
        EXPECT_EQ(c.StaysLayered, (GetWindowLongPtr(form->Handle(), GWL_EXSTYLE) & WS_EX_LAYERED) != 0);
    }
}

} // namespace tovrel::test
