#pragma once
// Disc and camcorder targets: one option that sets the codecs, format, frame
// size and rate, rates and buffer sizes, audio settings and muxer settings of
// a VCD, SVCD, DVD or DV output for the PAL, NTSC or film norm. The settings
// are data (data/media/targets.tsv) applied through the job's own option
// handlers, so later options override them.
#include <string>

namespace tovrel {

class TCustomFFmpeg;

enum class TTargetNorm { PAL, NTSC, FILM };

// The option "target": "pal-", "ntsc-" or "film-" before the target name
// choose the norm, otherwise it is guessed with NTSC as the default.
void SetTargetText(TCustomFFmpeg& job, const std::string& value);

// target "vcd", "svcd", "dvd", "dv" or "dv50"; norm "pal", "ntsc", "film" or
// anything else for a guess from the pending frame rate and then the inputs'
// video streams; defaultNorm ("film", "ntsc", else PAL) when nothing is found.
// Raises FFmpegException; settings applied before a failure stay.
void SetTarget(TCustomFFmpeg& job, const std::string& target, const std::string& norm, const std::string& defaultNorm);

// The norm SetTarget settles on (logging a guess); FFmpegException
// "frame_rate is invalid." when a guess finds no pending frame rate.
TTargetNorm SettleTargetNorm(TCustomFFmpeg& job, const std::string& norm, const std::string& defaultNorm);

} // namespace tovrel
