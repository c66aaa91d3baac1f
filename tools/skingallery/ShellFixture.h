#pragma once
// The folder the gallery's shell page shows: media files of several kinds
// (empty: only their extensions count), names with Chinese characters and
// spaces, and a sub-folder with files of its own.
#include "platform/vcl/Component.h"

#include <string>

namespace tovrel::skingallery {

// The sub-folder's name.
extern const char* const ShellFixtureSubFolder;

// Fills `folder`, made when missing, with the fixture; existing files are
// kept. Raises when the folder or a file cannot be made.
void WriteShellFixture(const std::string& folder);

// The fixture in a fresh temporary folder, removed with the component.
class TTempShellFixture : public TComponent {
public:
    explicit TTempShellFixture(TComponent* AOwner);
    ~TTempShellFixture() override;
    const std::string& Path() const { return path_; }

private:
    std::string temp_, path_;
};

} // namespace tovrel::skingallery
