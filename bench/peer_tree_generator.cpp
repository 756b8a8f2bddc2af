// The home-like tree compare_with_peers runs us and the peers on: about
// 50,000 files, with documents, their copies, photos with resized and
// re-saved copies, music and projects. A program of its own, so that the
// probe that times our paths loads none of the picture writers it uses.
//
//   peer_tree_generator HOME
//
// It writes only under HOME.

#include "platform/concurrency/ConcurrentLoop.hpp"
#include "platform/concurrency/TaskPool.hpp"

#include "doubles/MediaFixtures.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9e3779b97f4a7c15ull);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
        return z ^ (z >> 31);
    }
    int below(int bound) { return static_cast<int>(next() % static_cast<std::uint64_t>(bound)); }

private:
    std::uint64_t state_;
};

void writeBytes(const fs::path& path, std::size_t size, std::uint64_t seed) {
    fs::create_directories(path.parent_path());
    Random random(seed);
    std::string bytes(size, '\0');
    for (std::size_t at = 0; at + 8 <= size; at += 8) {
        const auto word = random.next();
        std::copy_n(reinterpret_cast<const char*>(&word), 8, bytes.begin() + static_cast<std::ptrdiff_t>(at));
    }
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(size));
}

// A photo-like grey picture: a gradient, a few shapes and some grain.
std::vector<std::uint8_t> drawPhoto(int width, int height, std::uint64_t seed) {
    Random random(seed);
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width) * height);
    struct Wave {
        double dx, dy, phase, amplitude;
    };
    std::vector<Wave> waves;
    for (int i = 0; i < 3; ++i) {
        const double angle = random.below(360) * M_PI / 180, period = (0.2 + random.below(80) / 100.0) * width;
        waves.push_back({std::cos(angle) / period * 2 * M_PI, std::sin(angle) / period * 2 * M_PI,
                         random.below(628) / 100.0, 20.0 + random.below(40)});
    }
    struct Shape {
        double x, y, rx, ry;
        int grey;
    };
    std::vector<Shape> shapes;
    for (int i = 0, count = 8 + random.below(8); i < count; ++i) {
        shapes.push_back({random.below(width) * 1.0, random.below(height) * 1.0, 20.0 + random.below(width / 3),
                          20.0 + random.below(height / 3), random.below(256)});
    }
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            double value = 128;
            for (const auto& wave : waves) value += wave.amplitude * std::sin(x * wave.dx + y * wave.dy + wave.phase);
            for (const auto& shape : shapes) {
                const double dx = (x - shape.x) / shape.rx, dy = (y - shape.y) / shape.ry;
                if (dx * dx + dy * dy < 1) value = 0.3 * value + 0.7 * shape.grey;
            }
            value += static_cast<double>(random.below(17)) - 8;
            pixels[static_cast<std::size_t>(y) * width + x] = static_cast<std::uint8_t>(std::clamp(value, 0.0, 255.0));
        }
    }
    return pixels;
}

void writePicture(const fs::path& path, const std::vector<std::uint8_t>& pixels, int width, int height, int quality) {
    fs::create_directories(path.parent_path());
    if (path.extension() == ".png") {
        zentrel::testing::writePng(path, pixels, width, height);
    } else {
        zentrel::testing::writeJpeg(path, pixels, width, height, quality);
    }
}

void copyInto(const fs::path& from, const fs::path& to) {
    fs::create_directories(to.parent_path());
    fs::copy_file(from, to, fs::copy_options::overwrite_existing);
}

// About 50,000 files: documents, downloads and a desktop with copies among
// them, photos with resized and re-saved copies, music, projects with their
// dependencies and history, and the hidden caches and settings of a home.
void generate(const fs::path& home) {
    Random random(2024);
    std::vector<fs::path> documents;
    for (int i = 0; i < 12'000; ++i) {
        // Two in ten are large enough to be compared; sizes repeat, as in real folders.
        const bool large = i % 10 < 2;
        const std::size_t size = large ? 100'000 + 500 * static_cast<std::size_t>(random.below(300))
                                       : 500 + static_cast<std::size_t>(random.below(60'000));
        const auto path = home / "Documents" / ("project" + std::to_string(i % 40)) /
                          ("part" + std::to_string(i % 7)) / ("doc" + std::to_string(i) + (i % 3 ? ".pdf" : ".txt"));
        writeBytes(path, size, 1'000'000 + i);
        if (large) documents.push_back(path);
    }
    // A few middle-sized files of one size that differ only in their middle.
    for (int i = 0; i < 6; ++i) {
        writeBytes(home / "Documents/exports" / ("export" + std::to_string(i) + ".bin"), 3'000'000, 77);
        std::fstream patch(home / "Documents/exports" / ("export" + std::to_string(i) + ".bin"),
                           std::ios::in | std::ios::out | std::ios::binary);
        patch.seekp(1'500'000);
        patch.put(static_cast<char>('a' + i % 3));
    }
    for (int i = 0; i < 4'000; ++i) {
        const auto path = home / "Downloads" / ("file" + std::to_string(i) + ".dat");
        if (i % 8 == 0) {
            copyInto(documents[static_cast<std::size_t>(random.below(static_cast<int>(documents.size())))], path);
        } else {
            writeBytes(path, 200 + static_cast<std::size_t>(random.below(i % 5 ? 40'000 : 600'000)), 2'000'000 + i);
        }
    }
    for (int i = 0; i < 1'000; ++i) {
        const auto path = home / "Desktop" / ("note" + std::to_string(i) + ".txt");
        if (i % 10 == 0) {
            copyInto(documents[static_cast<std::size_t>(random.below(static_cast<int>(documents.size())))], path);
        } else {
            writeBytes(path, 100 + static_cast<std::size_t>(random.below(30'000)), 3'000'000 + i);
        }
    }
    // 600 photos, drawn side by side; one in ten gets a resized, re-saved
    // copy and one in twenty an exact copy.
    zentrel::platform::TaskPool pool;
    zentrel::platform::forEachConcurrently(&pool, 600, [&](std::size_t index) {
        const int i = static_cast<int>(index);
        const int width = i % 4 ? 1024 : 768, height = i % 4 ? 768 : 1024;
        const auto pixels = drawPhoto(width, height, 5'000 + static_cast<std::uint64_t>(i));
        const auto path = home / "Pictures" / ("20" + std::to_string(10 + i % 14)) /
                          ("IMG_" + std::to_string(1000 + i) + (i % 25 == 0 ? ".png" : ".jpg"));
        writePicture(path, pixels, width, height, 92);
        if (i % 10 == 3) {
            const int smallWidth = width * 9 / 10, smallHeight = height * 9 / 10;
            auto smaller = zentrel::testing::resized(pixels, width, height, smallWidth, smallHeight);
            // Another camera's grain, so the copy is no smaller on disk than a photo.
            Random grain(9'000 + index);
            for (auto& pixel : smaller) pixel = static_cast<std::uint8_t>(std::clamp(pixel + grain.below(17) - 8, 0, 255));
            writePicture(home / "Pictures/edited" / ("IMG_" + std::to_string(1000 + i) + "-small.jpg"), smaller,
                         smallWidth, smallHeight, 90);
        }
        if (i % 20 == 7) copyInto(path, home / "Downloads/photos" / path.filename());
    });
    for (int i = 0; i < 60; ++i)
        writeBytes(home / "Music" / ("album" + std::to_string(i % 15)) / ("track" + std::to_string(i) + ".mp3"),
                   3'000'000 + 1000 * static_cast<std::size_t>(i), 4'000'000 + i);
    for (int i = 0; i < 20'000; ++i) {
        writeBytes(home / "Projects" / ("app" + std::to_string(i % 12)) / "node_modules" /
                       ("pkg" + std::to_string(i % 300)) / ("index" + std::to_string(i) + ".js"),
                   100 + static_cast<std::size_t>(random.below(8'000)), 5'000'000 + i);
    }
    for (int i = 0; i < 3'000; ++i) {
        writeBytes(home / "Projects" / ("app" + std::to_string(i % 12)) / ".git/objects" /
                       std::to_string(10 + i % 90) / ("obj" + std::to_string(i)),
                   100 + static_cast<std::size_t>(random.below(20'000)), 6'000'000 + i);
    }
    for (int i = 0; i < 8'000; ++i) {
        writeBytes(home / ".cache" / ("app" + std::to_string(i % 25)) / ("entry" + std::to_string(i)),
                   100 + static_cast<std::size_t>(random.below(50'000)), 7'000'000 + i);
    }
    for (int i = 0; i < 500; ++i)
        writeBytes(home / ".config" / ("tool" + std::to_string(i % 50)) / ("settings" + std::to_string(i) + ".conf"),
                   50 + static_cast<std::size_t>(random.below(2'000)), 8'000'000 + i);
    // A file with a second name elsewhere in the home, counted once by du.
    fs::create_hard_link(documents.front(), home / "Music/linked-document.pdf");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: peer_tree_generator HOME\n";
        return 2;
    }
    generate(argv[1]);
    return 0;
}
