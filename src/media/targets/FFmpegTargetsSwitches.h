#pragma once
// The smaller switches that go with targets: two-pass encoding, the video
// statistics file and the bitstream filter chains.
#include <string>

namespace tovrel {

class TCustomFFmpeg;

// Two-pass encoding: 1 or 2, else FFmpegException "pass number can be only 1 or 2".
void SetPass(TCustomFFmpeg& job, int pass);

// "vstats": a statistics file named after the time of day ("vstats_hhnnss.log"),
// placed beside the job's first output file; False drops the file name.
void SetVStats(TCustomFFmpeg& job, bool enable);
// "vstats_file": the statistics file's name as given.
void SetVStatsFile(TCustomFFmpeg& job, const std::string& value);
// The statistics file to write, empty for none: the name "vstats" chose
// placed beside the first output, or the name given.
std::string VStatsFileName(const TCustomFFmpeg& job);

// "absf", "vbsf", "sbsf": the filter named before the value's first "=" joins
// the end of the audio, video or subtitle chain (the option's first letter;
// anything but "a" and "v" is subtitle); FFmpegException "Unknown bitstream
// filter %s" when FFmpeg has no such filter.
void AddBitstreamFilter(TCustomFFmpeg& job, const std::string& optionName, const std::string& value);

} // namespace tovrel
