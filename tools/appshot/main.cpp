// Draws the program's main window headless with one of its skins, for a
// reviewer to look at: the window is built and started exactly as the
// program does, with a throw-away configuration that names the skin.
//
//   appshot --skin N --screenshot FILE.png [--add MEDIA]... [--run] [--preview MEDIA] [--about FILE.png]
//     N = 0..6, the stored skins; --add puts files in the list through the
//     open dialog's seam, --run converts them before the picture is taken,
//     --preview opens a file in the preview panel first, --about also
//     writes the about box's picture.
#include "app/main/AboutForm.h"
#include "app/main/MainForm.h"
#include "app/main/PreviewScreen.h"
#include "app/main/ProgramBlock.h"
#include "app/options/OptionIni.h"
#include "platform/backend/HeadlessBackend.h"
#include "platform/gdi/Surface.h"
#include "platform/rtl/MainThread.h"
#include "platform/vcl/Application.h"
#include "player/Player.h"
#include "skin/data/SkinData.h"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

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

// Opens the media in the preview and waits (at most 30 s) for its first
// picture to be painted.
void OpenPreview(TMainForm& main, const std::string& media)
{
    // A file just added is open there already (its row is selected); opened
    // again, the wait below could see the first opening's picture.
    if (main.PreviewFile() != media && !main.OpenPreview(media))
        throw std::runtime_error("cannot preview " + media);
    // In the surface the panel paints from, not only decoded.
    const auto shown = [&] {
        bool drawn = false;
        main.Player().Surface().Read(
            [&](const TSurface& surface, std::int64_t pts) { drawn = pts >= 0 && surface.Width() > 0; });
        return drawn && main.Player().Paused();
    };
    for (int waited = 0; waited < 30000 && !TMainThread::WaitPumping(shown, 10); waited += 10) {}
    if (!shown())
        throw std::runtime_error("no picture of " + media);
    // The player's notice of the picture reaches the panel as a queued
    // repaint that may not have run yet: paint the panel now.
    main.PreviewScreen()->Repaint();
    Application->ProcessMessages();
}

struct TShot {
    int Skin = -1;
    std::string File;
    std::vector<std::string> Media;
    bool Run = false;
    std::string Preview;
    std::string About;
};

// Adds the files as the open dialog would hand them over, and runs them
// (with no after-batch action) when asked.
void FillList(TMainForm& main, const TShot& shot)
{
    if (shot.Media.empty())
        return;
    main.OpenMediaFiles = [&shot](bool) { return shot.Media; };
    main.AddSeveralFiles();
    if (!shot.Run)
        return;
    main.StartBatch();
    TMainThread::WaitPumping([&main] { return main.WorkflowState() == TWorkflowState::AfterBatch; }, 120000);
}

void Shoot(const TShot& shot)
{
    const int skin = shot.Skin;
    const std::string& file = shot.File;
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
        FillList(main, shot);
        Application->ProcessMessages();
        if (!shot.Preview.empty())
            OpenPreview(main, shot.Preview);
        SaveWindowPng(main.Handle(), file);
        if (!shot.About.empty()) {
            main.AboutBox()->Show();
            Application->ProcessMessages();
            SaveWindowPng(main.AboutBox()->Handle(), shot.About);
        }
    }
    EndProgramServices();
}

} // namespace

int main(int argc, char** argv)
{
    TShot shot;
    bool bad = false;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        const bool hasValue = i + 1 < argc;
        if (option == "--run")
            shot.Run = true;
        else if (option == "--skin" && hasValue)
            shot.Skin = ParseSkin(argv[++i]);
        else if (option == "--screenshot" && hasValue)
            shot.File = argv[++i];
        else if (option == "--add" && hasValue)
            shot.Media.push_back(std::filesystem::absolute(argv[++i]).string());
        else if (option == "--preview" && hasValue)
            shot.Preview = std::filesystem::absolute(argv[++i]).string();
        else if (option == "--about" && hasValue)
            shot.About = argv[++i];
        else
            bad = true;
    }
    if (bad || shot.Skin < 0 || shot.File.empty()) {
        std::fprintf(stderr, "usage: appshot --skin N --screenshot FILE.png [--add MEDIA]... [--run] [--preview MEDIA] "
                             "[--about FILE.png]\n");
        return 2;
    }
    std::filesystem::path home;
    try {
        home = ThrowAwayHome();
        Shoot(shot);
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
