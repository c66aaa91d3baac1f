#pragma once
#include <string_view>

namespace tovrel::test {

// Loads the text into the framework's in-memory INI file as a settings file
// (option.ini) is loaded, reads every section and key the ways the program
// does, edits them (rewrite, add, delete, erase) and reads the written text
// back. A write the format refuses raises EIniFileException; anything else
// escaping, a crash, or an edit that does not read back is a fault.
void ExerciseIniFile(std::string_view text);

} // namespace tovrel::test
