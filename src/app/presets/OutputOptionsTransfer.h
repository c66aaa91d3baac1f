#pragma once

#include "app/presets/PendingSettings.h"
#include "media/engine/FFmpegOptions.h"

namespace tovrel {

// The video preset that always comes with the libx264 encoder.
inline constexpr std::string_view Libx264DefaultPreset = "libx264-default";

// Copies the pending settings into a task's output options (filled with their
// defaults by the caller), skipping the values that are not set: empty texts,
// AutoBitrate and the AutoValue sample rate. Channels, sample rate and volume
// must be whole numbers; otherwise EConvertError is raised.
void ApplyPendingSettings(const TPendingOutputSettings& pending, TOutputOptions& options);

// Copies a row's settings columns into a task's output options when tasks are
// rebuilt. Unlike the pending settings, the extension column is applied, the
// tag is dropped for libx264, and volume, container and filters keep their
// defaults, having no column.
void ApplyRowSettings(const TRowSettingsColumns& row, TOutputOptions& options);

} // namespace tovrel
