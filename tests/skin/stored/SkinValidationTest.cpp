// The checks the generator runs on every skin: each kind of fault, planted in
// an otherwise sound skin, is reported.
#include <gtest/gtest.h>

#include "StoredSkinTestSupport.h"
#include "skin/data/SkinIniFile.h"
#include "skin/stored/SkinValidation.h"

namespace tovrel::test {
namespace {

std::string AllProblems(const std::vector<std::string>& problems)
{
    std::string text;
    for (const std::string& p : problems)
        text += p + "\n";
    return text;
}

// The key of the list line naming `entry` in SKINOBJECTS or SKINCONTROLS.
std::string ListKeyOf(const TskIniFile& ini, std::string_view list, std::string_view entry)
{
    for (const std::string& line : ini.ReadSectionValues(list)) {
        const std::size_t eq = line.find('=');
        if (line.substr(eq + 1).starts_with(std::string(entry) + ":"))
            return line.substr(0, eq);
    }
    return {};
}

struct TPlantedFault {
    const char* What;
    const char* Section;
    const char* Key; // empty: the list line of the section named in Value's entry
    const char* Value;
    const char* Reported;
};

const TPlantedFault kFaults[] = {
    {"a required control is missing", "SKINCONTROLS", "", "pushbutton:button", "control button is missing"},
    {"an entry of the wrong class", "SKINCONTROLS", "", "button:panel", "control button is not of kind button"},
    {"a picture index beyond the pictures", "button", "pictureindex", "99", "names picture 99"},
    {"an image outside its picture", "button", "activeskinrect", "0,0,5000,25", "falls outside"},
    {"a place outside the image", "hscrollbar", "trackarea", "19,0,500,19", "falls outside"},
    {"a negative coordinate", "edit", "clientrect", "-1,2,30,18", "negative coordinate"},
    {"corner points of another resize mode", "combobox", "rightbottompoint", "10,10", "resize mode"},
    {"an active picture count that disagrees", "PICTURES", "activepicturescount", "2", "activepicturescount is 2"},
    {"a combo box naming no list box", "combobox", "listboxname", "nolist", "names nolist"},
    {"a frame geometry outside the frame", "FORMINFO", "clientrect", "4,28,900,196", "[FORMINFO] clientrect"},
    {"a colour left to the desktop", "SKINCOLORS", "cbtnface", "-16777201", "skin colour cbtnface"},
    {"a popup window without its picture", "POPUPWINDOW", "windowpictureindex", "-1", "popup window lacks"},
};

TEST(SkinValidation, ReportsEachPlantedFault)
{
    const TskSkinContent sound = test::UnpackStoredSkin(StoredSkinFiles(TStoredSkinRole::User).at(0));
    ASSERT_EQ(AllProblems(ValidateSkinContent(sound, TStoredSkinRole::User)), "");
    for (const TPlantedFault& fault : kFaults) {
        SCOPED_TRACE(fault.What);
        TskIniFile ini(sound.IniText);
        std::string key = fault.Key;
        if (key.empty()) {
            key = ListKeyOf(ini, fault.Section, "button");
            ASSERT_FALSE(key.empty());
        }
        ini.WriteString(fault.Section, key, fault.Value);
        TskSkinContent broken = test::UnpackStoredSkin(StoredSkinFiles(TStoredSkinRole::User).at(0));
        broken.IniText = ini.GetText();
        EXPECT_NE(AllProblems(ValidateSkinContent(broken, TStoredSkinRole::User)).find(fault.Reported),
                  std::string::npos)
            << AllProblems(ValidateSkinContent(broken, TStoredSkinRole::User));
    }
}

TEST(SkinValidation, TheToolsSkinLacksWhatOnlyUserSkinsNeed)
{
    const TStoredSkinFile tools = StoredSkinFiles(TStoredSkinRole::Tools).at(0);
    EXPECT_EQ(AllProblems(ValidateCompressedSkin(tools.Bytes, TStoredSkinRole::Tools)), "");
    const std::string asUser = AllProblems(ValidateCompressedSkin(tools.Bytes, TStoredSkinRole::User));
    EXPECT_NE(asUser.find("control button is missing"), std::string::npos) << asUser;
    EXPECT_NE(asUser.find("the frame picture is missing"), std::string::npos) << asUser;
}

TEST(SkinValidation, DamagedFilesAreReportedNotThrown)
{
    const std::string sound(StoredSkinFiles().at(0).Bytes);
    for (const std::string& bytes : {std::string(), sound.substr(0, 20), sound.substr(0, 8) + std::string(40, 'x')})
        EXPECT_FALSE(ValidateCompressedSkin(bytes, TStoredSkinRole::User).empty());
}

} // namespace
} // namespace tovrel::test
