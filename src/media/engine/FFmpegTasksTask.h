#pragma once
// One task of the task component: a conversion job that keeps its own copy of
// the option records it was given, one per input and one per output, and a
// probe per input that reports on the very context the transcoder reads.
#include "media/engine/FFmpegEngine.h"
#include "media/engine/FFmpegOptions.h"
#include "media/probe/AVProbeFrames.h"

#include <memory>
#include <string>
#include <vector>

namespace tovrel {

class TFFmpeg : public TCustomFFmpeg {
public:
    TFFmpeg(int maxFiles, std::unique_ptr<TTranscoder> transcoder);

    // The probe of input `index`, created on first use.
    TAVProbe* GetAVProbe(int index);
    // The probe of input `index` when there is one.
    TAVProbe* AVProbe(int index) const;

    // Store a reset copy of the record for input/output `index`.
    void SetInputOptions(int index, const TInputOptions& options);
    void SetOutputOptions(int index, const TOutputOptions& options);
    // Reset a stored record to its defaults when there is one.
    void ResetInputOptions(int index);
    void ResetOutputOptions(int index);
    const TInputOptions* InputOptions(int index) const;
    const TOutputOptions* OutputOptions(int index) const;

    // Sends option text to the dispatcher; stream-level names are left to the
    // output record (and, for outputs, the codec and size names too).
    void ApplyExtOptions(const std::string& text, bool input);

private:
    std::vector<std::unique_ptr<TAVProbe>> FAVProbes;
    std::vector<std::unique_ptr<TInputOptions>> FInputOptions;
    std::vector<std::unique_ptr<TOutputOptions>> FOutputOptions;
};

} // namespace tovrel
