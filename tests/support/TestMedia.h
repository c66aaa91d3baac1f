#pragma once
// Media files for tests and benchmarks, generated with the FFmpeg libraries at run
// time and cached, so that no binary media is committed.
//
// Files live in $TOVREL_TEST_MEDIA_DIR (ctest sets <build>/test-media), else in a
// folder under the system temp folder. Each file sits in a subfolder named after a
// hash of what it was made from, so a changed recipe never reuses a stale file.
// Generation is safe across threads and processes: a file is written under a
// unique temporary name and renamed into place.

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tovrel::test::media {

// Missing encoder, unknown container, failed write: the message says which.
class TestMediaError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct SizeChange {
    int atFrame = 0; // first frame drawn at the new size
    int width = 0;
    int height = 0;
};

// Recipe for one clip: a moving synthetic picture and a sine tone per audio stream.
struct ClipSpec {
    std::string fileName{};   // name of the file inside the cache, e.g. "clip.avi"
    std::string formatName{}; // muxer short name: "avi", "mp4", "matroska", "mpegts", ...
    std::string videoCodec{}; // encoder name ("mpeg4", "libx264"); empty: no video
    std::string audioCodec{}; // encoder name ("libmp3lame", "aac", "pcm_s16le"); empty: no audio
    int width = 320;
    int height = 240;
    int fps = 25;
    double seconds = 1.0;
    int gop = 12; // a key frame exactly every `gop` frames, no scene-cut key frames
    int maxBFrames = 0;
    std::optional<SizeChange> sizeChange{}; // needs a container that carries codec headers in-stream
    int extraAudioStreams = 0;              // audio streams beyond the first, each with its own tone
    int sampleRate = 44100;
    int channels = 2;
    int rotation = 0;     // degrees counter-clockwise in the video stream's display matrix
    int subtitleCues = 0; // one text cue a second in a SubRip track; needs a container that takes SubRip

    int FrameCount() const;
    long long SampleCount() const;
    int AudioStreamCount() const; // 0 without audio codec, else 1 + extraAudioStreams
};

enum class Fixture {
    Mpeg4Mp3Avi,     // MPEG-4 Part 2 + MP3 in AVI, 320x240, 2 s
    H264AacMp4,      // H.264 with B-frames + AAC in MP4, 320x240, 2 s
    Mp3Audio,        // MP3 only, 2 s
    PcmWav,          // 16-bit PCM WAV, 1 s
    SizeChange,      // MPEG-4 Part 2 + MP3 in MPEG-TS; 320x240, then 176x144 from frame 25
    ManyStreams,     // Matroska with 1 video + 21 audio streams, 1 s
    ChineseName,     // "测试 视频 文件.avi", MPEG-4 Part 2 + MP3, 1 s
    KeyFrameEvery10, // H.264 (B-frames) + AAC in MP4, key frame exactly every 10 frames, 2 s
    Truncated,       // first half of the bytes of Mpeg4Mp3Avi, named "truncated.avi"
    NotMedia,        // plain text named "not_media.avi"
};

// "Mpeg4Mp3Avi", "Truncated", ...: the enumerator's name, for messages and test names.
std::string_view FixtureName(Fixture fixture);

// Path of the fixture, generated on first use.
std::filesystem::path FixturePath(Fixture fixture);

// The recipe behind a fixture; empty for Truncated and NotMedia, which are not clips.
std::optional<ClipSpec> FixtureClip(Fixture fixture);

// Path of a clip made from `recipe`, generated on first use in TestMediaFolder() or in
// the given cache folder.
std::filesystem::path ClipPath(const ClipSpec& recipe);
std::filesystem::path ClipPath(const ClipSpec& recipe, const std::filesystem::path& cacheFolder);

// Writes the clip to `file` with no caching. Throws TestMediaError.
void WriteClip(const ClipSpec& recipe, const std::filesystem::path& file);

// The cache folder in use (created if missing).
std::filesystem::path TestMediaFolder();

} // namespace tovrel::test::media
