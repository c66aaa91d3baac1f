#pragma once

#include <string>
#include <string_view>

#include "app/presets/PendingSettings.h"
#include "app/presets/PresetCatalog.h"

namespace tovrel {

// Texts of the six parameter boxes, indexed by TParameterBox.
using TBoxTexts = TPerBox<std::string>;

// Frame size: "保持原分辨率" and "该格式无视频" give the empty text, others themselves.
std::string FrameSizeFromBoxText(std::string_view text);
// Frame rate: "保持原帧速率" and "无视频" give the empty text, others themselves.
std::string FrameRateFromBoxText(std::string_view text);
// Video bitrate in bit/s: "无视频" gives AutoBitrate, "816 kbps" gives 816000.
// Raises EConvertError when no whole number stands before "kbps".
int VideoBitrateFromBoxText(std::string_view text);
// Audio bitrate in bit/s: "自动音频比特率" gives AutoBitrate, "128 kbps" gives
// 128000, "12.2 kbps" exactly 12200. Raises EConvertError when no number
// stands before "kbps" or the product is not a whole number.
int AudioBitrateFromBoxText(std::string_view text);

// What "自动音频采样率" becomes: AutoValue in the box step, the empty text in a
// box's change handler.
enum class TAutoSampleRate { AutoValue, Empty };
std::string SampleRateFromBoxText(std::string_view text, TAutoSampleRate autoRate);

// Aspect: "4:3", "16:9", "37:20", "47:20" from their box texts, the empty text
// for "保持原视频模式" and "无视频"; any other text keeps `previous`.
std::string AspectFromBoxText(std::string_view text, std::string_view previous);

// The box step: all six texts into their pending settings, in the order frame
// size, frame rate, video bitrate, sample rate, audio bitrate, aspect. On a
// conversion error the fields before it keep their new values.
void ApplyBoxTexts(const TBoxTexts& texts, TPendingOutputSettings& pending);

// A box's change handler: its text into its pending setting (the sample-rate
// sentinel becomes the empty text). Returns the text for the row's column.
std::string ApplyBoxText(TParameterBox box, std::string_view text, TPendingOutputSettings& pending);

} // namespace tovrel
