#pragma once
// The option dispatcher: (name, value) pairs in the transcoder's option names
// set the job's pending options or run their handler at once. Names are
// matched exactly and case-sensitively; a name no row knows goes to the
// generic option store, which also reaches codec and muxer private options.
#include "media/transcode/FFmpegMediaTranscoderState.h"

#include <string>
#include <vector>

namespace tovrel {

class TCustomFFmpeg;

struct TDispatchCall {
    TCustomFFmpeg& Job;
    TMediaJobState& State;
    const std::string& Name;
    const std::string& Value;
};

using TOptionHandler = void (*)(const TDispatchCall& call);

struct TOptionRow {
    const char* Name;
    TOptionHandler Handler;
};

// The rows in dispatch order.
const std::vector<TOptionRow>& OptionTable();

// Raises FFmpegException (or EConvertError / EAssertionFailed for a malformed
// number or codec tag) with the option's own message.
void DispatchOption(TCustomFFmpeg& job, TMediaJobState& state, const std::string& name, const std::string& value);

// The generic store: False for an empty text, an unknown name or a refused value.
bool SetAVOptionText(TCustomFFmpeg& job, const std::string& name, const std::string& value);

} // namespace tovrel
