// The embedded skins load into a skin data object through a stored skin list,
// give every entry the program looks up with its pictures, differ from each
// other and keep their texts readable in every state.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <set>

#include "platform/vcl/Bitmap.h"
#include "skin/data/SkinButtonEntries.h"
#include "skin/data/SkinCompressedSkinList.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinEditEntries.h"
#include "skin/data/SkinFrameEntries.h"
#include "skin/data/SkinGeometry.h"
#include "skin/data/SkinMenuEntries.h"
#include "skin/data/SkinPanelEntries.h"
#include "skin/data/SkinViewEntries.h"
#include "skin/stored/SkinRequirements.h"
#include "skin/stored/StoredSkins.h"

namespace tovrel::test {
namespace {

TEST(StoredSkins, SevenUserSkinsThenTheToolsSkin)
{
    const auto files = StoredSkinFiles();
    ASSERT_EQ(StoredSkinFiles(TStoredSkinRole::User).size(), 7u);
    ASSERT_EQ(StoredSkinFiles(TStoredSkinRole::Tools).size(), 1u);
    EXPECT_EQ(files.back().Role, TStoredSkinRole::Tools);
    for (const TStoredSkinFile& file : files)
        EXPECT_TRUE(ValidateCompressedSkin(file.Bytes, file.Role).empty()) << file.FileName;
}

bool Within(const TRect& r, const TBitmap* picture)
{
    return picture && r.Left >= 0 && r.Top >= 0 && r.Right <= picture->Width() && r.Bottom <= picture->Height();
}

void ExpectEveryEntryLooksUp(const TskSkinData& data, TStoredSkinRole role)
{
    for (const TskRequiredEntry& r : RequiredSkinEntries()) {
        if (role == TStoredSkinRole::User ? !r.User : !r.Tools)
            continue;
        SCOPED_TRACE(std::string(r.Name));
        if (r.Object) {
            const int i = data.GetIndex(r.Name);
            ASSERT_GE(i, 0);
            const TskDataSkinObject& o = *data.ObjectList[std::size_t(i)];
            const TBitmap* active = data.ActivePicture(o.ActivePictureIndex);
            if (!IsNullRect(o.ActiveSkinRect)) {
                EXPECT_TRUE(Within(o.ActiveSkinRect, active));
            }
            EXPECT_TRUE(Within(o.SkinRect, o.SkinRectInAPicture ? active : data.FPicture.get()));
            continue;
        }
        const int i = data.GetControlIndex(r.Name);
        ASSERT_GE(i, 0);
        const TskDataSkinControl& c = *data.CtrlList[std::size_t(i)];
        if (c.PictureIndex >= 0 || !IsNullRect(c.SkinRect)) {
            EXPECT_TRUE(Within(c.SkinRect, data.ActivePicture(c.PictureIndex)));
        }
    }
}

TEST(StoredSkins, EachSkinOfTheListLoadsWithEveryEntryTheProgramLooksUp)
{
    for (TStoredSkinRole role : {TStoredSkinRole::User, TStoredSkinRole::Tools}) {
        TskCompressedSkinList list(nullptr);
        AddStoredSkins(list, role);
        TskSkinData data(nullptr);
        data.SetSkinList(&list);
        std::set<std::string> names;
        for (int index = 0; index < list.Skins()->Count(); ++index) {
            SCOPED_TRACE(list.Skins()->Items(index)->Name);
            data.SetSkinIndex(index);
            ASSERT_EQ(data.SkinIndex(), index);
            ASSERT_FALSE(data.Empty);
            EXPECT_EQ(data.Version.SkinName, list.Skins()->Items(index)->Name);
            names.insert(data.Version.SkinName);
            ExpectEveryEntryLooksUp(data, role);
        }
        EXPECT_EQ(names.size(), std::size_t(list.Skins()->Count())) << "skin names repeat";
    }
}

// ---- readability ----

struct TRgbF {
    double R, G, B;
};

TRgbF Rgb(TColor c)
{
    return {double(c & 0xFF), double((c >> 8) & 0xFF), double((c >> 16) & 0xFF)};
}

// Mean colour of a rectangle of the picture.
TRgbF MeanColor(const TBitmap& picture, const TRect& r)
{
    TRgbF sum{0, 0, 0};
    int n = 0;
    TSurface& s = *picture.Surface();
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x) {
            const std::uint8_t* p = s.ScanLine(y) + x * s.BytesPerPixel();
            sum.B += p[0];
            sum.G += p[1];
            sum.R += p[2];
            ++n;
        }
    return {sum.R / n, sum.G / n, sum.B / n};
}

double Luminance(TRgbF c)
{
    const auto channel = [](double v) {
        v /= 255;
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.R) + 0.7152 * channel(c.G) + 0.0722 * channel(c.B);
}

double Contrast(TRgbF a, TRgbF b)
{
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The middle of an image: where its text goes.
TRect Middle(const TRect& image, const TRect& clientPlace)
{
    if (IsNullRect(clientPlace))
        return image;
    return TRect{image.Left + clientPlace.Left, image.Top + clientPlace.Top, image.Left + clientPlace.Right,
                 image.Top + clientPlace.Bottom};
}

template <class Entry> const Entry& EntryOf(const TskSkinData& data, std::string_view name)
{
    const int i = data.GetControlIndex(name);
    return dynamic_cast<const Entry&>(*data.CtrlList.at(std::size_t(i)));
}

// Normal text at least 4.5:1 against what it is drawn on; greyed text only has to stay visible.
constexpr double kReadable = 4.5, kVisible = 1.6;

using TTextCheck = std::function<void(const char*, TColor, const TBitmap*, const TRect&, double)>;

void CheckButtonText(const TskSkinData& data, std::string_view name, const TTextCheck& check)
{
    const auto& button = EntryOf<TskDataSkinButtonControl>(data, name);
    const TBitmap* picture = data.ActivePicture(button.PictureIndex);
    check("button", button.FontColor, picture, Middle(button.SkinRect, button.ClRect), kReadable);
    check("hot button", button.ActiveFontColor, picture, Middle(button.ActiveSkinRect, button.ClRect), kReadable);
    check("pressed button", button.DownFontColor, picture, Middle(button.DownSkinRect, button.ClRect), kReadable);
    check("disabled button", button.DisabledFontColor, picture, Middle(button.DisabledSkinRect, button.ClRect),
          kVisible);
}

// The entries both the user skins and the tools skin carry.
void CheckSharedText(const TskSkinData& data, const TTextCheck& check)
{
    CheckButtonText(data, "resizetoolbutton", check);
    const auto& list = EntryOf<TskDataSkinListBox>(data, "listbox");
    const TBitmap* listPicture = data.ActivePicture(list.PictureIndex);
    check("list item", list.FontColor, listPicture, list.SItemRect, kReadable);
    check("selected list item", list.ActiveFontColor, listPicture, list.ActiveItemRect, kReadable);
    const auto& combo = EntryOf<TskDataSkinComboBox>(data, "combobox");
    const TBitmap* controls = data.ActivePicture(combo.PictureIndex);
    check("combo box", combo.FontColor, controls, Middle(combo.SkinRect, combo.ClRect), kReadable);
    const auto& header = EntryOf<TskDataSkinLabelControl>(data, "menuheader");
    check("menu header", header.FontColor, controls, Middle(header.SkinRect, header.ClRect), kReadable);
}

void CheckUserText(const TskSkinData& data, const TTextCheck& check)
{
    CheckButtonText(data, "button", check);
    const auto& edit = EntryOf<TskDataSkinEditControl>(data, "edit");
    const TBitmap* controls = data.ActivePicture(edit.PictureIndex);
    check("edit", edit.FontColor, controls, Middle(edit.SkinRect, edit.ClRect), kReadable);

    const auto& item =
        dynamic_cast<const TskDataSkinMenuItem&>(*data.ObjectList.at(std::size_t(data.GetIndex("menuitem"))));
    const TBitmap* menus = data.ActivePicture(item.ActivePictureIndex);
    check("menu item", item.FontColor, menus, Middle(item.SkinRect, item.TextRct), kReadable);
    check("hot menu item", item.ActiveFontColor, menus, Middle(item.ActiveSkinRect, item.TextRct), kReadable);

    const auto& group = EntryOf<TskDataSkinPanelControl>(data, "groupbox");
    check("group box caption", group.FontColor, controls, Middle(group.SkinRect, group.CaptionRect), kReadable);
    const auto& tab = EntryOf<TskDataSkinTabControl>(data, "tab");
    check("tab", tab.FontColor, controls, tab.TabRect, kReadable);
    check("active tab", tab.ActiveFontColor, controls, tab.ActiveTabRect, kReadable);
    check("hot tab", tab.MouseInFontColor, controls, tab.MouseInTabRect, kReadable);
    const auto& checkBox = EntryOf<TskDataSkinCheckRadioControl>(data, "checkbox");
    check("check box", checkBox.FontColor, controls, Middle(checkBox.SkinRect, checkBox.TextArea), kReadable);
    // Labels stand on the face colour, as the check box's own image does.
    const auto& label = EntryOf<TskDataSkinStdLabelControl>(data, "stdlabel");
    check("label", label.FontColor, controls, Middle(checkBox.SkinRect, checkBox.TextArea), kReadable);

    const auto& bar =
        dynamic_cast<const TskDataSkinMainMenuBarItem&>(*data.ObjectList.at(std::size_t(data.GetIndex("menubaritem"))));
    const TBitmap* barPicture = data.ActivePicture(bar.ActivePictureIndex);
    check("menu bar item", bar.FontColor, barPicture, Middle(bar.SkinRect, bar.TextRct), kReadable);
    check("hot menu bar item", bar.ActiveFontColor, barPicture, Middle(bar.ActiveSkinRect, bar.TextRct), kReadable);
    check("open menu bar item", bar.DownFontColor, barPicture, Middle(bar.DownRect, bar.TextRct), kReadable);

    const auto& caption =
        dynamic_cast<const TskDataSkinCaption&>(*data.ObjectList.at(std::size_t(data.GetIndex("caption"))));
    check("caption", caption.ActiveFontColor, data.FPicture.get(), caption.TextRct, kReadable);
}

TEST(StoredSkins, TextStaysReadableInEveryState)
{
    for (TStoredSkinRole role : {TStoredSkinRole::User, TStoredSkinRole::Tools}) {
        TskCompressedSkinList list(nullptr);
        AddStoredSkins(list, role);
        ASSERT_GT(list.Skins()->Count(), 0) << "no skins to check";
        TskSkinData data(nullptr);
        data.SetSkinList(&list);
        for (int index = 0; index < list.Skins()->Count(); ++index) {
            data.SetSkinIndex(index);
            SCOPED_TRACE(data.Version.SkinName);
            const TTextCheck check = [](const char* what, TColor font, const TBitmap* picture, const TRect& area,
                                        double least) {
                ASSERT_NE(picture, nullptr) << what;
                EXPECT_GE(Contrast(Rgb(font), MeanColor(*picture, area)), least) << what;
            };
            CheckSharedText(data, check);
            if (role == TStoredSkinRole::User)
                CheckUserText(data, check);
        }
    }
}

TEST(StoredSkins, UserSkinsLookDifferent)
{
    std::vector<std::vector<std::uint8_t>> frames;
    for (const TStoredSkinFile& file : StoredSkinFiles(TStoredSkinRole::User)) {
        TskSkinData data(nullptr);
        TskCompressedStoredSkin stored(nullptr);
        TMemoryStream bytes;
        bytes.WriteBuffer(file.Bytes.data(), std::int64_t(file.Bytes.size()));
        stored.LoadFromCompressStream(bytes);
        data.LoadCompressedStoredSkin(&stored);
        TSurface& frame = *data.FPicture->Surface();
        frames.emplace_back(frame.Bits(), frame.Bits() + frame.SizeInBytes());
    }
    for (std::size_t a = 0; a < frames.size(); ++a)
        for (std::size_t b = a + 1; b < frames.size(); ++b)
            EXPECT_NE(frames[a], frames[b]) << "skins " << a << " and " << b << " draw the same frame";
}

} // namespace
} // namespace tovrel::test
