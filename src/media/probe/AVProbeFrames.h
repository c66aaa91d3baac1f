#pragma once
// The probe with single-picture access to a file it opened itself: seek to a
// time or byte position, decode the next picture of a video stream, step to
// the next or previous key frame or the previous frame, and copy the held
// picture into a 24-bit bitmap.
#include "media/loader/FFmpegUtilsRGB.h"
#include "media/probe/AVProbe.h"
#include "platform/gdi/Surface.h"

#include <cstdint>
#include <string>

namespace tovrel {

class TAVProbe : public TCustomAVProbe {
public:
    TAVProbe() = default;
    ~TAVProbe() override;

    void CloseFile() override;

    // A time in microseconds, or a byte position with sfByte.
    bool Seek(std::int64_t pts, TSeekFlags seekFlags);
    // A stream index of -1 means the stream decoded last, else the first video stream.
    bool Decode(int streamIndex = -1);
    bool DecodeNextKeyFrame(int streamIndex = -1);
    bool DecodePreviousFrame(int streamIndex = -1);
    bool DecodePreviousKeyFrame(int streamIndex = -1);
    bool CopyToBitmap(TSurface& bitmap);

    // The I/O context's byte position; -1 (with a warning) without one.
    std::int64_t GetPosition();
    std::int64_t Position() { return GetPosition(); }
    // The end of the file was reached (the property EOF; the name is a C macro).
    bool Eof() const { return FEOF; }
    const TFrameInfo& FrameInfo() const { return FPicture; }

protected:
    void UpdateFileInfo() override;

private:
    void LogMessage(int avLevel, const std::string& message);
    void ResetFrameRecord();
    bool CheckSeekable();
    bool CanSeek();
    bool IsImage2();
    int SelectDecodeStream(int streamIndex);
    AVCodecContext* OpenDecoder(int streamIndex);
    bool StorePicture(const AVFrame& frame, int streamIndex, std::int64_t readPosition);
    std::int64_t IOPosition();
    std::int64_t FrameDuration(int streamIndex);
    // The held PTS, else the one before it, else `fallback`.
    std::int64_t ReferencePTS(std::int64_t fallback) const;

    TCodecContext FCodec;
    int codecStream_ = -1;
    bool draining_ = false; // the decoder was told the file ended
    TPacket packet_;
    TFrame frame_;
    TRGBConvertContext FRGBContext;
    int FSeekIndex = -1;
    std::int64_t FStartTime = -1;
    int FDecodeIndex = -1;
    bool FEOF = false;
    TFrameInfo FPicture;
    std::int64_t FLastPTS = AV_NOPTS_VALUE;
    std::int64_t FLastPos = -1;
};

} // namespace tovrel
