#pragma once
// The output format dialog over a recording stand-in for the main window.
#include "app/format/OutputFormatForm.h"
#include "app/format/OutputFormatHost.h"
#include "skin/controls/SkinComboBox.h"
#include "skin/controls/SkinOfficeComboBox.h"

#include <memory>
#include <string>
#include <vector>

namespace tovrel::test {

class TRecordingHost : public IOutputFormatHost {
public:
    TPendingOutputSettings& PendingOutputSettings() override { return Pending; }
    void SetPresetKey(int key) override { Keys.push_back(key); }
    TPresetStepContext OutputNameContext() const override { return Context; }
    TskSkinData* SkinData() const override { return Skin; }

    int LastKey() const { return Keys.empty() ? -1 : Keys.back(); }

    TPendingOutputSettings Pending;
    std::vector<int> Keys;
    TPresetStepContext Context;
    TskSkinData* Skin = nullptr;
};

// The dialog's form freed at the end of the test (it belongs to the application).
struct TFormDeleter {
    void operator()(TForm6* form) const { delete form; }
};
using TForm6Ptr = std::unique_ptr<TForm6, TFormDeleter>;

inline TForm6Ptr CreateDialog(TRecordingHost& host)
{
    return TForm6Ptr(CreateOutputFormatForm(host));
}

// Chooses a category and a format as the user does, each choice running its handlers.
inline void ChooseFormat(TForm6& form, int category, int format)
{
    form.skSkinOfficeComboBox2->SetItemIndex(category);
    form.skSkinOfficeComboBox1->SetItemIndex(format);
}

// Chooses the item of that text in a parameter box; false when the box has none.
inline bool ChooseBoxText(TskSkinComboBox& box, const std::string& text)
{
    const int index = box.Items()->IndexOf(text);
    if (index < 0)
        return false;
    box.SetItemIndex(index);
    return true;
}

} // namespace tovrel::test
