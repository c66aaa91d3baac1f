// Draws the program's main window headless with one of its skins, for a
// reviewer to look at: the window is built and started exactly as the
// program does, with a throw-away configuration that names the skin.
//
//   appshot --skin N --screenshot FILE.png      N = 0..6, the stored skins
#include "app/main/AboutForm.h"
#include "app/main/MainForm.h"
#include "app/main/ProgramBlock.h"
#include "app/options/OptionIni.h"
#include "platform/backend/HeadlessBackend.h"
#include "platform/vcl/Application.h"
#include "skin/data/SkinData.h"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <stdexcept>
#include <string>

using namespace tovrel;

namespace {

int ParseSkin(const std::string& text)
{
    if (text.size() != 1 || text[0] < '0' || text[0] > '9')
        throw std::runtime_error("--skin takes a skin number, not \"" + text + "\"");
    return text[0] - '0';
}

// HOME and the configuration live in a fresh folder, so the picture never
// depends on the user's option.ini and no folder of theirs is made.
std::filesystem::path ThrowAwayHome()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "appshot-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot make a temporary folder");
    const std::filesystem::path home = pattern;
    setenv("HOME", home.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (home / "config").c_str(), 1);
    setenv("TOVREL_BACKEND", "headless", 1);
    return home;
}

void Shoot(int skin, const std::string& file, const std::string& aboutFile)
{
    TOptionIni ini(OptionIniPath());
    if (!ini.Write("Skin", "SetSkin", std::to_string(skin)))
        throw std::runtime_error("cannot write " + ini.Path());
    StartProgramServices();
    {
        TMainForm main(nullptr);
        main.ShowNotice = [](const std::string& text) { std::fprintf(stderr, "appshot: notice: %s\n", text.c_str()); };
        main.DoCreate();
        CreateSecondaryWindows(main);
        if (main.SkinData() && skin != 0 && main.SkinData()->SkinIndex() != skin)
            throw std::runtime_error("the window has no skin " + std::to_string(skin));
        main.Show();
        Application->ProcessMessages();
        SaveWindowPng(main.Handle(), file);
        if (!aboutFile.empty()) {
            main.AboutBox()->Show();
            Application->ProcessMessages();
            SaveWindowPng(main.AboutBox()->Handle(), aboutFile);
        }
    }
    EndProgramServices();
}

} // namespace

int main(int argc, char** argv)
{
    int skin = -1;
    std::string file, aboutFile;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        if (option == "--skin")
            skin = ParseSkin(argv[i + 1]);
        else if (option == "--screenshot")
            file = argv[i + 1];
        else if (option == "--about")
            aboutFile = argv[i + 1];
        else
            skin = -2;
    }
    if ((argc != 5 && argc != 7) || skin < 0 || file.empty()) {
        std::fprintf(stderr, "usage: appshot --skin N --screenshot FILE.png [--about FILE.png]\n");
        return 2;
    }
    std::filesystem::path home;
    try {
        home = ThrowAwayHome();
        Shoot(skin, file, aboutFile);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "appshot: %s\n", e.what());
        std::error_code ignored;
        std::filesystem::remove_all(home, ignored);
        return 1;
    }
    std::error_code ignored;
    std::filesystem::remove_all(home, ignored);
    return 0;
}
