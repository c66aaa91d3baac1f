#include "media/transcode/FFmpegOutputPresence.h"

#include "media/loader/FFmpegUtilsText.h"

#include <sys/stat.h>

#include <cerrno>

extern "C" {
#include <libavutil/error.h>
}

namespace tovrel {

void TOutputPresence::Note(const std::string& fileName)
{
    struct stat status {};
    if (::stat(fileName.c_str(), &status) == 0 && S_ISREG(status.st_mode))
        files_.push_back({fileName, status.st_dev, status.st_ino});
}

std::string TOutputPresence::Missing() const
{
    for (const TFile& file : files_) {
        struct stat status {};
        if (::stat(file.name.c_str(), &status) != 0)
            return FormatAVError(file.name, AVERROR(errno));
        // Another file under the name: the one written went with its folder.
        if (status.st_dev != file.device || status.st_ino != file.inode)
            return FormatAVError(file.name, AVERROR(ENOENT));
    }
    return {};
}

} // namespace tovrel
