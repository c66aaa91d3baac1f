#include "DamagedFiles.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

namespace tovrel::bench {

namespace {

using TBytes = std::vector<char>;

constexpr int kCuts = 12;
constexpr int kFlipRounds = 10;
constexpr std::size_t kZeroedHeaders[] = {16, 256, 4096};

TBytes ReadAll(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + file.string());
    return TBytes(std::istreambuf_iterator<char>(in), {});
}

class TDamageWriter {
public:
    TDamageWriter(const std::filesystem::path& folder, std::size_t count, std::uint32_t seed)
        : folder_(folder), count_(count), random_(seed)
    {}

    bool Full() const { return files_.size() >= count_; }

    void Damage(const std::filesystem::path& source)
    {
        const TBytes good = ReadAll(source);
        const std::string extension = source.extension().string();
        extensions_.push_back(extension);
        // Cuts from a few bytes to just short of the end.
        for (int cut = 0; cut < kCuts; ++cut) {
            const std::size_t size = cut == 0 ? 8 : good.size() * static_cast<std::size_t>(cut) / kCuts;
            Write(TBytes(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(size)), extension,
                  "truncated at " + std::to_string(size) + " of " + std::to_string(good.size()) + " bytes of " +
                      source.filename().string());
        }
        // 1, 2, 4, ... bytes flipped at random places.
        for (int round = 0; round < kFlipRounds; ++round) {
            TBytes bytes = good;
            const int flips = 1 << (round % 7);
            for (int i = 0; i < flips; ++i)
                bytes[Below(bytes.size())] ^= static_cast<char>(1 + Below(255));
            Write(bytes, extension, std::to_string(flips) + " bytes flipped in " + source.filename().string());
        }
        for (std::size_t zeroed : kZeroedHeaders) {
            TBytes bytes = good;
            std::fill(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(std::min(zeroed, bytes.size())), 0);
            Write(bytes, extension,
                  "first " + std::to_string(zeroed) + " bytes zeroed in " + source.filename().string());
        }
    }

    void FillWithRandomData()
    {
        for (std::size_t i = 0; !Full() && !extensions_.empty(); ++i) {
            TBytes bytes(1 + Below(256 * 1024));
            for (char& byte : bytes)
                byte = static_cast<char>(Below(256));
            Write(bytes, extensions_[i % extensions_.size()],
                  "random data, " + std::to_string(bytes.size()) + " bytes");
        }
    }

    std::vector<TDamagedFile> Files() { return std::move(files_); }

private:
    std::size_t Below(std::size_t limit) { return std::uniform_int_distribution<std::size_t>(0, limit - 1)(random_); }

    void Write(const TBytes& bytes, const std::string& extension, std::string damage)
    {
        if (Full())
            return;
        const std::filesystem::path path = folder_ / ("damaged-" + std::to_string(files_.size()) + extension);
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out)
            throw std::runtime_error("cannot write " + path.string());
        files_.push_back({path, std::move(damage)});
    }

    std::filesystem::path folder_;
    std::size_t count_;
    std::mt19937 random_;
    std::vector<std::string> extensions_;
    std::vector<TDamagedFile> files_;
};

} // namespace

std::vector<TDamagedFile> MakeDamagedFiles(const std::vector<std::filesystem::path>& sources,
                                           const std::filesystem::path& folder, std::size_t count, std::uint32_t seed)
{
    std::filesystem::create_directories(folder);
    TDamageWriter writer(folder, count, seed);
    for (const std::filesystem::path& source : sources)
        writer.Damage(source);
    writer.FillWithRandomData();
    return writer.Files();
}

} // namespace tovrel::bench
