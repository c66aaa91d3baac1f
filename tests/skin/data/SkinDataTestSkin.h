#pragma once
// Skins for the skin data object's tests: an INI skin folder written at test
// time (pictures drawn in code), pixel and description comparisons, and forms
// that record the skin-change messages they receive.
#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "platform/vcl/Forms.h"
#include "skin/data/SkinData.h"

namespace tovrel::test {

// A fresh empty folder under the system's temporary folder, removed at the end.
class TTempFolder {
public:
    explicit TTempFolder(const std::string& name);
    ~TTempFolder();
    const std::filesystem::path& Path() const { return path_; }
    std::string File(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

// Writes a complete skin into the folder and returns its INI file: a main
// picture and a mask, no inactive picture, two active pictures, the object
// "closebutton", the controls "button", "panel" and a second "button" (a
// panel), and one line of an unknown kind first. `seed` varies the pixels and
// the skin name, so two skins differ.
std::string WriteTestSkin(const std::filesystem::path& folder, int seed = 0);

// The same pictures (size, format and every pixel) and the same description.
void ExpectSameSkin(TskSkinData& expected, TskSkinData& actual);

// Compressed skin bytes: a zlib stream of level 9, its content unpacked, and
// the file layout (version, length, stream) around a zlib stream.
using TBytes = std::vector<std::uint8_t>;
TBytes ZlibBytes(const TBytes& plain);
TBytes UnzlibBytes(const TBytes& packed);
TBytes SkinFileBytes(std::int32_t version, const TBytes& zlibData);

// The description as written INI text.
std::string DescriptionText(TskSkinData& skin);

struct TSkinMessage {
    std::string Form;
    unsigned Msg = 0;
    WPARAM Sender = 0;
    LPARAM Param = 0;
    bool SkinEmpty = false; // the sender's Empty when the message arrived
    friend bool operator==(const TSkinMessage&, const TSkinMessage&) = default;
};
using TSkinMessageLog = std::vector<TSkinMessage>;

// A form that logs every skin-change message it receives, under its name.
class TRecorderForm : public TForm {
public:
    TRecorderForm(TComponent* owner, std::string name, TSkinMessageLog& log);
    void WndProc(TMessage& message) override;

private:
    std::string name_;
    TSkinMessageLog& log_;
};

// The message numbers of a log, in order.
std::vector<unsigned> Messages(const TSkinMessageLog& log);
// The form names of a log, in order.
std::vector<std::string> Receivers(const TSkinMessageLog& log);

} // namespace tovrel::test
