#pragma once
// The job's video hook chain: the option "vhook" adds a plug-in to the job's
// chain, and the job's clean-up releases the chain.
#include <string>

namespace tovrel {

class TCustomFFmpeg;

// Adds the plug-in a hook line names to the end of the job's chain;
// FFmpegException "Failed to add video hook function: %s" when it cannot.
void AddJobHook(TCustomFFmpeg& job, const std::string& line);

// Releases every plug-in of the job's chain (each plug-in's Release runs once).
void ReleaseJobHooks(TCustomFFmpeg& job);

} // namespace tovrel
