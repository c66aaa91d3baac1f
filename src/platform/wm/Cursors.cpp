// The shared cursor shapes and the current cursor.
#include "platform/wm/Backend.h"
#include "platform/wm/Input.h"

#include <utility>

namespace tovrel {

namespace {

constexpr std::pair<std::uintptr_t, TCursorShape> kCursors[] = {
    {IDC_ARROW, TCursorShape::Arrow},
    {IDC_IBEAM, TCursorShape::IBeam},
    {IDC_WAIT, TCursorShape::Wait},
    {IDC_CROSS, TCursorShape::Cross},
    {IDC_UPARROW, TCursorShape::UpArrow},
    {IDC_SIZENWSE, TCursorShape::SizeNWSE},
    {IDC_SIZENESW, TCursorShape::SizeNESW},
    {IDC_SIZEWE, TCursorShape::SizeWE},
    {IDC_SIZENS, TCursorShape::SizeNS},
    {IDC_SIZEALL, TCursorShape::SizeAll},
    {IDC_NO, TCursorShape::No},
    {IDC_HAND, TCursorShape::Hand},
    {IDC_APPSTARTING, TCursorShape::AppStarting},
};

HCURSOR current = reinterpret_cast<HCURSOR>(IDC_ARROW);

} // namespace

HCURSOR LoadCursor(HINSTANCE, std::uintptr_t id)
{
    for (const auto& [cursorId, shape] : kCursors)
        if (cursorId == id)
            return reinterpret_cast<HCURSOR>(id);
    return nullptr;
}

TCursorShape CursorShapeOf(HCURSOR cursor)
{
    for (const auto& [cursorId, shape] : kCursors)
        if (reinterpret_cast<HCURSOR>(cursorId) == cursor)
            return shape;
    return cursor ? TCursorShape::Arrow : TCursorShape::None;
}

HCURSOR SetCursor(HCURSOR cursor)
{
    const HCURSOR old = current;
    if (cursor != current) {
        current = cursor;
        Backend().SetCursorShape(CursorShapeOf(cursor));
    }
    return old;
}

HCURSOR GetCursor()
{
    return current;
}

} // namespace tovrel
