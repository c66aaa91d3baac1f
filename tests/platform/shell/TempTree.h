#pragma once
// A temporary folder tree for one test, removed afterwards.
#include "platform/shell/FileOperations.h"

#include <cstdlib>
#include <fcntl.h>
#include <stdexcept>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace tovrel::test {

class TTempTree {
public:
    TTempTree()
    {
        std::string pattern = std::string(std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp") + "/shell-XXXXXX";
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("mkdtemp failed");
        root_ = pattern;
    }
    ~TTempTree() { RemoveEntryTree(root_); }
    TTempTree(const TTempTree&) = delete;
    TTempTree& operator=(const TTempTree&) = delete;

    const std::string& Root() const { return root_; }
    std::string Path(const std::string& relative) const { return root_ + "/" + relative; }

    std::string File(const std::string& relative, const std::string& contents = "x") const
    {
        const std::string path = Path(relative);
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd < 0 || ::write(fd, contents.data(), contents.size()) != ssize_t(contents.size()))
            throw std::runtime_error("cannot write " + path);
        ::close(fd);
        return path;
    }
    std::string Folder(const std::string& relative) const
    {
        const std::string path = Path(relative);
        if (::mkdir(path.c_str(), 0755) != 0)
            throw std::runtime_error("cannot make " + path);
        return path;
    }

private:
    std::string root_;
};

inline std::string ReadText(const std::string& path)
{
    std::string text;
    const int fd = ::open(path.c_str(), O_RDONLY);
    char buffer[256];
    for (ssize_t got; fd >= 0 && (got = ::read(fd, buffer, sizeof buffer)) > 0;)
        text.append(buffer, std::size_t(got));
    if (fd >= 0)
        ::close(fd);
    return text;
}

// Sets an environment variable for one test and puts the old value back.
class TScopedEnv {
public:
    TScopedEnv(const char* name, const std::string& value) : name_(name)
    {
        if (const char* old = std::getenv(name))
            old_ = old, hadOld_ = true;
        ::setenv(name, value.c_str(), 1);
    }
    ~TScopedEnv()
    {
        if (hadOld_)
            ::setenv(name_, old_.c_str(), 1);
        else
            ::unsetenv(name_);
    }
    TScopedEnv(const TScopedEnv&) = delete;
    TScopedEnv& operator=(const TScopedEnv&) = delete;

private:
    const char* name_;
    std::string old_;
    bool hadOld_ = false;
};

} // namespace tovrel::test
