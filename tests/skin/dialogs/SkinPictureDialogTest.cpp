#include "OpenDialogDriver.h"

#include "platform/ctrls/Image.h"
#include "platform/rtl/MainThread.h"
#include "platform/rtl/Paths.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/Picture.h"
#include "platform/vcl/StringList.h"
#include "platform/wm/Keys.h"
#include "skin/controls/SkinEdit.h"
#include "skin/controls/SkinPanel.h"
#include "skin/controls/SkinSpeedButton.h"
#include "skin/controls/SkinStdLabel.h"
#include "skin/dialogs/OpenPictureDlgForm.h"
#include "skin/dialogs/SkinMessageForm.h"
#include "skin/dialogs/SkinOpenPictureDialog.h"

#include <string>
#include <vector>

namespace tovrel::test {
namespace {

constexpr int kWidth = 40, kHeight = 30;

class SkinPictureDialog : public OpenDialogTest {
protected:
    void SetUp() override
    {
        OpenDialogTest::SetUp();
        TBitmap bitmap(kWidth, kHeight, TPixelFormat::pf24bit);
        bitmap.Canvas()->Brush()->SetColor(clTeal);
        bitmap.Canvas()->FillRect(Rect(0, 0, kWidth, kHeight));
        for (const char* name : {"p.bmp", "p.jpg", "p.gif", "p.png"}) {
            auto graphic = TPicture::GraphicForExtension(ExtractFileExt(name));
            graphic->Assign(&bitmap);
            graphic->SaveToFile(tree.Path(name));
        }
        tree.File("broken.png", "\x89PNG\r\n\x1a\n but nothing after");
        tree.File("notes.txt", "text");
    }
    template <class Act> bool Run(TskSkinOpenPictureDialog& dialog, Act act)
    {
        return Answer([&](TskOpenDlgForm& form) { act(static_cast<TskOpenPictureDlgForm&>(form)); },
                      [&] { return dialog.Execute(); });
    }
    static void Select(TskOpenPictureDlgForm& form, const std::string& name)
    {
        const int row = RowOf(form, name);
        ASSERT_GE(row, 0) << name;
        form.FileListView->SetItemIndex(row);
    }
    TTempTree tree;
};

// Each kind previews at its own size and is the result when accepted.
TEST_F(SkinPictureDialog, PreviewsAndReturnsEachKindOfPicture)
{
    TskSkinOpenPictureDialog dialog{nullptr};
    dialog.Filter = "Pictures|*.bmp;*.jpg;*.gif;*.png";
    for (const char* name : {"p.bmp", "p.jpg", "p.gif", "p.png"}) {
        SCOPED_TRACE(name);
        dialog.SetFileName(tree.Path("start"));
        const bool accepted = Run(dialog, [&](TskOpenPictureDlgForm& form) {
            Select(form, name);
            EXPECT_EQ(form.FileNameEdit->Text(), name);
            EXPECT_EQ(form.Image->Picture()->Width(), kWidth);
            EXPECT_EQ(form.Image->Picture()->Height(), kHeight);
            EXPECT_EQ(form.Image->Width(), kWidth) << "natural size";
            EXPECT_FALSE(form.PreviewMessage->Visible());
            form.OpenButtonClick(nullptr);
        });
        EXPECT_TRUE(accepted);
        EXPECT_EQ(dialog.FileName(), tree.Path(name));
    }
}

// A damaged picture or a file that is no picture shows the reader's message
// in the pane; the dialog stays open and the next picture shows again. A
// damaged start file still lets the dialog open.
TEST_F(SkinPictureDialog, ADamagedPictureShowsAMessageInThePane)
{
    TskSkinOpenPictureDialog dialog{nullptr};
    dialog.Filter = "All|*.*";
    dialog.SetFileName(tree.Path("broken.png"));
    Run(dialog, [&](TskOpenPictureDlgForm& form) {
        EXPECT_TRUE(form.PreviewMessage->Visible()) << "the start file";
        EXPECT_FALSE(form.PreviewMessage->Caption().empty());

        Select(form, "p.png");
        EXPECT_FALSE(form.PreviewMessage->Visible());
        Select(form, "notes.txt");
        EXPECT_TRUE(form.PreviewMessage->Visible());
        EXPECT_EQ(form.PreviewMessage->Caption(), "Unknown picture file extension (.txt)");
        EXPECT_TRUE(form.Image->Picture()->Graphic() == nullptr);
        Select(form, "broken.png");
        EXPECT_TRUE(form.PreviewMessage->Visible());
        EXPECT_EQ(form.FileNameEdit->Text(), "broken.png");
        EXPECT_EQ(form.ModalResult(), mrNone);
        form.SetModalResult(mrCancel);
    });
}

// The save variant completes a typed name with the chosen filter's
// extension; size, pane width and stretch come back at the next run.
TEST_F(SkinPictureDialog, SavesUnderATypedNameAndRemembersItsLook)
{
    TskSkinSavePictureDialog dialog{nullptr};
    dialog.Filter = "BMP|*.bmp|JPEG|*.jpg";
    dialog.FilterIndex = 2;
    dialog.SetFileName(tree.Path("p.bmp"));
    const bool accepted = Run(dialog, [&](TskOpenPictureDlgForm& form) {
        EXPECT_EQ(form.Caption(), "Save file");
        EXPECT_EQ(form.ClientWidth(), 550);
        EXPECT_EQ(form.ClientHeight(), 290);
        EXPECT_EQ(form.ImagePanel->Width(), 190);
        EXPECT_EQ(form.Image->Picture()->Width(), kWidth) << "the start file previews";
        form.ImagePanel->SetWidth(230);
        form.StretchButton->SetDown(true);
        form.StretchButtonClick(nullptr);
        EXPECT_TRUE(form.Image->Stretch());
        form.FileNameEdit->SetText("shot");
        form.FileNameEdit->SetFocus();
        Keys({VK_RETURN});
    });
    EXPECT_TRUE(accepted);
    EXPECT_EQ(dialog.FileName(), tree.Path("shot.jpg"));
    EXPECT_TRUE(dialog.DialogStretch);
    EXPECT_EQ(dialog.ImagePanelWidth, 230);

    Run(dialog, [&](TskOpenPictureDlgForm& form) {
        EXPECT_TRUE(form.StretchButton->Down());
        EXPECT_TRUE(form.Image->Stretch());
        EXPECT_EQ(form.ImagePanel->Width(), 230);
        form.SetModalResult(mrCancel);
    });
}

// With the overwrite question on, a typed name that exists (its extension
// completed from the filter) is accepted only when the question is
// answered OK.
TEST_F(SkinPictureDialog, AnExistingNameIsOverwrittenOnlyAfterTheQuestion)
{
    TskSkinSavePictureDialog dialog{nullptr};
    dialog.Filter = "PNG|*.png";
    dialog.OverwritePromt = true;
    dialog.SetFileName(tree.Path("p.png"));
    std::vector<std::string> asked;
    // Answers the question from inside its own modal loop.
    const auto answerNext = [&](int result) {
        TMainThread::Post([&asked, result] {
            auto* box = dynamic_cast<TskMessageForm*>(Screen->ActiveForm());
            ASSERT_NE(box, nullptr);
            asked.push_back(box->Message->Caption());
            box->SetModalResult(result);
        });
    };
    const bool accepted = Run(dialog, [&](TskOpenPictureDlgForm& form) {
        form.FileNameEdit->SetText("p");
        answerNext(mrCancel);
        form.OpenButtonClick(nullptr);
        EXPECT_EQ(form.ModalResult(), mrNone);
        answerNext(mrOk);
        form.OpenButtonClick(nullptr);
    });
    EXPECT_TRUE(accepted);
    EXPECT_EQ(asked, (std::vector<std::string>{2, "Do you want to overwrite old file?"}));
    EXPECT_EQ(dialog.FileName(), tree.Path("p.png"));
}

} // namespace
} // namespace tovrel::test
