#pragma once
// A fresh folder for one test's files, removed with everything in it afterwards.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace tovrel::test {

class TTestFolder {
public:
    TTestFolder()
    {
        std::string pattern = (std::filesystem::path(::testing::TempDir()) / "tovrel-media-XXXXXX").string();
        if (::mkdtemp(pattern.data()))
            path_ = pattern;
        EXPECT_FALSE(path_.empty()) << "cannot make a folder from " << pattern;
    }
    ~TTestFolder()
    {
        std::error_code error;
        if (!path_.empty())
            std::filesystem::remove_all(path_, error);
    }
    TTestFolder(const TTestFolder&) = delete;
    TTestFolder& operator=(const TTestFolder&) = delete;

    std::string Path(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

} // namespace tovrel::test
