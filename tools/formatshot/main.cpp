// Renders the output format dialog headless into a PNG, for review: the
// program never shows it.
//
//   formatshot [--skin N] [--category C --format F] --screenshot FILE.png
//     N = 0: no skin data (the default looks); 1..7: the user skins in
//     stored order. The dialog is created as the program creates it (its
//     start-up chain filled the boxes for the first format), category C
//     and format F (both 0 by default) are chosen, and it is shown.
#include "HeadlessScreenshot.h"

#include "app/format/OutputFormatForm.h"
#include "app/format/OutputFormatHost.h"
#include "platform/rtl/MainThread.h"
#include "skin/controls/SkinOfficeComboBox.h"
#include "skin/data/SkinData.h"
#include "skin/stored/StoredSkins.h"

#include <charconv>
#include <cstdio>
#include <exception>
#include <map>
#include <stdexcept>
#include <string>

using namespace tovrel;

namespace {

// The main window's side, as far as the dialog reaches it.
class TReviewHost : public IOutputFormatHost {
public:
    TPendingOutputSettings& PendingOutputSettings() override { return pending_; }
    void SetPresetKey(int) override {}
    TPresetStepContext OutputNameContext() const override { return {}; }
    TskSkinData* SkinData() const override { return skin_.get(); }

    // Loaded once the backend is in place: a skin's pictures belong to it.
    void LoadSkin(int number)
    {
        if (number == 0)
            return;
        const auto files = StoredSkinFiles(TStoredSkinRole::User);
        if (number < 0 || number > int(files.size()))
            throw std::runtime_error("--skin takes 0 to " + std::to_string(files.size()));
        skin_ = LoadStoredSkin(files[std::size_t(number - 1)]);
    }

private:
    TPendingOutputSettings pending_;
    std::unique_ptr<TskSkinData> skin_;
};

// A whole number from an option's text.
int OptionNumber(const std::string& option, const std::string& text)
{
    int number = -1;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size())
        throw std::runtime_error(option + " takes a number, not \"" + text + "\"");
    return number;
}

// Chooses a category and a format as the user would, after the start-up chain.
void ChooseFormat(TForm6& form, int category, int format)
{
    if (category < 0 || category >= form.skSkinOfficeComboBox2->Items()->Count())
        throw std::runtime_error("--category takes 0 to " +
                                 std::to_string(form.skSkinOfficeComboBox2->Items()->Count() - 1));
    form.skSkinOfficeComboBox2->SetItemIndex(category);
    if (format < 0 || format >= form.skSkinOfficeComboBox1->Items()->Count())
        throw std::runtime_error("--format takes 0 to " +
                                 std::to_string(form.skSkinOfficeComboBox1->Items()->Count() - 1) +
                                 " in this category");
    form.skSkinOfficeComboBox1->SetItemIndex(format);
}

int Run(int argc, char** argv)
{
    std::map<std::string, std::string> options = {{"--skin", "0"}, {"--category", "0"}, {"--format", "0"}};
    std::string screenshot;
    for (int i = 1; i < argc; i += 2) {
        const std::string option = argv[i];
        if (i + 1 >= argc || (option != "--screenshot" && !options.contains(option))) {
            screenshot.clear();
            break;
        }
        (option == "--screenshot" ? screenshot : options[option]) = argv[i + 1];
    }
    if (screenshot.empty()) {
        std::fprintf(stderr, "usage: formatshot [--skin N] [--category C --format F] --screenshot FILE.png\n");
        return 2;
    }
    const int skinNumber = OptionNumber("--skin", options["--skin"]);
    const int category = OptionNumber("--category", options["--category"]);
    const int format = OptionNumber("--format", options["--format"]);
    TReviewHost host;
    gallery::HeadlessScreenshot(
        [&] {
            host.LoadSkin(skinNumber);
            std::unique_ptr<TForm6> form(CreateOutputFormatForm(host));
            ChooseFormat(*form, category, format);
            // The screenshot's monitor is narrower than the dialog: show it from the left edge.
            form->Position = poDesigned;
            form->SetBounds(0, 0, form->Width(), form->Height());
            return std::unique_ptr<TForm>(std::move(form));
        },
        screenshot);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    TMainThread::SetCurrent();
    try {
        return Run(argc, argv);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "formatshot: %s\n", e.what());
        return 1;
    }
}
