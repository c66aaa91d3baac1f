#pragma once
// The real main window made headless as the program makes it, with HOME and
// the configuration folder in a fresh temporary folder per test, and the
// notices it shows written down instead of shown.
#include "app/main/MainForm.h"
#include "app/main/ProgramBlock.h"
#include "app/options/OptionIni.h"
#include "app/options/OptionsForm.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace tovrel::test {

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "mainwindow-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        root = pattern;
        home = root / "home";
        config = root / "config";
        std::filesystem::create_directories(home);
        Remember("HOME");
        Remember("XDG_CONFIG_HOME");
        setenv("HOME", home.c_str(), 1);
        setenv("XDG_CONFIG_HOME", config.c_str(), 1);
        StartProgramServices();
    }
    void TearDown() override
    {
        main.reset();
        EndProgramServices();
        for (const auto& [name, value] : saved)
            value ? setenv(name.c_str(), value->c_str(), 1) : unsetenv(name.c_str());
        std::error_code ignored;
        std::filesystem::permissions(root, std::filesystem::perms::owner_all, ignored);
        std::filesystem::remove_all(root, ignored);
    }

    // Makes the windows: the main window runs its start-up, then the options
    // dialog reads its options.
    TMainForm& Start()
    {
        main = std::make_unique<TMainForm>(nullptr);
        main->ShowNotice = [this](const std::string& text) { notices.push_back(text); };
        main->DoCreate();
        CreateSecondaryWindows(*main);
        return *main;
    }

    std::filesystem::path IniPath() const { return config / "tovrel" / "option.ini"; }
    void WriteIni(const std::string& text) const
    {
        std::filesystem::create_directories(IniPath().parent_path());
        std::ofstream(IniPath()) << text;
    }
    std::string IniValue(std::string_view section, std::string_view key) const
    {
        return TOptionIni(IniPath().string()).Read(section, key);
    }
    std::filesystem::path DefaultOutput() const { return home / "Tovrel视频软件" / "输出"; }
    std::filesystem::path DefaultSnapshots() const { return home / "Tovrel视频软件" / "快照"; }

    std::filesystem::path root, home, config;
    std::unique_ptr<TMainForm> main;
    std::vector<std::string> notices;

private:
    void Remember(const char* name)
    {
        const char* value = std::getenv(name);
        saved.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
    }
    std::vector<std::pair<std::string, std::optional<std::string>>> saved;
};

} // namespace tovrel::test
