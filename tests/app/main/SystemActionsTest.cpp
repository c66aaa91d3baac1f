// The desktop's chime on the dummy sound driver: a WAV plays without
// waiting, a second one replaces the first, and a missing file is nothing.
#include "app/main/SystemActions.h"
#include "platform/rtl/MainThread.h"
#include "support/TestMedia.h"

#include <gtest/gtest.h>

namespace tovrel::test {

TEST(SystemActionsTest, ChimesPlayOneAfterAnotherAndAMissingFilePlaysNothing)
{
    TMainThread::SetCurrent();
    const std::string wav = media::FixturePath(media::Fixture::PcmWav).string();
    std::shared_ptr<ISystemActions> actions = DesktopSystemActions();
    actions->PlaySound(wav + ".missing");
    actions->PlaySound(wav);
    actions->PlaySound(wav);
    actions.reset();
}

} // namespace tovrel::test
