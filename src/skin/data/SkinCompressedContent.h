#pragma once
// What a compressed skin holds once unpacked: the inner version, the main,
// inactive and mask pictures each behind a flag byte, the numbered active
// pictures and the INI description as text. Pictures are whole BMP files.
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tovrel {

class TBitmap;
class TStream;
struct TskSkinPictureNames;

// Inner and outer version the writer puts down; readers take up to this one.
constexpr int kSkinStreamVersion = 3;
// Unpacked skins larger than this are refused: no skin comes near it, and a
// small file must not be able to claim gigabytes.
constexpr std::int64_t kMaxSkinContentSize = 256ll * 1024 * 1024;

struct TskSkinContent {
    int Version = kSkinStreamVersion;
    // Null where the flag said "no picture".
    std::unique_ptr<TBitmap> Picture;
    std::unique_ptr<TBitmap> InActivePicture;
    std::unique_ptr<TBitmap> Mask;
    std::vector<std::unique_ptr<TBitmap>> ActivePictures;
    std::string IniText;

    TskSkinContent();
    ~TskSkinContent();
    TskSkinContent(TskSkinContent&&) noexcept;
    TskSkinContent& operator=(TskSkinContent&&) noexcept;
};

// Writes version 3: flag 1 for a null or empty picture, else 0 and the BMP file.
void WriteSkinContent(TStream& Stream, TBitmap* Picture, TBitmap* InActivePicture, TBitmap* Mask,
                      std::span<TBitmap* const> ActivePictures, std::string_view IniText);

// Reads from the stream's position to its end. Returns false, having read only
// the version, when the version is newer than 3 (or negative). A picture that
// runs past the end, a negative picture count or a damaged BMP raise
// EReadError or EInvalidGraphic. A version 2 stream's two extra pictures are
// read and dropped.
bool ReadSkinContent(TStream& Stream, TskSkinContent& Content);

// As ReadSkinContent, but only the description text: each picture's size is
// checked against the data and the picture passed over, not decoded.
bool ReadSkinIniText(TStream& Stream, std::string& IniText);

// Reads one BMP file: exactly the bytes its header counts, no more.
std::unique_ptr<TBitmap> ReadBmpImage(TStream& Stream);

// The pictures an INI skin folder names (Folder ends with a separator); a
// missing or damaged file raises.
TskSkinContent ReadSkinFolderPictures(const std::string& Folder, const TskSkinPictureNames& Names);

// The description text as UTF-8: a UTF-16 byte-order mark converts the text;
// a UTF-8 mark is left for the INI reader.
std::string SkinIniTextFromBytes(std::string_view bytes);

} // namespace tovrel
