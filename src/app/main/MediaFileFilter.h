#pragma once
// The filter of the main window's open dialogs: every media format the
// program lists, "所有文件格式 (*.*)" first.
#include <string>

namespace tovrel {

const std::string& MediaFileFilter();

} // namespace tovrel
