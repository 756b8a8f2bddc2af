#pragma once
// The grey thumbnail of a picture built from its rows as a decoder hands them
// over, top to bottom, so the whole picture is never held. Each thumbnail
// pixel averages the source rectangle it covers (at least one pixel); the
// proportions are not kept.
//
//   ThumbnailBuilder builder(width, height, 32);
//   for (each row) builder.addRow(row);
//   auto thumbnail = builder.finish();

#include <cstdint>
#include <vector>

namespace zentrel::scanners {

class ThumbnailBuilder {
public:
    // Width, height and side of at least 1.
    ThumbnailBuilder(int width, int height, int side);

    // The next row of `width` pixels; rows past the height are ignored.
    void addRow(const std::uint8_t* row);
    // Side x side bytes, rows top to bottom, once every row was added.
    [[nodiscard]] std::vector<std::uint8_t> finish() const;

private:
    // The source rows or columns [first, end) a thumbnail row or column covers.
    struct Span {
        int first;
        int end;
    };
    [[nodiscard]] static std::vector<Span> spans(int length, int side);

    int side_;
    int row_ = 0;
    std::vector<Span> rows_;
    std::vector<Span> columns_;
    std::vector<std::uint64_t> sums_;
    std::vector<std::uint64_t> rowSums_;
};

}  // namespace zentrel::scanners
