#pragma once
// The gallery's file-control page: a drive combo box, a directory list with
// its path label, a file list box and a filter combo box, linked together on
// a fixture folder of media files written into a temporary folder removed
// with the form. The report gets each control's folder, drive, mask and rows.
#include "platform/vcl/Forms.h"

namespace tovrel {
class TskSkinData;
}

namespace tovrel::skingallery {

// The four controls and the label from `top`; returns the height used.
int AddFileControls(TForm& form, TskSkinData* skin, int top);

} // namespace tovrel::skingallery
