// The fixed fixtures and the cached entry points.
#include "support/TestMedia.h"

#include "support/MediaCache.h"

#include <fstream>
#include <sstream>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

namespace tovrel::test::media {

namespace fs = std::filesystem;

namespace {

// Bump when the generator changes what it writes for the same recipe.
constexpr int kGeneratorRevision = 2;

std::string ClipKey(const ClipSpec& recipe)
{
    std::ostringstream key;
    key << "clip r" << kGeneratorRevision << " avcodec " << avcodec_version() << " avformat " << avformat_version()
        << '|' << recipe.fileName << '|' << recipe.formatName << '|' << recipe.videoCodec << '|' << recipe.audioCodec
        << '|' << recipe.width << 'x' << recipe.height << '|' << recipe.fps << '|' << recipe.seconds << '|'
        << recipe.gop << '|' << recipe.maxBFrames << '|' << recipe.extraAudioStreams << '|' << recipe.sampleRate << '|'
        << recipe.channels << '|' << recipe.subtitleCues << '|' << recipe.rotation;
    if (recipe.sizeChange)
        key << "|resize " << recipe.sizeChange->atFrame << ' ' << recipe.sizeChange->width << 'x'
            << recipe.sizeChange->height;
    return key.str();
}

ClipSpec Mpeg4Mp3(std::string fileName, double seconds)
{
    return ClipSpec{.fileName = std::move(fileName),
                    .formatName = "avi",
                    .videoCodec = "mpeg4",
                    .audioCodec = "libmp3lame",
                    .seconds = seconds};
}

ClipSpec H264Aac(std::string fileName, int gop)
{
    return ClipSpec{.fileName = std::move(fileName),
                    .formatName = "mp4",
                    .videoCodec = "libx264",
                    .audioCodec = "aac",
                    .seconds = 2,
                    .gop = gop,
                    .maxBFrames = 2};
}

constexpr char kNotMediaText[] = "This is a plain text file wearing a media file name.\n"
                                 "It holds no audio and no video; opening it must fail with a clear error.\n";

void WriteNotMedia(const fs::path& file)
{
    std::ofstream out(file, std::ios::binary);
    for (int line = 0; line < 16; ++line)
        out << kNotMediaText;
    if (!out.flush())
        throw TestMediaError("test media: cannot write " + file.string());
}

void WriteFirstHalf(const fs::path& source, const fs::path& file)
{
    fs::copy_file(source, file, fs::copy_options::overwrite_existing);
    fs::resize_file(file, fs::file_size(source) / 2);
}

} // namespace

std::string_view FixtureName(Fixture fixture)
{
    switch (fixture) {
    case Fixture::Mpeg4Mp3Avi: return "Mpeg4Mp3Avi";
    case Fixture::H264AacMp4: return "H264AacMp4";
    case Fixture::Mp3Audio: return "Mp3Audio";
    case Fixture::PcmWav: return "PcmWav";
    case Fixture::SizeChange: return "SizeChange";
    case Fixture::ManyStreams: return "ManyStreams";
    case Fixture::ChineseName: return "ChineseName";
    case Fixture::KeyFrameEvery10: return "KeyFrameEvery10";
    case Fixture::Truncated: return "Truncated";
    case Fixture::NotMedia: return "NotMedia";
    }
    return "Unknown";
}

std::optional<ClipSpec> FixtureClip(Fixture fixture)
{
    switch (fixture) {
    case Fixture::Mpeg4Mp3Avi: return Mpeg4Mp3("mpeg4_mp3.avi", 2);
    case Fixture::H264AacMp4: return H264Aac("h264_aac.mp4", 12);
    case Fixture::Mp3Audio:
        return ClipSpec{.fileName = "tone.mp3", .formatName = "mp3", .audioCodec = "libmp3lame", .seconds = 2};
    case Fixture::PcmWav:
        return ClipSpec{.fileName = "tone.wav", .formatName = "wav", .audioCodec = "pcm_s16le", .seconds = 1};
    case Fixture::SizeChange: {
        ClipSpec recipe = Mpeg4Mp3("size_change.ts", 2);
        recipe.formatName = "mpegts";
        recipe.sizeChange = SizeChange{.atFrame = 25, .width = 176, .height = 144};
        return recipe;
    }
    case Fixture::ManyStreams: {
        ClipSpec recipe = Mpeg4Mp3("many_streams.mkv", 1);
        recipe.formatName = "matroska";
        recipe.extraAudioStreams = 20;
        recipe.channels = 1;
        return recipe;
    }
    case Fixture::ChineseName: return Mpeg4Mp3("测试 视频 文件.avi", 1);
    case Fixture::KeyFrameEvery10: return H264Aac("key_every_10.mp4", 10);
    case Fixture::Truncated:
    case Fixture::NotMedia: break;
    }
    return std::nullopt;
}

fs::path FixturePath(Fixture fixture)
{
    if (const std::optional<ClipSpec> recipe = FixtureClip(fixture))
        return ClipPath(*recipe);
    if (fixture == Fixture::Truncated) {
        const fs::path source = FixturePath(Fixture::Mpeg4Mp3Avi);
        return CachedFile(TestMediaFolder(), "first half of " + source.string(), "truncated.avi",
                          [&source](const fs::path& file) { WriteFirstHalf(source, file); });
    }
    return CachedFile(TestMediaFolder(), std::string("text ") + kNotMediaText, "not_media.avi", WriteNotMedia);
}

fs::path ClipPath(const ClipSpec& recipe)
{
    return ClipPath(recipe, TestMediaFolder());
}

fs::path ClipPath(const ClipSpec& recipe, const fs::path& cacheFolder)
{
    return CachedFile(cacheFolder, ClipKey(recipe), recipe.fileName,
                      [&recipe](const fs::path& file) { WriteClip(recipe, file); });
}

} // namespace tovrel::test::media
