#include "media/fuzz/OptionTextFuzzBody.h"

#include <cstdlib>
#include <memory>
#include <set>
#include <string>

#include "media/engine/FFmpegEngine.h"
#include "media/engine/FFmpegEngineErrors.h"
#include "media/engine/FFmpegOptions.h"
#include "media/loader/FFmpegLoader.h"
#include "media/loader/FFmpegLogger.h"
#include "media/transcode/FFmpegMediaTranscoder.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/MainThread.h"
#include "platform/rtl/Text.h"

namespace tovrel::test {
namespace {

// A broken invariant: stop the way a sanitizer does, so the fuzzer keeps the input.
void Require(bool holds)
{
    if (!holds)
        std::abort();
}

TCustomFFmpeg& Job()
{
    static const std::unique_ptr<TCustomFFmpeg> job = [] {
        TMainThread::SetCurrent();
        Require(GlobalFFmpegLoader().Load(TaskLibraries));
        GetFFLogger()->SetTriggerEventInMainThread(false);
        GetFFLogger()->SetLogLevel(llQuiet);
        return std::make_unique<TCustomFFmpeg>(4, std::make_unique<TMediaTranscoder>());
    }();
    return *job;
}

bool ReachesFilesOrPlugins(const std::string& name)
{
    static const std::set<std::string> names{"i",           "vhook",       "fpre",     "apre",     "vpre",       "spre",
                                             "passlogfile", "vstats_file", "newvideo", "newaudio", "newsubtitle"};
    return names.contains(name);
}

} // namespace

void ExerciseOptionText(std::string_view text)
{
    const std::string options(text);
    const auto lines = ParseOptionText(options);
    for (const TOptionLine& line : lines)
        Require(line.Name.find_first_of("\r\n") == std::string::npos &&
                line.Value.find_first_of("\r\n") == std::string::npos);
    (void)InputOptionsFromText(options);
    (void)OutputOptionsFromText(options);

    TCustomFFmpeg& job = Job();
    job.Reinitialize();
    for (const TOptionLine& line : lines) {
        const std::string name = LowerCase(line.Name);
        if (ReachesFilesOrPlugins(name))
            continue;
        try {
            job.ParseOption(name, line.Value);
        } catch (const FFmpegException&) {
            // The dispatcher's refusal of a value; the task reports its message.
        } catch (const EAssertionFailed&) {
            // A value of the wrong form (a tag that is not four characters).
        } catch (const Exception&) {
            // A number that is none (EConvertError).
        }
    }
}

} // namespace tovrel::test
