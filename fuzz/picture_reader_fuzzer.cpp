// Files of any content through the picture entry the duplicate scan calls,
// and through its video decoder: whatever format the bytes claim, each must
// skip or read them within its limits. Seeds hold a small picture of every
// format it reads, videos, and files once made to flood memory or hang.

#include "scanners/media/PictureReader.hpp"
#include "scanners/media/VideoDecoderModule.hpp"

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// One file, rewritten for every input, in the scratch folder the stage gives.
const std::string& scratchFile() {
    static const std::string path = [] {
        const char* folder = std::getenv("TMPDIR");
        return std::string(folder && *folder ? folder : "/tmp") + "/picture-" + std::to_string(::getpid());
    }();
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::FILE* file = std::fopen(scratchFile().c_str(), "wb");
    if (!file) return 0;
    const bool written = std::fwrite(data, 1, size, file) == size;
    std::fclose(file);
    if (!written) return 0;
    // A budget of 64 MiB keeps each run short; larger pictures are refused.
    static zentrel::scanners::PictureMemoryBudget budget(std::uint64_t{64} << 20);
    zentrel::scanners::PictureGate gate(budget);
    const auto picture = zentrel::scanners::readPicture(scratchFile(), gate);
    if (picture && (picture->width < 1 || picture->height < 1 || picture->image.pixels.empty())) __builtin_trap();
    zentrel::scanners::PictureGate videoGate(budget);
    const auto frame =
        zentrel::scanners::decodeFirstVideoFrame(scratchFile(), videoGate, zentrel::platform::SystemClock::shared());
    if (frame && (frame->width < 1 || frame->height < 1 || frame->pixels.empty())) __builtin_trap();
    return 0;
}
