// Shows every skinned control on one form, drawn with one skin.
//
//   skingallery [--skin N] [--shell-folder DIR] [--screenshot FILE | --report FILE]
//     N = 0: no skin data (the default looks); 1..7: the user skins in
//     stored order. The shell page opens on a fixture of media files it
//     writes into DIR, or into a temporary folder removed at exit. --screenshot renders headless into a PNG and exits.
//     --report opens the form on the desktop backend for a script to drive:
//     FILE gets the buttons', check boxes', list view's, combo boxes' and
//     form's state after every click, scroll of the list, change of a combo
//     box and every move or size, and FILE.png the X screen at the end of
//     each move or size, maximize or restore, and after each hint shown.
#include "HeadlessScreenshot.h"
#include "ShellBand.h"
#include "SkinGalleryForm.h"
#include "SkinGalleryReport.h"

#include "platform/backend/BackendChoice.h"
#include "platform/backend/DesktopBackend.h"
#include "platform/rtl/MainThread.h"
#include "platform/vcl/Application.h"
#include "platform/wm/MessageLoop.h"
#include "skin/data/SkinData.h"
#include "skin/stored/StoredSkins.h"

#include <cstdio>
#include <exception>
#include <stdexcept>
#include <string>

using namespace tovrel;

namespace {

// Null for skin 0.
std::unique_ptr<TskSkinData> LoadUserSkin(int number)
{
    if (number == 0)
        return nullptr;
    const auto files = StoredSkinFiles(TStoredSkinRole::User);
    if (number < 0 || number > int(files.size()))
        throw std::runtime_error("--skin takes 0 to " + std::to_string(files.size()));
    const TStoredSkinFile& file = files[std::size_t(number - 1)];
    return LoadStoredSkin(file);
}

int ParseSkinNumber(const std::string& text)
{
    std::size_t used = 0;
    int number = -1;
    try {
        number = std::stoi(text, &used);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used != text.size() || text.empty())
        throw std::runtime_error("--skin takes a number, not \"" + text + "\"");
    return number;
}

// Renamed into place, like the report.
int RunReported(int skinNumber, const std::string& report)
{
    auto desktop = std::dynamic_pointer_cast<TDesktopBackend>(InstallBackend("desktop"));
    if (!desktop)
        throw std::runtime_error("the desktop backend is not there");
    {
        auto skin = LoadUserSkin(skinNumber);
        auto form = skingallery::BuildSkinGalleryForm(skin.get());
        form->OnClose = [](TObject*, TCloseAction&) { Application->Terminate(); };
        skingallery::ReportGalleryState(*form, report, [&] { gallery::DesktopScreenshot(*desktop, report + ".png"); });
        form->Show();
        Application->Run();
    }
    PumpWaitingMessages();
    desktop.reset();
    SetBackend(nullptr);
    return 0;
}

int Run(int skinNumber, const std::string& screenshot)
{
    if (!screenshot.empty()) {
        // The skin loads after the backend is in place: a skin's pictures
        // belong to the backend they were made on.
        std::unique_ptr<TskSkinData> skin;
        gallery::HeadlessScreenshot(
            [&] {
                skin = LoadUserSkin(skinNumber);
                return skingallery::BuildSkinGalleryForm(skin.get());
            },
            screenshot);
        return 0;
    }
    InstallBackendFromEnvironment();
    auto skin = LoadUserSkin(skinNumber);
    auto form = skingallery::BuildSkinGalleryForm(skin.get());
    form->OnClose = [](TObject*, TCloseAction&) { Application->Terminate(); };
    form->Show();
    Application->Run();
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    TMainThread::SetCurrent();
    try {
        int skinNumber = 0;
        std::string screenshot, report;
        for (int i = 1; i < argc; ++i) {
            const std::string option = argv[i];
            if (i + 1 >= argc ||
                (option != "--skin" && option != "--shell-folder" && option != "--screenshot" &&
                 option != "--report") ||
                (option == "--screenshot" && !report.empty()) || (option == "--report" && !screenshot.empty())) {
                std::fprintf(stderr, "usage: skingallery [--skin N] [--shell-folder DIR] "
                                     "[--screenshot FILE.png | --report FILE]\n");
                return 2;
            }
            if (option == "--skin")
                skinNumber = ParseSkinNumber(argv[++i]);
            else if (option == "--shell-folder") {
                const std::string folder = argv[++i];
                if (folder.empty())
                    throw std::runtime_error("--shell-folder takes a folder");
                skingallery::SetShellFixtureFolder(folder);
            } else if (option == "--screenshot")
                screenshot = argv[++i];
            else
                report = argv[++i];
        }
        return report.empty() ? Run(skinNumber, screenshot) : RunReported(skinNumber, report);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "skingallery: %s\n", e.what());
        return 1;
    }
}
