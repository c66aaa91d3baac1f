#include "skin/menus/MenuMessageHook.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace tovrel {

namespace {

struct THookStack {
    std::vector<std::pair<const void*, TMessageEvent>> hooks;
    TMessageEvent saved;
};

THookStack& Stack()
{
    static THookStack stack;
    return stack;
}

void Dispatch(MSG& msg, bool& handled)
{
    THookStack& stack = Stack();
    if (stack.hooks.empty())
        return;
    // A copy: the handler may remove its own hook.
    const TMessageEvent top = stack.hooks.back().second;
    top(msg, handled);
}

} // namespace

void PushMenuMessageHook(const void* owner, TMessageEvent handler)
{
    THookStack& stack = Stack();
    if (stack.hooks.empty()) {
        stack.saved = Application->OnMessage;
        Application->OnMessage = Dispatch;
    }
    stack.hooks.emplace_back(owner, std::move(handler));
}

void RemoveMenuMessageHook(const void* owner)
{
    THookStack& stack = Stack();
    const auto it =
        std::find_if(stack.hooks.begin(), stack.hooks.end(), [owner](const auto& h) { return h.first == owner; });
    if (it == stack.hooks.end())
        return;
    stack.hooks.erase(it);
    if (stack.hooks.empty())
        Application->OnMessage = std::exchange(stack.saved, nullptr);
}

} // namespace tovrel
