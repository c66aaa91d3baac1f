#pragma once
// The output files a run writes on a disk, and whether each is still where
// the user will look for it: a folder removed during the run takes the file
// with it, while the writes to it go on succeeding.
#include <sys/types.h>

#include <string>
#include <vector>

namespace tovrel {

class TOutputPresence {
public:
    // Notes the file just created under that name; a name that is no file on
    // disk (a pipe, a network address) is left out.
    void Note(const std::string& fileName);
    // The first noted file that is no longer at its name, as the system's
    // reason ("<name>: No such file or directory"); empty when all are there.
    std::string Missing() const;

private:
    struct TFile {
        std::string name;
        dev_t device;
        ino_t inode;
    };
    std::vector<TFile> files_;
};

} // namespace tovrel
