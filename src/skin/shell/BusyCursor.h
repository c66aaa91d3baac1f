#pragma once
// The hourglass while a shell view reads a folder, the old cursor back after.
#include "platform/vcl/Application.h"

namespace tovrel {

class TBusyCursor {
public:
    TBusyCursor() : old_(Screen ? Screen->Cursor() : crDefault)
    {
        if (Screen)
            Screen->SetCursor(crHourGlass);
    }
    ~TBusyCursor()
    {
        if (Screen)
            Screen->SetCursor(old_);
    }
    TBusyCursor(const TBusyCursor&) = delete;
    TBusyCursor& operator=(const TBusyCursor&) = delete;

private:
    TCursor old_;
};

} // namespace tovrel
