#include "ShellFixture.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <unistd.h>

namespace tovrel::skingallery {

const char* const ShellFixtureSubFolder = "子 文件夹";

namespace {

namespace fs = std::filesystem;

// The temporary fixture's own name, in the temporary folder.
constexpr const char* kFixtureName = "媒体 样例";

// Video, audio, picture and text files, relative to the fixture's folder.
const char* const kFiles[] = {
    "海边 日落.mp4", "访谈 第二集.MKV", "old clip.avi",          "主题曲.mp3",         "ambient rain.wav",
    "封面.jpg",      "notes.txt",       "子 文件夹/片段 一.mkv", "子 文件夹/旁白.wav",
};

void MakeFolder(const fs::path& folder)
{
    std::error_code error;
    fs::create_directories(folder, error);
    if (error || !fs::is_directory(folder))
        throw std::runtime_error("cannot make the folder " + folder.string());
}

} // namespace

void WriteShellFixture(const std::string& folder)
{
    const fs::path root(folder);
    MakeFolder(root / ShellFixtureSubFolder);
    for (const char* name : kFiles) {
        // Appending makes a missing file and leaves an existing one alone.
        std::ofstream file(root / name, std::ios::app);
        if (!file)
            throw std::runtime_error("cannot make the file " + (root / name).string());
    }
}

TTempShellFixture::TTempShellFixture(TComponent* AOwner) : TComponent(AOwner)
{
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/skingallery-shell-XXXXXX";
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("cannot make a temporary folder from " + pattern);
    temp_ = pattern;
    path_ = temp_ + "/" + kFixtureName;
    try {
        WriteShellFixture(path_);
    } catch (...) {
        std::error_code ignored;
        fs::remove_all(temp_, ignored);
        throw;
    }
}

TTempShellFixture::~TTempShellFixture()
{
    std::error_code ignored; // nothing left to tell at exit
    fs::remove_all(temp_, ignored);
}

} // namespace tovrel::skingallery
