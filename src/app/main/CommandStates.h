#pragma once
// Which command groups the main window enables in each state of its workflow.
namespace tovrel {

enum class TWorkflowState { IdleEmpty, IdleWithRows, Converting, Paused, AfterBatch };

struct TCommandStates {
    bool Add = false; // the add commands
    bool RemoveRename = false;
    bool Clear = false;
    bool Settings = false; // the six parameter boxes, category and format, "浏览"
    bool Start = false;
    bool Stop = false;
    bool Pause = false;
    bool Resume = false;
    // Moving rows while tasks run would send their progress to other files.
    bool Move = true;

    bool operator==(const TCommandStates&) const = default;
};

TCommandStates CommandStatesFor(TWorkflowState state);

} // namespace tovrel
