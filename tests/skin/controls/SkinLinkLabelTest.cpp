#include "skin/controls/SkinLinkLabel.h"
#include "../../platform/vcl/ControlTestSupport.h"
#include "platform/shell/ShellLauncher.h"

#include <string>
#include <vector>

namespace tovrel::test {

namespace {

class RecordingLauncher : public IShellLauncher {
public:
    bool Open(const std::string& target, const std::string& /*workingFolder*/) override
    {
        opened.push_back(target);
        return true;
    }
    std::vector<std::string> opened;
};

class SkinLinkLabelTest : public ControlTest {
protected:
    void SetUp() override
    {
        ControlTest::SetUp();
        SetShellLauncher(launcher);
        form = ShownForm(0, 0, 300, 100);
        label = new TskSkinLinkLabel(form.get());
        label->SetParent(form.get());
        label->SetBounds(10, 10, 100, 20);
        label->SetCaption("Home page");
        label->OnClick = [this](TObject*) { ++clicks; };
        Pump();
    }
    void TearDown() override
    {
        SetShellLauncher(nullptr);
        ControlTest::TearDown();
    }
    std::shared_ptr<RecordingLauncher> launcher = std::make_shared<RecordingLauncher>();
    std::unique_ptr<TForm> form;
    TskSkinLinkLabel* label = nullptr;
    int clicks = 0;
};

} // namespace

TEST_F(SkinLinkLabelTest, AClickHandsTheAddressToTheLauncher)
{
    struct Case {
        const char* URL;
        std::vector<std::string> Opened;
    } cases[] = {
        {"", {}},
        {"https://example.org/a b?x=1;rm -rf", {"https://example.org/a b?x=1;rm -rf"}},
        {"mailto:someone@example.org", {"mailto:someone@example.org"}},
    };
    for (const Case& c : cases) {
        launcher->opened.clear();
        clicks = 0;
        label->URL = c.URL;
        clock->Advance(1000); // never a double click
        Click(label->ClientToScreen(Point(5, 5)));
        EXPECT_EQ(1, clicks) << c.URL;
        // Handed over as it stands: no shell ever sees it.
        EXPECT_EQ(c.Opened, launcher->opened) << c.URL;
    }
}

TEST_F(SkinLinkLabelTest, HoverTakesTheActiveColourAndUnderlineFollowsTheSwitch)
{
    label->Repaint();
    EXPECT_EQ(label->DefaultFont()->Color(), label->DrawFont().Color());
    EXPECT_TRUE(label->DrawFont().Style().Contains(fsUnderline));
    label->Perform(CM_MOUSEENTER, 0, 0);
    label->Repaint();
    EXPECT_EQ(clBlue, label->DrawFont().Color());
    label->Perform(CM_MOUSELEAVE, 0, 0);
    label->SetUseUnderLine(false);
    label->Repaint();
    EXPECT_EQ(label->DefaultFont()->Color(), label->DrawFont().Color());
    EXPECT_FALSE(label->DrawFont().Style().Contains(fsUnderline));
}

} // namespace tovrel::test
