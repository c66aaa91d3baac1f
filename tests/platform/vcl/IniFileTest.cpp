#include "platform/vcl/Errors.h"
#include "platform/vcl/IniFiles.h"
#include "platform/vcl/StringList.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

namespace tovrel::test {
namespace {

class IniFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder_ = std::filesystem::temp_directory_path() /
                  ("vcl_ini_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::string Path(const char* name) const { return (folder_ / name).string(); }
    static void WriteFile(const std::string& path, const std::string& text)
    {
        std::ofstream(path, std::ios::binary) << text;
    }
    static std::string ReadFile(const std::string& path)
    {
        std::ifstream file(path, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    }

    std::filesystem::path folder_;
};

const char* const kSample = "\xEF\xBB\xBF; top comment\r\n"
                            "[Option]\r\n"
                            "  Output Folder =  /home/用户/输出  \r\n"
                            "; keep me\r\n"
                            "Count=$1F\r\n"
                            "Flag=1\r\n"
                            "Bad=12x\r\n"
                            "\r\n"
                            "[SnapShot]\r\n"
                            "Picture=PNG\r\n"
                            "[option]\r\n"
                            "Count=99\r\n";

struct TReadCase {
    const char* Section;
    const char* Key;
    const char* Expected; // ReadString with default "Error"
};

TEST_F(IniFileTest, ReadsAreCaseInsensitiveTrimmedAndFirstSectionWins)
{
    const TReadCase cases[] = {
        {"Option", "Output Folder", "/home/用户/输出"},
        {"OPTION", "output folder", "/home/用户/输出"},
        {"option", "Count", "$1F"},
        {"Option", "; keep me", "Error"},
        {"Option", "Missing", "Error"},
        {"Missing", "Count", "Error"},
        {"snapshot", "PICTURE", "PNG"},
    };
    const std::string path = Path("option.ini");
    WriteFile(path, kSample);
    TIniFile disk(path);
    TMemIniFile memory(path);
    for (TCustomIniFile* ini : {static_cast<TCustomIniFile*>(&disk), static_cast<TCustomIniFile*>(&memory)}) {
        for (const TReadCase& c : cases)
            EXPECT_EQ(ini->ReadString(c.Section, c.Key, "Error"), c.Expected) << c.Section << "/" << c.Key;
        EXPECT_EQ(ini->ReadInteger("Option", "Count", 0), 31);
        EXPECT_EQ(ini->ReadInteger("Option", "Bad", 7), 7);
        EXPECT_TRUE(ini->ReadBool("Option", "Flag", false));
        EXPECT_TRUE(ini->ReadBool("Option", "Bad", true));
        EXPECT_TRUE(ini->SectionExists("SNAPSHOT"));
        EXPECT_FALSE(ini->SectionExists("Nothing"));
        EXPECT_TRUE(ini->ValueExists("Option", "flag"));
        EXPECT_FALSE(ini->ValueExists("Option", "keep me"));

        TStringList keys, values, sections;
        ini->ReadSection("Option", keys);
        EXPECT_EQ(keys.CommaText(), "\"Output Folder\",Count,Flag,Bad");
        ini->ReadSectionValues("snapshot", values);
        EXPECT_EQ(values.Text(), "Picture=PNG\r\n");
        ini->ReadSections(sections);
        EXPECT_EQ(sections.CommaText(), "Option,SnapShot");
    }
}

struct TWriteCase {
    const char* Name;
    std::function<void(TCustomIniFile&)> Change;
    const char* Expected; // file text afterwards, starting from kSample
};

TEST_F(IniFileTest, WritesChangeOnlyTheirLinesAndKeepEverythingElse)
{
    const TWriteCase cases[] = {
        {"replace", [](TCustomIniFile& ini) { ini.WriteInteger("OPTION", "count", 5); },
         "\xEF\xBB\xBF; top comment\r\n[Option]\r\n  Output Folder =  /home/用户/输出  \r\n; keep me\r\ncount=5\r\n"
         "Flag=1\r\nBad=12x\r\n\r\n[SnapShot]\r\nPicture=PNG\r\n[option]\r\nCount=99\r\n"},
        {"new key goes after the section's last line",
         [](TCustomIniFile& ini) { ini.WriteBool("Option", "New", false); },
         "\xEF\xBB\xBF; top comment\r\n[Option]\r\n  Output Folder =  /home/用户/输出  \r\n; keep me\r\nCount=$1F\r\n"
         "Flag=1\r\nBad=12x\r\nNew=0\r\n\r\n[SnapShot]\r\nPicture=PNG\r\n[option]\r\nCount=99\r\n"},
        {"new section", [](TCustomIniFile& ini) { ini.WriteString("视频", "键", " 值 "); },
         "\xEF\xBB\xBF; top comment\r\n[Option]\r\n  Output Folder =  /home/用户/输出  \r\n; keep me\r\nCount=$1F\r\n"
         "Flag=1\r\nBad=12x\r\n\r\n[SnapShot]\r\nPicture=PNG\r\n[option]\r\nCount=99\r\n\r\n[视频]\r\n键=值\r\n"},
        {"delete key", [](TCustomIniFile& ini) { ini.DeleteKey("snapshot", "picture"); },
         "\xEF\xBB\xBF; top comment\r\n[Option]\r\n  Output Folder =  /home/用户/输出  \r\n; keep me\r\nCount=$1F\r\n"
         "Flag=1\r\nBad=12x\r\n\r\n[SnapShot]\r\n[option]\r\nCount=99\r\n"},
        {"erase section (every copy)", [](TCustomIniFile& ini) { ini.EraseSection("OPTION"); },
         "\xEF\xBB\xBF; top comment\r\n[SnapShot]\r\nPicture=PNG\r\n"},
    };
    for (const TWriteCase& c : cases) {
        const std::string diskPath = Path("disk.ini"), memoryPath = Path("memory.ini");
        WriteFile(diskPath, kSample);
        WriteFile(memoryPath, kSample);
        TIniFile disk(diskPath);
        c.Change(disk);
        EXPECT_EQ(ReadFile(diskPath), c.Expected) << c.Name;
        TMemIniFile memory(memoryPath);
        c.Change(memory);
        EXPECT_EQ(ReadFile(memoryPath), kSample) << c.Name << ": nothing written before UpdateFile";
        memory.UpdateFile();
        EXPECT_EQ(ReadFile(memoryPath), c.Expected) << c.Name;
    }
}

TEST_F(IniFileTest, WriteCreatesFileAndSectionAndKeepsLfFiles)
{
    const std::string path = Path("new.ini");
    TIniFile ini(path);
    ini.WriteString("SnapShot", "Picture", "BMP");
    EXPECT_EQ(ReadFile(path), "[SnapShot]\r\nPicture=BMP\r\n");
    EXPECT_EQ(TIniFile(path).ReadString("snapshot", "picture", "Error"), "BMP");

    const std::string lf = Path("lf.ini");
    WriteFile(lf, "[a]\nx=1\n");
    TIniFile(lf).WriteString("a", "y", "2");
    EXPECT_EQ(ReadFile(lf), "[a]\nx=1\ny=2\n");
}

TEST_F(IniFileTest, BadNamesAndUnwritableFilesAreErrorsNotSilentSuccess)
{
    TMemIniFile memory;
    EXPECT_THROW(memory.WriteString("a", "k=v", "x"), EIniFileException);
    EXPECT_THROW(memory.WriteString("a", "", "x"), EIniFileException);
    EXPECT_THROW(memory.WriteString("a]b", "k", "x"), EIniFileException);
    EXPECT_THROW(memory.WriteString("a", "k", "two\nlines"), EIniFileException);
    EXPECT_FALSE(memory.SectionExists("a"));

    TIniFile unwritable(Path("missing-folder/option.ini"));
    EXPECT_THROW(unwritable.WriteString("a", "k", "v"), EIniFileException);
    EXPECT_EQ(unwritable.ReadString("a", "k", "Error"), "Error");
}

} // namespace
} // namespace tovrel::test
