#include "app/main/CommandStates.h"

namespace tovrel {

TCommandStates CommandStatesFor(TWorkflowState state)
{
    switch (state) {
    case TWorkflowState::IdleEmpty: return {.Add = true, .Settings = true};
    case TWorkflowState::IdleWithRows:
        return {.Add = true, .RemoveRename = true, .Clear = true, .Settings = true, .Start = true};
    case TWorkflowState::Converting: return {.Stop = true, .Pause = true, .Move = false};
    case TWorkflowState::Paused: return {.Stop = true, .Resume = true, .Move = false};
    case TWorkflowState::AfterBatch: return {.Add = true, .Clear = true, .Settings = true, .Start = true};
    }
    return {};
}

} // namespace tovrel
