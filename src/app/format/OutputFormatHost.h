#pragma once
// What the output format dialog reaches in the main window: the pending
// output settings it writes, the preset key it stores, what the output name
// is made from, and the skin it wears. The main window implements it, so the
// dialog does not depend on the main window's form.
#include "app/presets/PendingSettings.h"
#include "app/presets/PresetStep.h"

namespace tovrel {

class TskSkinData;

class IOutputFormatHost {
public:
    virtual ~IOutputFormatHost() = default;

    // The settings the dialog's steps write for the next output.
    virtual TPendingOutputSettings& PendingOutputSettings() = 0;
    // The dialog's preset key, kept by the main window.
    virtual void SetPresetKey(int key) = 0;
    // The input file, the output folder's text and the overwrite option the
    // output name is derived from, read afresh at each confirm.
    virtual TPresetStepContext OutputNameContext() const = 0;
    // The main window's skin; null draws the default looks.
    virtual TskSkinData* SkinData() const = 0;
};

} // namespace tovrel
