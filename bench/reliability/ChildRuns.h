#pragma once
// Runs commands in child processes, a few at once, each within a time bound,
// and tells how each one ended: a crash in a child costs the campaign one
// figure, never the run.
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

namespace tovrel::bench {

struct TChildCommand {
    std::vector<std::string> arguments; // the program first
    std::filesystem::path log;          // gets the child's stdout and stderr
};

struct TChildOutcome {
    enum class TKind { Exited, Crashed, Hung };
    TKind kind = TKind::Exited;
    int exitCode = 0; // Exited only
    int signal = 0;   // Crashed by a signal; 0 when it crashed with a sanitizer's exit code
};

// Outcomes in the order of the commands. A child still running after `bound`
// is killed and counted as hung; one ended by a signal, or with an exit code
// other than those in `normalCodes`, as crashed.
std::vector<TChildOutcome> RunChildren(const std::vector<TChildCommand>& commands, int atOnce,
                                       std::chrono::milliseconds bound, const std::vector<int>& normalCodes);

// The path of the running program, for a child that runs it again.
std::string OwnProgram();

} // namespace tovrel::bench
