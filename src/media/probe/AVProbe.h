#pragma once
// The media probe: opens a file with libavformat and answers questions about
// it: size, duration, bit rate, metadata, its streams and a multi-line
// information text. TAVProbe (media/probe/AVProbeFrames.h) adds decoding and seeking.
#include "media/loader/FFmpegUtils.h"
#include "media/probe/AVProbeHandles.h"
#include "media/probe/AVProbeRecords.h"

#include <cstdint>
#include <string>

namespace tovrel {

class TCustomAVProbe : public TFFBaseComponent {
public:
    TCustomAVProbe();
    ~TCustomAVProbe() override;
    TCustomAVProbe(const TCustomAVProbe&) = delete;
    TCustomAVProbe& operator=(const TCustomAVProbe&) = delete;

    bool AVLibLoaded() const;
    bool LoadAVLib(const std::string& path);
    void UnloadAVLib();

    // Raises Exception when a library is missing; any other failure gives False
    // with LastErrMsg set. The previous file is closed whatever follows.
    bool LoadFile(const std::string& fileName, const std::string& formatName = "");
    virtual void CloseFile();
    // Adopts a context opened elsewhere; the probe never closes it.
    virtual void SetFileHandle(AVFormatContext* context);
    AVFormatContext* FileHandle() const { return FFileHandle; }

    std::string FileName();
    std::string FormatName();
    std::string FormatLongName();
    std::int64_t FileSize() const { return FFileSize; }
    const std::string& ForceFormat() const { return FForceFormat; }
    int StreamCount() const { return FStreamCount; }
    int ProgramCount() const { return FProgramCount; }
    int AudioStreamCount() const { return FAudioStreamCount; }
    int VideoStreamCount() const { return FVideoStreamCount; }
    int SubtitleStreamCount() const { return FSubtitleStreamCount; }
    int FirstAudioStreamIndex() const { return FFirstAudioStreamIndex; }
    int FirstVideoStreamIndex() const { return FFirstVideoStreamIndex; }
    int FirstSubtitleStreamIndex() const { return FFirstSubtitleStreamIndex; }

    bool IsAudioStream(int streamIndex);
    bool IsVideoStream(int streamIndex);
    bool IsSubtitleStream(int streamIndex);

    TFileStreamInfo GetFileStreamInfo();
    // An index < 0 means the first stream of the kind.
    TAudioStreamInfo GetAudioStreamInfo(int streamIndex);
    TVideoStreamInfo GetVideoStreamInfo(int streamIndex);
    TSubtitleStreamInfo GetSubtitleStreamInfo(int streamIndex);
    TFileStreamInfo FileStreamInfo() { return GetFileStreamInfo(); }
    TAudioStreamInfo FirstAudioStreamInfo() { return GetAudioStreamInfo(-1); }
    TVideoStreamInfo FirstVideoStreamInfo() { return GetVideoStreamInfo(-1); }
    TSubtitleStreamInfo FirstSubtitleStreamInfo() { return GetSubtitleStreamInfo(-1); }

    // Lines ending in CR LF, in the manner of the tools' format dump.
    std::string GetFileInfoText();
    std::string FileInfoText() { return GetFileInfoText(); }

    const std::string& LastErrMsg() const { return FLastErrMsg; }

protected:
    virtual void UpdateFileInfo();
    // Logs through the process logger at FFmpeg's level and keeps the message.
    void LogError(int avLevel, const std::string& message);
    void SetLastErrMsg(const std::string& message) { FLastErrMsg = message; }
    // False with the warning "file not loaded." when no file is open.
    bool CheckFileLoaded();
    bool OwnsHandle() const { return ownedHandle_ != nullptr; }
    // The stream's codec type, or -1 (logged) when there is no such stream.
    int StreamCodecType(int streamIndex);

private:
    static void CheckLibraries();
    // The checked stream of a kind for a stream record; nullptr (logged) when none.
    AVStream* StreamOfKind(int& streamIndex, int codecType, int firstIndex, const char* kindName);
    void RepairTimeBase(AVStream* stream);
    template <class TInfo> void FillTimes(TInfo& info, AVStream* stream);

    AVFormatContext* FFileHandle = nullptr;
    TInputContext ownedHandle_; // set when the probe opened the file itself
    std::string FLastErrMsg;
    std::string FForceFormat;
    std::int64_t FFileSize = -1;
    int FStreamCount = -1;
    int FProgramCount = -1;
    int FAudioStreamCount = -1;
    int FVideoStreamCount = -1;
    int FSubtitleStreamCount = -1;
    int FFirstAudioStreamIndex = -1;
    int FFirstVideoStreamIndex = -1;
    int FFirstSubtitleStreamIndex = -1;
};

} // namespace tovrel
