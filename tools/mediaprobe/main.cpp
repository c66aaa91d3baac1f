// Prints what the program's own probe reads from media files, one line each:
//   FILE<TAB>duration_ms=N<TAB>video=CODEC<TAB>audio=CODEC
// ("-" for a missing stream). Exits 1 when a file cannot be read.
//   mediaprobe FILE...
#include "media/probe/AVProbe.h"
#include "platform/rtl/Files.h"

#include <cstdio>
#include <exception>

using namespace tovrel;

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: mediaprobe FILE...\n");
        return 2;
    }
    try {
        TCustomAVProbe probe;
        if (!probe.LoadAVLib(ProgramFolder() + "LibAV")) {
            std::fprintf(stderr, "mediaprobe: %s\n", probe.LastErrMsg().c_str());
            return 1;
        }
        int status = 0;
        for (int i = 1; i < argc; ++i) {
            if (!probe.LoadFile(argv[i])) {
                std::fprintf(stderr, "mediaprobe: %s: %s\n", argv[i], probe.LastErrMsg().c_str());
                status = 1;
                continue;
            }
            const auto codec = [](int streams, const std::string& name) { return streams > 0 ? name : "-"; };
            std::printf("%s\tduration_ms=%lld\tvideo=%s\taudio=%s\n", argv[i],
                        static_cast<long long>(probe.FileStreamInfo().Duration / 1000),
                        codec(probe.VideoStreamCount(), probe.FirstVideoStreamInfo().CodecName).c_str(),
                        codec(probe.AudioStreamCount(), probe.FirstAudioStreamInfo().CodecName).c_str());
            probe.CloseFile();
        }
        return status;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "mediaprobe: %s\n", error.what());
        return 1;
    }
}
