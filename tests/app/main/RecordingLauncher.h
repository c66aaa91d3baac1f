#pragma once
// A shell launcher that writes down what it was asked to open.
#include "platform/shell/ShellLauncher.h"

#include <string>
#include <vector>

namespace tovrel::test {

class RecordingLauncher : public IShellLauncher {
public:
    bool Open(const std::string& target, const std::string&) override
    {
        opened.push_back(target);
        return true;
    }
    std::vector<std::string> opened;
};

} // namespace tovrel::test
