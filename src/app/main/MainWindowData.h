#pragma once
// The main window's workflow state that is no control: the pending output
// settings, the preset key, the output folder, the files being added or
// previewed, and the option slots the tasks are rebuilt from before a start.
#include <string>
#include <vector>

#include "app/presets/PendingSettings.h"
#include "media/engine/FFmpegOptions.h"

namespace tovrel {

struct TMainWindowData {
    TPendingOutputSettings Pending;
    // The preset key of the chosen category and format.
    int All_Trant_Number = 0;
    // The output folder tasks are rebuilt with.
    std::string FileOutPutPath;
    // The input being added; the reset of the pending settings leaves it.
    std::string Video_AddFileName;
    // The file the preview panel plays.
    std::string T_Movie_PLayer_FileName;
    // Slot i belongs to row i; they grow with the list, so no row count
    // overflows them.
    std::vector<TInputOptions> IO1;
    std::vector<TOutputOptions> OO1;
};

} // namespace tovrel
