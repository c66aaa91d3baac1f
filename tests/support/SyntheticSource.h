#pragma once
// The picture and sound the generated clips carry.

#include <cstdint>

extern "C" {
#include <libavutil/frame.h>
#include <libavutil/samplefmt.h>
}

namespace tovrel::test::media {

// Paints picture number `index` into a YUV420P frame: a drifting diagonal gradient
// and a bright square crossing the frame, so encoders see real motion.
void PaintPicture(AVFrame& frame, int index);

// True for the sample formats FillTone can write.
bool CanFillTone(AVSampleFormat format);

// Fills an audio frame with a sine tone that continues at sample `firstSample`.
void FillTone(AVFrame& frame, int64_t firstSample, double frequency);

} // namespace tovrel::test::media
