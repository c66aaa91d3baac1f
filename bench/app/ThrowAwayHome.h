#pragma once
// A fresh HOME and configuration folder for a bench run, so no folder of the
// user's is made or read, with the headless back end and no sound device;
// removed at the end.
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

namespace tovrel::bench {

class TThrowAwayHome {
public:
    TThrowAwayHome()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "appbench-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("cannot make a folder in " + std::filesystem::temp_directory_path().string());
        root_ = pattern;
        setenv("HOME", root_.c_str(), 1);
        setenv("XDG_CONFIG_HOME", (root_ / "config").c_str(), 1);
        setenv("TOVREL_BACKEND", "headless", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 0);
    }
    ~TThrowAwayHome()
    {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }
    TThrowAwayHome(const TThrowAwayHome&) = delete;
    TThrowAwayHome& operator=(const TThrowAwayHome&) = delete;

private:
    std::filesystem::path root_;
};

} // namespace tovrel::bench
