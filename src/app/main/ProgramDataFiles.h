#pragma once
// Files the program reads at run time besides its compiled-in data. In a
// build tree they sit beside the executable (sounds/ring001.wav); an
// installed program finds them in its data folder under the same prefix
// (<prefix>/share/tovrel/sounds/ring001.wav), so it runs from any prefix.
#include <string>

namespace tovrel {

// The data folder of a program installed in `programFolder`, with a
// trailing "/".
std::string InstalledDataFolder(const std::string& programFolder);

// The after-batch sound for a program in `programFolder` (with its trailing
// "/"): the copy beside the program first, then the installed one; empty when
// neither exists.
std::string FindAfterBatchSound(const std::string& programFolder);

// FindAfterBatchSound for the running program.
std::string AfterBatchSoundFile();

} // namespace tovrel
