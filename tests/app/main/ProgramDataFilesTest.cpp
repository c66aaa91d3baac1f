// The after-batch sound is found beside the program in a build tree and in
// the data folder of an installed program, the copy beside it first.
#include "app/main/ProgramDataFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace tovrel::test {
namespace {

namespace fs = std::filesystem;

class ProgramDataFilesTest : public testing::Test {
protected:
    void SetUp() override
    {
        root_ = fs::temp_directory_path() /
                ("tovrel-data-" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(root_);
        fs::create_directories(root_ / "bin");
    }
    void TearDown() override { fs::remove_all(root_); }

    std::string Program() const { return (root_ / "bin").string() + "/"; }
    static std::string Touch(const std::string& file)
    {
        fs::create_directories(fs::path(file).parent_path());
        std::ofstream(file) << "RIFF";
        return file;
    }

    fs::path root_;
};

TEST_F(ProgramDataFilesTest, TheInstalledSoundIsFoundUnderThePrefix)
{
    const std::string installed = Touch(InstalledDataFolder(Program()) + "sounds/ring001.wav");
    EXPECT_EQ(fs::weakly_canonical(installed), fs::weakly_canonical(root_ / "share/tovrel/sounds/ring001.wav"));
    EXPECT_EQ(FindAfterBatchSound(Program()), installed);
}

TEST_F(ProgramDataFilesTest, TheSoundBesideTheProgramComesFirst)
{
    Touch(InstalledDataFolder(Program()) + "sounds/ring001.wav");
    const std::string beside = Touch(Program() + "sounds/ring001.wav");
    EXPECT_EQ(FindAfterBatchSound(Program()), beside);
}

TEST_F(ProgramDataFilesTest, NoSoundIsEmpty)
{
    EXPECT_EQ(FindAfterBatchSound(Program()), "");
    // A folder of that name is no sound either.
    fs::create_directories(Program() + "sounds/ring001.wav");
    EXPECT_EQ(FindAfterBatchSound(Program()), "");
}

} // namespace
} // namespace tovrel::test
