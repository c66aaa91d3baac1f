#pragma once
// The file dialogs' rules for names: which extension a filter mask implies
// and which folder a dialog starts in. A name's folder part, name part and
// extension are those of platform/rtl/Paths.h ("/" the only delimiter).
#include <string>
#include <string_view>

namespace tovrel {

// The extension of a mask's first pattern ("*.jpg;*.jpeg" gives ".jpg");
// none when the mask contains ".*" anywhere.
std::string FilterMaskExtension(std::string_view Mask);
// "." + DefaultExt when that is given, else the mask's extension.
std::string DefaultExtension(std::string_view DefaultExt, std::string_view Mask);

// The folder a dialog opens: the folder of FileName while it exists, else
// InitialDir while it exists, else the home folder (the program's folder
// when there is no home), so the dialog always opens somewhere.
std::string DialogStartFolder(std::string_view FileName, std::string_view InitialDir);
// The fallbacks of DialogStartFolder after the remembered file's folder.
std::string DialogFallbackFolder(std::string_view InitialDir);

} // namespace tovrel
