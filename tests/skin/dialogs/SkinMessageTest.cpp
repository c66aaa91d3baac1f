#include "MessageBoxDriver.h"

#include "platform/ctrls/Image.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/ImageList.h"
#include "platform/wm/Keys.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinCheckRadioBox.h"
#include "skin/controls/SkinStdLabel.h"
#include "skin/data/ResourceStrData.h"
#include "skin/data/SkinCompressedSkinList.h"
#include "skin/dialogs/SkinMessage.h"
#include "skin/forms/SkinForm.h"
#include "skin/stored/StoredSkins.h"

#include <string>
#include <vector>

namespace tovrel::test {
namespace {

// How the user answers: keys in order, or a click on a named button first.
struct TAnswerCase {
    const char* Name;
    TMsgDlgButtons Buttons;
    std::vector<UINT> Keys;
    const char* ClickFirst;
    int Expected;
};

class SkinMessage : public MessageBoxTest {
protected:
    TskSkinMessage box{nullptr};
};

TEST_F(SkinMessage, EachButtonSetAnswersWithItsModalResult)
{
    const std::vector<TAnswerCase> cases = {
        {"OK/Cancel: Enter is OK", {mbOK, mbCancel}, {VK_RETURN}, nullptr, mrOk},
        {"OK/Cancel: Esc is Cancel", {mbOK, mbCancel}, {VK_ESCAPE}, nullptr, mrCancel},
        {"OK/Cancel: Right moves to Cancel", {mbOK, mbCancel}, {VK_RIGHT, VK_RETURN}, nullptr, mrCancel},
        {"OK/Cancel: Right then Left is OK again", {mbOK, mbCancel}, {VK_RIGHT, VK_LEFT, VK_RETURN}, nullptr, mrOk},
        {"Yes/No: Enter is Yes", {mbYes, mbNo}, {VK_RETURN}, nullptr, mrYes},
        {"Yes/No: Esc is No", {mbYes, mbNo}, {VK_ESCAPE}, nullptr, mrNo},
        {"Yes/No/Cancel: Esc is Cancel", {mbYes, mbNo, mbCancel}, {VK_ESCAPE}, nullptr, mrCancel},
        {"OK alone: Esc is OK", {mbOK}, {VK_ESCAPE}, nullptr, mrOk},
        {"Abort/Retry/Ignore: Enter is Retry", {mbAbort, mbRetry, mbIgnore}, {VK_RETURN}, nullptr, mrRetry},
        // No cancel button: Esc leaves the form open, the Left arrow then reaches Abort.
        {"Abort/Retry/Ignore: Esc does nothing",
         {mbAbort, mbRetry, mbIgnore},
         {VK_ESCAPE, VK_LEFT, VK_RETURN},
         nullptr,
         mrAbort},
        {"Ignore clicked", {mbAbort, mbRetry, mbIgnore}, {}, "Ignore", mrIgnore},
        {"All clicked", {mbYes, mbNo, mbAll, mbNoToAll, mbYesToAll}, {}, "All", mrAll},
        {"NoToAll clicked", {mbYes, mbNo, mbAll, mbNoToAll, mbYesToAll}, {}, "NoToAll", mrNoToAll},
        {"YesToAll clicked", {mbYes, mbNo, mbAll, mbNoToAll, mbYesToAll}, {}, "YesToAll", mrYesToAll},
        {"Close clicked", {mbClose}, {}, "Close", mrClose},
        // Help leaves the form open (and keeps the focus); Esc then answers with OK.
        {"Help clicked, then Esc", {mbHelp, mbOK}, {VK_ESCAPE}, "Help", mrOk},
    };
    for (const TAnswerCase& c : cases) {
        SCOPED_TRACE(c.Name);
        int helpAsked = 0;
        box.OnHelp = [&](int context, const std::string&) {
            EXPECT_EQ(context, 42);
            ++helpAsked;
        };
        const int result = Answer(
            [&](TskMessageForm& form) {
                if (c.ClickFirst)
                    ClickOn(form, c.ClickFirst);
                Keys(c.Keys);
            },
            [&] { return box.MessageDlg("Proceed?", mtConfirmation, c.Buttons, 42); });
        EXPECT_EQ(result, c.Expected);
        EXPECT_EQ(helpAsked, std::string_view(c.ClickFirst ? c.ClickFirst : "") == "Help" ? 1 : 0);
    }
}

TEST_F(SkinMessage, LaysOutIconTextAndACentredButtonRow)
{
    struct TSeen {
        std::string Caption;
        std::vector<TRect> Buttons;
        TRect Label, Icon;
        bool IconEmpty = false;
        int ClientWidth = 0, ClientHeight = 0;
    } seen;
    auto look = [&](TskMessageForm& form) {
        seen = {};
        seen.Caption = form.Caption();
        for (int i = 0; i < form.ControlCount(); ++i)
            if (auto* b = dynamic_cast<TskSkinButton*>(form.Controls(i)))
                seen.Buttons.push_back(b->BoundsRect());
        seen.Label = form.Message->BoundsRect();
        seen.Icon = form.Image->BoundsRect();
        seen.IconEmpty = form.Image->Picture()->Graphic() == nullptr || form.Image->Picture()->Graphic()->Empty();
        seen.ClientWidth = form.ClientWidth();
        seen.ClientHeight = form.ClientHeight();
        Keys({VK_ESCAPE});
    };
    Answer(look, [&] { return box.MessageDlg("Overwrite?", mtWarning, {mbOK, mbCancel}, 0); });
    EXPECT_EQ(seen.Caption, "Warning");
    ASSERT_EQ(seen.Buttons.size(), 2u);
    EXPECT_EQ(seen.Buttons[1].Left - seen.Buttons[0].Right, 10);
    EXPECT_EQ(seen.Buttons[0].Left, (seen.ClientWidth - 150) / 2);
    EXPECT_EQ(seen.Buttons[0].Height(), 25);
    EXPECT_EQ(seen.Buttons[0].Top, seen.ClientHeight - 25 - 10);
    EXPECT_EQ(seen.ClientHeight, 25 + seen.Label.Height() + 50);
    EXPECT_EQ(seen.Label.Left, 50);
    EXPECT_EQ(seen.Icon, Rect(5, std::max(10, 15 + seen.Label.Height() / 2 - 16), 37,
                              std::max(10, 15 + seen.Label.Height() / 2 - 16) + 32));
    EXPECT_FALSE(seen.IconEmpty);

    // A custom type: the application's title, an empty picture, the label still at 50; no buttons.
    Answer(
        [&](TskMessageForm& form) {
            look(form);
            form.Close();
        },
        [&] { return box.MessageDlg("A plain message without an icon or buttons", mtCustom, {}, 0); });
    EXPECT_EQ(seen.Caption, Application->Title);
    EXPECT_TRUE(seen.IconEmpty);
    EXPECT_EQ(seen.Label.Left, 50);
    EXPECT_TRUE(seen.Buttons.empty());
    EXPECT_EQ(seen.ClientWidth, seen.Label.Right + 40);

    // The main window's notice: its own caption, the information icon.
    Answer(look, [&] { return box.MessageDlg2("转换完成", "提示", mtInformation, {mbOK}, 0); });
    EXPECT_EQ(seen.Caption, "提示");
    EXPECT_FALSE(seen.IconEmpty);
}

TEST_F(SkinMessage, TextsComeFromTheControlSkinsStringTable)
{
    TskSkinData strings(nullptr);
    TskResourceStrData table;
    table.SetResStrings({"MSG_BTN_OK=确定", "MSG_BTN_CANCEL=取消", "MSG_CAP_WARNING=警告", "MSG_CAP_SHOWFLAG="});
    strings.SetResourceStrData(&table);
    box.SetCtrlSkinData(&strings);
    box.ShowAgainFlag = true;
    std::vector<std::string> texts;
    Answer(
        [&](TskMessageForm& form) {
            texts = {form.Caption(), dynamic_cast<TControl*>(form.FindComponent("OK"))->Caption(),
                     dynamic_cast<TControl*>(form.FindComponent("Cancel"))->Caption(), form.DisplayCheckBox->Caption()};
            Keys({VK_RETURN});
        },
        [&] {
            return box.MessageDlg("覆盖旧文件吗?", mtWarning, {mbOK, mbCancel, mbYes}, 0);
        });
    // A key the table lacks gives an empty button caption; only the check box falls back.
    EXPECT_EQ(texts, (std::vector<std::string>{"警告", "确定", "取消", "Do not display this message again"}));

    std::string yes;
    Answer(
        [&](TskMessageForm& form) {
            yes = dynamic_cast<TControl*>(form.FindComponent("Yes"))->Caption();
            Keys({VK_RETURN});
        },
        [&] {
            return box.MessageDlg("?", mtConfirmation, {mbYes, mbNo}, 0);
        });
    EXPECT_EQ(yes, "");
}

// The program's skins carry Chinese button texts; without control skin data
// the box keeps its built-in English ones.
TEST_F(SkinMessage, AStoredSkinShowsChineseButtonsAndTheBuiltInLookEnglishOnes)
{
    const auto skin = LoadStoredSkin(StoredSkinFiles(TStoredSkinRole::User).at(0));
    const TMsgDlgButtons every = {mbYes,    mbNo,  mbOK,      mbCancel,   mbAbort, mbRetry,
                                  mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp,  mbClose};
    const struct {
        TskSkinData* Skin;
        std::vector<std::string> Texts;
    } cases[] = {
        {skin.get(),
         {"是", "否", "确定", "取消", "中止", "重试", "忽略", "全部", "全部否", "全部是", "帮助", "关闭",
          "不再显示此消息"}},
        {nullptr,
         {"&Yes", "&No", "OK", "Cancel", "&Abort", "&Retry", "&Ignore", "&All", "N&oToAll", "&YesToAll", "&Help",
          "Close", "Do not display this message again"}},
    };
    box.ShowAgainFlag = true;
    for (const auto& c : cases) {
        box.SetSkinData(c.Skin);
        box.SetCtrlSkinData(c.Skin);
        std::vector<std::string> texts;
        Answer(
            [&](TskMessageForm& form) {
                for (const TMsgDlgButtonKind& kind : MsgDlgButtonKinds)
                    texts.push_back(dynamic_cast<TControl*>(form.FindComponent(kind.Name))->Caption());
                texts.push_back(form.DisplayCheckBox->Caption());
                Keys({VK_RETURN});
            },
            [&] { return box.MessageDlg("覆盖旧文件吗?", mtWarning, every, 0); });
        EXPECT_EQ(texts, c.Texts) << (c.Skin ? "stored skin" : "no skin");
    }
}

TEST_F(SkinMessage, ShowAgainCheckIsStoredAndCarriedToTheNextMessage)
{
    box.ShowAgainFlag = true;
    box.ShowAgainFlagValue = false;
    std::vector<bool> startedChecked;
    auto answer = [&](bool toggleBox) {
        Answer(
            [&](TskMessageForm& form) {
                ASSERT_NE(form.DisplayCheckBox, nullptr);
                startedChecked.push_back(form.DisplayCheckBox->Checked());
                if (toggleBox)
                    ClickOn(form, "checkbox");
                Keys({VK_RETURN});
            },
            [&] { return box.MessageDlg("Note", mtInformation, {mbOK}, 0); });
    };
    answer(false); // left checked: do not show again
    EXPECT_FALSE(box.ShowAgainFlagValue);
    answer(true); // starts checked again; unchecked by the user: show again
    EXPECT_TRUE(box.ShowAgainFlagValue);
    answer(false); // starts unchecked as stored
    EXPECT_TRUE(box.ShowAgainFlagValue);
    EXPECT_EQ(startedChecked, (std::vector<bool>{true, true, false}));

    // The wide operations never show the box and leave the value alone.
    bool hadBox = true;
    Answer(
        [&](TskMessageForm& form) {
            hadBox = form.DisplayCheckBox != nullptr;
            Keys({VK_RETURN});
        },
        [&] { return box.WideMessageDlg("Note", mtInformation, {mbOK}, 0); });
    EXPECT_FALSE(hadBox);
    EXPECT_TRUE(box.ShowAgainFlagValue);
}

TEST_F(SkinMessage, ALongCheckBoxCaptionWidensTheFormAndTheRowStaysCentred)
{
    box.ShowAgainFlag = true;
    int clientWidth = 0, textWidth = 0, okLeft = 0, boxWidth = 0;
    Answer(
        [&](TskMessageForm& form) {
            clientWidth = form.ClientWidth();
            form.Canvas()->Font()->Assign(box.DefaultFont());
            textWidth = form.Canvas()->TextWidth("Do not display this message again");
            okLeft = dynamic_cast<TControl*>(form.FindComponent("OK"))->Left();
            boxWidth = form.DisplayCheckBox->Width();
            Keys({VK_RETURN});
        },
        [&] { return box.MessageDlg("Hi", mtInformation, {mbOK}, 0); });
    EXPECT_EQ(clientWidth, textWidth + 60);
    EXPECT_EQ(boxWidth, textWidth + 55);
    EXPECT_EQ(okLeft, (clientWidth - 70) / 2);
}

TEST_F(SkinMessage, ImageListIconSitsBesideTheTextOrIsLeftOut)
{
    TCustomImageList images(nullptr);
    images.SetSize(16, 16);
    TBitmap picture;
    picture.SetSize(16, 16);
    images.Add(&picture, nullptr);
    struct TCase {
        int Index;
        bool HasImage;
    };
    for (const TCase c : {TCase{0, true}, TCase{1, false}, TCase{-1, false}}) {
        SCOPED_TRACE(c.Index);
        TRect icon, label;
        bool hasImage = false;
        std::string caption;
        Answer(
            [&](TskMessageForm& form) {
                hasImage = form.Image != nullptr;
                if (form.Image)
                    icon = form.Image->BoundsRect();
                label = form.Message->BoundsRect();
                caption = form.Caption();
                Keys({VK_RETURN});
            },
            [&] { return box.CustomMessageDlg("One line", "Own caption", &images, c.Index, {mbOK}, 0); });
        EXPECT_EQ(hasImage, c.HasImage);
        EXPECT_EQ(caption, "Own caption");
        EXPECT_EQ(label.Left, 50);
        // No lower bound for a list's icon: a one-line text puts it above 10.
        if (c.HasImage) {
            EXPECT_EQ(icon, Rect(5, 15 + label.Height() / 2 - 16, 21, 15 + label.Height() / 2));
        }
    }
}

TEST_F(SkinMessage, PositionHookMovesThePlacedForm)
{
    box.OnSetShowPos = [](int& x, int& y, int width, int height) {
        EXPECT_EQ(x, 30);
        EXPECT_GT(width, 0);
        EXPECT_GT(height, 0);
        x = 120;
        y = 80;
    };
    TPoint at;
    Answer(
        [&](TskMessageForm& form) {
            at = Point(form.Left(), form.Top());
            Keys({VK_RETURN});
        },
        [&] { return box.MessageDlgPos("Here", mtInformation, {mbOK}, 0, 30, 40); });
    EXPECT_EQ(at, Point(120, 80));
}

TEST_F(SkinMessage, ASkinnedButtonEntrySetsTheButtonHeight)
{
    auto skins = std::make_unique<TskCompressedSkinList>(nullptr);
    AddStoredSkins(*skins, TStoredSkinRole::User);
    TskSkinData skin(nullptr);
    skin.SetSkinList(skins.get());
    skin.SetSkinIndex(0);
    ASSERT_FALSE(skin.Empty);
    box.SetSkinData(&skin);
    box.SetCtrlSkinData(&skin);
    int height = 0, expected = 0, clientHeight = 0, labelHeight = 0;
    Answer(
        [&](TskMessageForm& form) {
            auto* ok = dynamic_cast<TskSkinButton*>(form.FindComponent("OK"));
            height = ok->Height();
            expected = skin.CtrlList[std::size_t(skin.GetControlIndex("button"))]->SkinRect.Height();
            clientHeight = form.ClientHeight();
            labelHeight = form.Message->Height();
            Keys({VK_RETURN});
        },
        [&] { return box.MessageDlg("Skinned", mtError, {mbOK}, 0); });
    EXPECT_EQ(height, expected);
    EXPECT_EQ(clientHeight, expected + labelHeight + 50);
}

} // namespace
} // namespace tovrel::test
