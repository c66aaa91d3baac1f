#pragma once
// The options dialog "选项": worker priority, files converted at once,
// preview while converting (tab "CPU设置"), the action after the batch and
// what to do with an existing output (tab "常规设置"). Its controls are the
// live options the main window reads; [Options] of option.ini keeps them.
#include "platform/vcl/Forms.h"

#include <functional>
#include <string>

namespace tovrel {

class TOptionIni;
class TskSkinButton;
class TskSkinCheckRadioBox;
class TskSkinComboBox;
class TskSkinData;
class TskSkinForm;
class TskSkinPageControl;

// What the dialog's controls say, by the values option.ini stores.
struct TConversionOptions {
    int AfterDone = 0;      // 0 open the output folder, 1 shut down, 2 play a sound, 3 nothing
    int ThreadPriority = 3; // 0 idle, 1 lowest, 2 lower, 3 normal
    bool OverwriteFile = false;
    bool ShowPreview = false;
    int ThreadCount = 1; // 1 to 19

    bool operator==(const TConversionOptions&) const = default;
};

inline constexpr int MaxThreadCount = 19;

class TOptionsForm : public TForm {
public:
    // skin: the main window's skin data (may be null).
    TOptionsForm(TComponent* owner, TskSkinData* skin);

    // Reads [Options] into the controls; keys that are missing or unknown are
    // repaired in the file with their defaults.
    void ReadOptions(TOptionIni& ini);
    // Writes one key per chosen control. False when the file cannot be written.
    bool WriteOptions(TOptionIni& ini) const;

    TConversionOptions Options() const;
    // Sets the controls as the user would (their click handlers run).
    void SetOptions(const TConversionOptions& options);

    // Shows the dialog modally. "确定" writes the options and closes; "取消"
    // (or closing the window) puts the controls back as they were.
    TModalResult Execute(TOptionIni& ini);
    // False when the last "确定" could not write option.ini.
    bool LastWriteSucceeded() const { return lastWriteSucceeded_; }

    // Runs whenever the preview box is set, by the user or by code.
    std::function<void(bool showPreview)> OnPreviewChanged;

    TskSkinButton* OkButton() const { return skSkinButton6; }
    TskSkinButton* CancelButton() const { return skSkinButton1; }
    TskSkinPageControl* Pages() const { return pages_; }

private:
    void BuildCpuTab(TWinControl& sheet, TskSkinData* skin);
    void BuildGeneralTab(TWinControl& sheet, TskSkinData* skin);
    TskSkinCheckRadioBox* AddBox(TWinControl& parent, TskSkinData* skin, const char* name, const std::string& caption,
                                 TRect bounds, bool radio);
    void SetThreadCount(int count);

    TskSkinForm* frame_ = nullptr;
    TskSkinPageControl* pages_ = nullptr;
    TOptionIni* executingIni_ = nullptr;
    bool lastWriteSucceeded_ = true;
    // Tab "CPU设置".
    TskSkinCheckRadioBox *skSkinCheckRadioBox9 = nullptr, *skSkinCheckRadioBox10 = nullptr,
                         *skSkinCheckRadioBox11 = nullptr, *skSkinCheckRadioBox12 = nullptr;
    TskSkinComboBox* skSkinComboBox2 = nullptr;
    TskSkinCheckRadioBox *skSkinCheckRadioBox8 = nullptr, *skSkinCheckRadioBox7 = nullptr;
    // Tab "常规设置".
    TskSkinCheckRadioBox *skSkinCheckRadioBox1 = nullptr, *skSkinCheckRadioBox2 = nullptr,
                         *skSkinCheckRadioBox4 = nullptr, *skSkinCheckRadioBox5 = nullptr;
    TskSkinCheckRadioBox *skSkinCheckRadioBox3 = nullptr, *skSkinCheckRadioBox6 = nullptr;
    TskSkinButton *skSkinButton6 = nullptr, *skSkinButton1 = nullptr;
};

} // namespace tovrel
