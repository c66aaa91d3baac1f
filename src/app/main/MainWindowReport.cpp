#include "app/main/MainWindowReport.h"

#include "app/main/MainForm.h"
#include "app/main/MainWindowReportLines.h"
#include "app/main/ProgramDataFiles.h"
#include "platform/rtl/MainThread.h"
#include "platform/vcl/Timer.h"
#include "skin/controls/SkinComboBox.h"
#include "skin/controls/SkinOfficeComboBox.h"
#include "skin/forms/FrameObjects.h"
#include "skin/forms/SkinForm.h"

#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <stdexcept>

namespace tovrel {

std::string InWindow(TForm& form, TPoint screen)
{
    return std::to_string(screen.X - form.Left()) + ',' + std::to_string(screen.Y - form.Top());
}

std::string CentreOf(TForm& form, TControl& control)
{
    return InWindow(form, control.ClientToScreen(Point(control.Width() / 2, control.Height() / 2)));
}

std::string ScreenCentre(TControl& control)
{
    const TPoint p = control.ClientToScreen(Point(control.Width() / 2, control.Height() / 2));
    return std::to_string(p.X) + ',' + std::to_string(p.Y);
}

namespace {

const char* BoxName(TParameterBox box)
{
    static const char* const names[] = {"framesize",    "videobitrate", "framerate",
                                        "audiobitrate", "samplerate",   "aspect"};
    return names[BoxIndex(box)];
}

class TMainWindowReport {
public:
    TMainWindowReport(TMainForm& main, std::string path) : main_(main), path_(std::move(path)) {}

    // Writes the report when its text changed since the last time.
    void Write()
    {
        if (main_.ComponentState().Contains(csDestroying))
            return;
        std::ostringstream text;
        WriteOffice(text, "category", *main_.CategoryBox());
        WriteOffice(text, "format", *main_.FormatBox());
        text << "key=" << main_.Data().All_Trant_Number << '\n';
        for (TParameterBox box : ParameterBoxes)
            text << "box." << BoxName(box) << '=' << main_.ParameterBox(box)->Text() << '\n';
        WriteCloseButton(text);
        text << "sound=" << AfterBatchSoundFile() << '\n';
        WriteRunLines(text, main_);
        WriteMenuLines(text, main_);
        WriteDialogLines(text, main_);
        if (text.str() == written_)
            return;
        written_ = text.str();
        // Renamed into place, so a script that sees the file finds it whole.
        const std::string partial = path_ + ".part";
        {
            std::ofstream out(partial, std::ios::trunc);
            out << written_;
            if (!out)
                throw std::runtime_error("cannot write " + partial);
        }
        if (std::rename(partial.c_str(), path_.c_str()) != 0)
            throw std::runtime_error("cannot write " + path_);
    }

private:
    void WriteOffice(std::ostream& out, const std::string& key, TskSkinOfficeComboBox& box) const
    {
        const int index = box.ItemIndex(), count = box.Items()->Count();
        out << key << ".at=" << CentreOf(main_, box) << '\n'
            << key << ".index=" << index << '\n'
            << key << ".open=" << box.IsPopupVisible() << '\n';
        if (index >= 0 && index < count)
            out << key << ".title=" << box.Items()->Items(index)->Title() << '\n';
        for (const auto& [i, at] : box.ShownRowCentres())
            out << key << ".row" << i << ".at=" << InWindow(main_, at) << '\n';
    }

    void WriteCloseButton(std::ostream& out) const
    {
        const TskSkinForm* frame = GetSkinForm(&main_);
        if (!frame)
            return;
        for (const auto& object : frame->Objects())
            if (auto* button = dynamic_cast<const TskSkinStdButtonObject*>(object.get());
                button && button->Visible && button->Command == TskStdCommand::cmClose)
                out << "close.at=" << (button->ObjectRect.Left + button->ObjectRect.Right) / 2 << ','
                    << (button->ObjectRect.Top + button->ObjectRect.Bottom) / 2 << '\n';
    }

    TMainForm& main_;
    std::string path_;
    std::string written_;
};

// Runs `note` after what the event did.
void Chain(TNotifyEvent& event, std::function<void()> note)
{
    event = [before = event, note = std::move(note)](TObject* sender) {
        if (before)
            before(sender);
        note();
    };
}

} // namespace

void InstallMainWindowReport(TMainForm& main, const std::string& path)
{
    auto report = std::make_shared<TMainWindowReport>(main, path);
    const auto write = [report] { report->Write(); };
    // Once a list is shown its rows are placed: written after the drop.
    const auto writeLater = [report] { TMainThread::Post([report] { report->Write(); }); };
    for (TskSkinOfficeComboBox* box : {main.CategoryBox(), main.FormatBox()}) {
        Chain(box->OnChange, write);
        Chain(box->OnDropDown, writeLater);
        Chain(box->OnCloseUp, write);
    }
    for (TParameterBox which : ParameterBoxes)
        Chain(main.ParameterBox(which)->OnChange, write);
    Chain(main.OnShow, writeLater);
    // Progress, the preview's clock, menus and the dialogs' modal runs
    // change the state without an event of their own: it is also watched.
    auto* watch = new TTimer(&main);
    watch->SetInterval(100);
    watch->SetOnTimer([report](TObject*) { report->Write(); });
}

} // namespace tovrel
