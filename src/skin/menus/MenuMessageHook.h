#pragma once
// The application message hook of open menus. Menus open over each other
// (a popup over an images grid, a system menu over a popup) and close in any
// order, so the hooks form a stack: the latest one alone sees the messages,
// and removing one, wherever it sits, leaves the others in place. The
// application's own OnMessage comes back when the last one goes.
#include "platform/vcl/Application.h"

namespace tovrel {

void PushMenuMessageHook(const void* owner, TMessageEvent handler);
// Nothing when `owner` has no hook; safe from inside the hook itself.
void RemoveMenuMessageHook(const void* owner);

} // namespace tovrel
