// Pictures and videos a user can be sent, made to flood memory, hang or
// recurse: each is read in a child process under a memory and a time limit,
// and must be skipped (refused for its size where it declares too much).

#include "scanners/media/PictureReader.hpp"
#include "scanners/media/VideoDecoderModule.hpp"

#include "doubles/FakeClock.hpp"
#include "doubles/HeifBoxes.hpp"
#include "doubles/LimitedChild.hpp"
#include "doubles/MediaFixtures.hpp"
#include "doubles/TempDir.hpp"

#include <gtest/gtest.h>
#include <webp/encode.h>

#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

namespace zentrel::scanners {
namespace {

constexpr unsigned kSecondsPerFile = 20;

std::string bytesOf(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void putBigEndian(std::string& bytes, std::size_t at, std::uint32_t value, int count) {
    for (int i = 0; i < count; ++i) bytes[at + i] = static_cast<char>(value >> (8 * (count - 1 - i)));
}

enum class Reader { picture, video };

struct HostileFile {
    std::string name;
    Reader reader;
    bool tooLarge;  // refused for its size; otherwise only left unread
};

// A progressive JPEG of 64 x 64 whose frame header declares `side` x `side`.
std::string progressiveJpeg(const testing::TempDir& dir, std::uint32_t side) {
    testing::writeJpeg(dir / "source.jpg", testing::drawScene(64, 64, 1), 64, 64, 90, true);
    auto jpeg = bytesOf(dir / "source.jpg");
    const auto frame = jpeg.find("\xFF\xC2");
    putBigEndian(jpeg, frame + 5, side, 2);
    putBigEndian(jpeg, frame + 7, side, 2);
    return jpeg;
}

// Writes the files and says how each must come out.
std::vector<HostileFile> writeHostileFiles(testing::TempDir& dir) {
    std::vector<HostileFile> files;
    // A HEIF grid of 20000 x 20000 in its first data box, and of 64 x 64 in a second one.
    dir.write("two-data-boxes.heic",
              testing::derivedHeif({.type = "grid",
                                    .canvasWidth = 20000,
                                    .canvasHeight = 20000,
                                    .laterMetadata = testing::heifBox("idat", std::string("\0\0\0\0\0\x40\0\x40", 8))}));
    files.push_back({"two-data-boxes.heic", Reader::picture, true});

    // One coded image holding a real picture eight times over.
    testing::writeWithImageMagick(dir / "tile.heic", testing::drawScene(64, 64, 5), 64, 64);
    const auto tile = bytesOf(dir / "tile.heic");
    const auto coded = testing::firstBox(tile, "mdat").substr(8);
    std::string eight;
    for (int i = 0; i < 8; ++i) eight += coded;
    dir.write("eight-pictures.heic", testing::derivedHeif({.type = "grid",
                                                           .codingConfiguration = testing::firstBox(tile, "hvcC"),
                                                           .codedData = eight}));
    files.push_back({"eight-pictures.heic", Reader::picture, false});

    // A lossless WebP whose header declares 16383 x 16383.
    const std::vector<std::uint8_t> rgb(16 * 16 * 3, 90);
    std::uint8_t* encoded = nullptr;
    const auto encodedBytes = WebPEncodeLosslessRGB(rgb.data(), 16, 16, 16 * 3, &encoded);
    std::string lossless(reinterpret_cast<const char*>(encoded), encodedBytes);
    WebPFree(encoded);
    const auto header = lossless.find("VP8L") + 9;  // past the chunk's size and signature
    std::uint32_t fields = 0;
    for (int i = 3; i >= 0; --i) fields = fields << 8 | static_cast<unsigned char>(lossless[header + i]);
    fields = (fields & ~0x0FFFFFFFu) | 16382u | 16382u << 14;
    for (int i = 0; i < 4; ++i) lossless[header + i] = static_cast<char>(fields >> (8 * i));
    dir.write("lossless.webp", lossless);
    files.push_back({"lossless.webp", Reader::picture, true});

    // A progressive JPEG of several hundred scans: its last one repeated.
    testing::writeJpeg(dir / "scans.jpg", testing::drawScene(16, 16, 2), 16, 16, 90, true);
    auto scans = bytesOf(dir / "scans.jpg");
    const auto lastScan = scans.rfind("\xFF\xDA");
    const auto scan = scans.substr(lastScan, scans.size() - 2 - lastScan);
    for (int i = 0; i < 320; ++i) scans.insert(lastScan, scan);
    dir.write("many-scans.jpg", scans);
    files.push_back({"many-scans.jpg", Reader::picture, false});

    // An MJPEG video of one 16000 x 16000 progressive frame, its stream declaring that size, then 64 x 64.
    const auto hugeFrame = progressiveJpeg(dir, 16000);
    testing::writeMjpegAvi(dir / "huge-stream.avi", hugeFrame, 16000, 16000);
    files.push_back({"huge-stream.avi", Reader::video, true});
    testing::writeMjpegAvi(dir / "huge-frame.avi", hugeFrame, 64, 64);
    files.push_back({"huge-frame.avi", Reader::video, true});

    // A live playlist under a video's name, beside a segment, waits out its target duration before reading on.
    testing::writeVideo(dir / "segment.ts", 64, 48, 1, "mpegts");
    dir.write("playlist.mp4", "#EXTM3U\n#EXT-X-VERSION:3\n#EXT-X-TARGETDURATION:1000000\n#EXT-X-MEDIA-SEQUENCE:0\n"
                              "#EXTINF:1000000.0,\nsegment.ts\n");
    files.push_back({"playlist.mp4", Reader::video, false});
    // A named pipe under a video's name, a concatenation list naming it, and one naming itself.
    ::mkfifo((dir / "pipe.mp4").c_str(), 0600);
    files.push_back({"pipe.mp4", Reader::video, false});
    dir.write("concat-pipe.mp4", "ffconcat version 1.0\nfile 'pipe.mp4'\n");
    files.push_back({"concat-pipe.mp4", Reader::video, false});
    dir.write("concat-self.mp4", "ffconcat version 1.0\nfile 'concat-self.mp4'\n");
    files.push_back({"concat-self.mp4", Reader::video, false});
    return files;
}

// A child with room for the decodes' budget and the libraries' own, and a time limit.
int runLimited(const std::function<bool()>& body) {
    return testing::runInLimitedChild(PictureMemoryBudget::kSharedBytes + (std::size_t{384} << 20), kSecondsPerFile,
                                      [&] { return body() ? 0 : 1; });
}

TEST(HostileMediaTest, EachFileIsSkippedWithinMemoryAndTime) {
    testing::TempDir dir;
    for (const auto& [name, reader, tooLarge] : writeHostileFiles(dir)) {
        const auto path = (dir / name).string();
        const int outcome = runLimited([&] {
            PictureGate gate;
            const bool read = reader == Reader::picture
                                  ? readPicture(path, gate).has_value()
                                  : decodeFirstVideoFrame(path, gate, platform::SystemClock::shared()).has_value();
            return !read && gate.refusedAsTooLarge() == tooLarge;
        });
        EXPECT_EQ(outcome, 0) << name << (outcome == -SIGALRM ? ": out of time" : outcome < 0 ? ": ended by a signal" : "");
    }
}

// A clock that moves an hour on at every look.
class LeapingClock final : public platform::Clock {
public:
    [[nodiscard]] platform::Date now() const override {
        now_ = now_.addingTimeInterval(3600);
        return now_;
    }

private:
    mutable platform::Date now_ = platform::Date::fromTimeIntervalSince1970(1'700'000'000.0);
};

TEST(HostileMediaTest, AVideoStopsWhenItsTimeIsUp) {
    testing::TempDir dir;
    testing::writeVideo(dir / "clip.avi", 64, 48, 3);
    const auto path = (dir / "clip.avi").string();
    const testing::FakeClock still;
    PictureGate gate;
    EXPECT_TRUE(decodeFirstVideoFrame(path, gate, still));
    const LeapingClock leaping;
    PictureGate late;
    EXPECT_FALSE(decodeFirstVideoFrame(path, late, leaping));
    EXPECT_FALSE(late.refusedAsTooLarge());
}

}  // namespace
}  // namespace zentrel::scanners
