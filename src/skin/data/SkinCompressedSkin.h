#pragma once
// A stored skin: one compressed skin held in memory (the zlib stream alone),
// packed from an INI skin folder or a skin data object, read from and written
// to compressed skin files and streams.
#include <cstdint>
#include <string>

#include "platform/vcl/Component.h"
#include "platform/vcl/Streams.h"

namespace tovrel {

class TskSkinData;

class TskCompressedStoredSkin : public TComponent {
public:
    explicit TskCompressedStoredSkin(TComponent* AOwner);

    // Name (without folder) of the INI file or compressed file the skin came
    // from, and free text; the program only stores them.
    std::string FileName;
    std::string CompressedFileName;
    std::string Description;

    // True while no compressed data is held.
    bool Empty() { return FCompressedStream.Size() == 0; }
    // The zlib stream alone (the "CompressedData" property).
    TMemoryStream& CompressedData() { return FCompressedStream; }

    // Packs an INI skin folder: its pictures and the INI file's own text. A
    // file that is no skin description leaves the stored data as it was; a
    // missing picture raises and leaves it empty.
    void LoadFromIniFile(const std::string& AFileName);
    // Packs the skin loaded in a skin data object.
    void LoadFromSkinData(TskSkinData* ASkinData);

    // The compressed skin file: version 3, length, zlib stream. A version
    // above 3 (or below 0) leaves the stored skin empty; a length that is
    // negative or runs past the end raises EReadError.
    void LoadFromCompressFile(const std::string& AFileName);
    // Nothing is written (no file created) while Empty.
    void SaveToCompressFile(const std::string& AFileName);
    // The same layout from the stream's start / at the stream's position
    // (an empty skin writes 3 and 0).
    void LoadFromCompressStream(TStream& Stream);
    void SaveToCompressStream(TStream& Stream);

    // Unpacks the stored data and appends it to S. Data that is not one whole
    // zlib stream, or unpacks to more than kMaxSkinContentSize, raises
    // EDecompressionError.
    void DeCompressToStream(TMemoryStream& S);

    // Copies the texts and the compressed data.
    void Assign(const TPersistent* source) override;

private:
    // Compresses the unpacked content into the stored data.
    void Store(TMemoryStream& content);

    TMemoryStream FCompressedStream;
};

} // namespace tovrel
