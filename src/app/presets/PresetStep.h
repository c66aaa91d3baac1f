#pragma once

#include <optional>
#include <string>

#include "app/presets/OutputFileName.h"
#include "app/presets/PendingSettings.h"
#include "app/presets/PresetCatalog.h"

namespace tovrel {

// Writes every field the profile assigns; the others keep their values.
void ApplyEncoderProfile(const TEncoderProfile& profile, TPendingOutputSettings& pending);

// What the preset step reads besides the two boxes.
struct TPresetStepContext {
    std::string AddFileName;      // full path of the input being added
    std::string OutputFolder;     // the output folder's text
    bool OverwriteOutput = false; // "直接覆盖输出文件" is chosen
    TNameInUse NameInUse;         // outputs already given to other rows
};

// The main window's preset step: reset the pending settings, compute the preset
// key, take its profile with the output name (folder + input name with the
// profile's extension) and make that name unique. A key without a profile
// leaves the reset values and the name "<folder>/". Returns the key, or nothing
// for a category position outside the table.
std::optional<int> RunPresetStep(int categoryPosition, int formatPosition, const TPresetStepContext& context,
                                 TPendingOutputSettings& pending);

// The output format dialog's preset step: as above with its own tables and key,
// but without the reset, so fields its profile leaves alone keep their values.
int RunDialogPresetStep(int categoryIndex, int formatIndex, const TPresetStepContext& context,
                        TPendingOutputSettings& pending);

} // namespace tovrel
