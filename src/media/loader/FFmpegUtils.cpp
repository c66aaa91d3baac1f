#include "media/loader/FFmpegUtils.h"

#include "media/loader/FFmpegLoaderEntries.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/Paths.h"

#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <memory>

namespace tovrel {

std::int64_t GetFileSizeByName(const std::string& fileName)
{
    struct stat st {};
    if (fileName.empty() || ::stat(ExpandFileName(fileName).c_str(), &st) != 0 || S_ISDIR(st.st_mode))
        return -1;
    return st.st_size;
}

std::string GetApplicationPath()
{
    char path[PATH_MAX];
    ssize_t length = ::readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0)
        return "./";
    return ExtractFilePath(std::string_view(path, std::size_t(length)));
}

void SplitString(std::string& text, std::string_view separator, bool remove, std::string& head)
{
    std::size_t position = separator.empty() ? std::string::npos : text.find(separator);
    if (position == std::string::npos) {
        head = text;
        if (remove)
            text.clear();
        return;
    }
    head = text.substr(0, position);
    if (remove)
        text.erase(0, position + separator.size());
}

std::string FormatByteSize(std::int64_t size)
{
    if (size > 1073741824)
        return Format("%.2f GB", double(size) / 1073741824.0);
    if (size > 1048576)
        return Format("%.2f MB", double(size) / 1048576.0);
    if (size > 1024)
        return Format("%.2f KB", double(size) / 1024.0);
    return Format("%d Byte", static_cast<long long>(size));
}

TDateTime UnixTimeToDateTime(std::int64_t seconds)
{
    return UnixTimeToLocalDateTime(seconds);
}

std::string FormatDateTimeText(std::string_view format, TDateTime value)
{
    return FormatDateTime(format, value);
}

int ReadWholeFile(const std::string& fileName, std::uint8_t*& buffer, int& size)
{
    buffer = nullptr;
    size = 0;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(fileName.c_str(), "rb"), std::fclose);
    if (!file || std::fseek(file.get(), 0, SEEK_END) != 0)
        return -1;
    long length = std::ftell(file.get());
    if (length < 0 || length >= INT_MAX || std::fseek(file.get(), 0, SEEK_SET) != 0)
        return -1;
    auto* data = static_cast<std::uint8_t*>(FF.av_malloc(std::size_t(length) + 1));
    if (!data)
        return -12;
    std::size_t read = std::fread(data, 1, std::size_t(length), file.get());
    data[read] = 0;
    buffer = data;
    size = int(read) + 1;
    return 0;
}

} // namespace tovrel
