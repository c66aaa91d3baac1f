// TIcon (files, sizes, handles, drawing on a canvas) and the icon a form's
// window shows: its own, else the application's, else the stock one.
#include "platform/gdi/Icon.h"
#include "ControlTestSupport.h"
#include "platform/gdi/IcoFileBuilder.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/Errors.h"
#include "platform/vcl/Icon.h"
#include "platform/vcl/Picture.h"
#include "platform/vcl/Streams.h"

#include <filesystem>

namespace tovrel::test {
namespace {

// A 16-pixel entry (red, a clear column at the right) and a 32-pixel one (blue).
std::vector<std::uint8_t> TwoSizes()
{
    const TRows small(16, std::string(15, 'r') + "."), large(32, std::string(32, 'b'));
    return IcoFile({DibEntry(24, small), DibEntry(32, large)});
}

std::unique_ptr<TIcon> LoadedIcon(const std::vector<std::uint8_t>& file)
{
    TMemoryStream stream;
    stream.WriteBuffer(file.data(), std::int64_t(file.size()));
    stream.Seek(0, soBeginning);
    auto icon = std::make_unique<TIcon>();
    icon->LoadFromStream(stream);
    return icon;
}

TEST(IconGraphic, ShowsTheEntryForItsSizeAndDrawsOnACanvas)
{
    const auto loaded = LoadedIcon(TwoSizes());
    TIcon& icon = *loaded;
    EXPECT_EQ(icon.Width(), 32);
    EXPECT_EQ(IconWidth(*FindIconImage(icon.Handle())), 32);
    icon.SetSize(16, 16);
    EXPECT_EQ(icon.Width(), 16);
    ASSERT_EQ(IconWidth(*FindIconImage(icon.Handle())), 16);

    TBitmap target(20, 20);
    target.Canvas()->Brush()->SetColor(clWhite);
    target.Canvas()->FillRect(Rect(0, 0, 20, 20));
    target.Canvas()->Draw(2, 2, &icon);
    EXPECT_EQ(target.Canvas()->Pixels(2, 2), clRed);
    EXPECT_EQ(target.Canvas()->Pixels(16, 17), clRed);
    EXPECT_EQ(target.Canvas()->Pixels(17, 17), clWhite) << "the clear column";
    EXPECT_EQ(target.Canvas()->Pixels(18, 18), clWhite) << "outside";

    target.Canvas()->StretchDraw(Rect(0, 0, 4, 4), &icon);
    EXPECT_EQ(target.Canvas()->Pixels(3, 3), clRed) << "stretched to the rectangle";
}

TEST(IconGraphic, FilesStreamsAndDamage)
{
    const auto folder = std::filesystem::temp_directory_path() / "vcl_icon_files";
    std::filesystem::create_directories(folder);
    const std::string file = (folder / "app.ICO").string();
    WriteImageFileBytes(file, TwoSizes());

    TPicture picture;
    picture.LoadFromFile(file);
    ASSERT_NE(picture.Graphic(), nullptr);
    EXPECT_EQ(picture.Graphic()->ClassName(), "TIcon");
    EXPECT_EQ(picture.Width(), 32);

    TMemoryStream saved;
    picture.Graphic()->SaveToStream(saved);
    const auto again = LoadedIcon(saved.Bytes());
    again->SetSize(16, 16);
    TBitmap target(16, 16);
    target.Canvas()->Draw(0, 0, again.get());
    EXPECT_EQ(target.Canvas()->Pixels(0, 0), clRed) << "both entries written";

    std::vector<std::uint8_t> damaged = TwoSizes();
    damaged.resize(damaged.size() / 2);
    try {
        LoadedIcon(damaged);
        ADD_FAILURE() << "no error";
    } catch (const EInvalidGraphic& error) {
        EXPECT_NE(std::string(error.what()).find("ICO: entry 2"), std::string::npos) << error.what();
    }
    TIcon empty;
    EXPECT_THROW(empty.SaveToStream(saved), EInvalidGraphic);
    EXPECT_EQ(empty.Handle(), nullptr);
    std::filesystem::remove_all(folder);
}

TEST(IconGraphic, AdoptsAndReleasesHandles)
{
    HICON own = CopyIcon(LoadIcon(nullptr, IDI_HAND));
    {
        TIcon icon;
        icon.SetHandle(own);
        EXPECT_EQ(icon.Handle(), own);
        EXPECT_EQ(icon.Width(), 32);
        TIcon copy;
        copy.Assign(&icon);
        EXPECT_EQ(copy.Width(), 32);
        EXPECT_NE(copy.Handle(), own) << "a copy makes its own handle";
    }
    EXPECT_EQ(FindIconImage(own), nullptr) << "destroyed with the picture";

    TIcon icon;
    icon.SetHandle(CopyIcon(LoadIcon(nullptr, IDI_HAND)));
    HICON released = icon.ReleaseHandle();
    EXPECT_TRUE(icon.Empty());
    EXPECT_NE(FindIconImage(released), nullptr);
    DestroyIcon(released);
}

// Hears which icon each top-level window gives the task bar.
class TIconBackend : public TBackend {
public:
    void WindowIconChanged(HWND hwnd, HICON icon) override { Shown[hwnd] = icon; }
    std::map<HWND, HICON> Shown;
};

class FormIconTest : public ControlTest {
protected:
    void SetUp() override
    {
        ControlTest::SetUp();
        SetBackend(backend);
    }
    void TearDown() override
    {
        Application->Icon()->SetHandle(nullptr);
        ControlTest::TearDown();
    }
    static HICON Shows(TForm& form, WPARAM kind = ICON_BIG)
    {
        return reinterpret_cast<HICON>(SendMessage(form.Handle(), WM_GETICON, kind, 0));
    }
    std::shared_ptr<TIconBackend> backend = std::make_shared<TIconBackend>();
};

TEST_F(FormIconTest, FormShowsItsOwnElseTheApplicationsElseTheStockIcon)
{
    auto form = ShownForm(10, 10, 100, 80);
    const HICON stock = LoadIcon(nullptr, IDI_APPLICATION);
    EXPECT_EQ(Shows(*form), stock);
    EXPECT_EQ(backend->Shown[form->Handle()], stock) << "the task bar heard it";

    Application->Icon()->Assign(LoadedIcon(TwoSizes()).get());
    EXPECT_EQ(Shows(*form), Application->Icon()->Handle());

    form->Icon()->SetHandle(CopyIcon(LoadIcon(nullptr, IDI_QUESTION)));
    EXPECT_EQ(Shows(*form), form->Icon()->Handle());
    EXPECT_EQ(Shows(*form, ICON_SMALL2), form->Icon()->Handle()) << "no small icon: the big one";
    EXPECT_EQ(Shows(*form, ICON_SMALL), nullptr);
    EXPECT_EQ(backend->Shown[form->Handle()], form->Icon()->Handle());

    form->Icon()->SetHandle(nullptr);
    EXPECT_EQ(Shows(*form), Application->Icon()->Handle());
    Application->Icon()->SetHandle(nullptr);
    EXPECT_EQ(Shows(*form), stock);

    TForm later(nullptr);
    later.Icon()->SetHandle(CopyIcon(LoadIcon(nullptr, IDI_HAND)));
    EXPECT_EQ(Shows(later), later.Icon()->Handle()) << "sent when the window is made";
}

} // namespace
} // namespace tovrel::test
