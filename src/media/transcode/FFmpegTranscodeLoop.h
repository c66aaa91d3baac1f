#pragma once
// The packet loop of a run: inputs read one packet at a time in the order
// the outputs need them, timestamps fixed up, packets decoded and
// dispatched, Join switching, limits, pause gate and stop.
namespace tovrel {

struct TTranscodeRun;

// Returns when every input ended, a limit was reached or the job was stopped.
void RunPacketLoop(TTranscodeRun& run);

} // namespace tovrel
