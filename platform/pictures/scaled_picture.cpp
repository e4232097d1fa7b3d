#include "platform/pictures/scaled_picture.h"

#include <vector>

namespace platform {

namespace {

// Appends count target pixels sampled at their centres from source indices from..from+length-1.
void SampleSpan(std::vector<int>& out, int from, int length, int count) {
  for (int j = 0; j < count; ++j)
    out.push_back(from + static_cast<int>((2LL * j + 1) * length / (2LL * count)));
}

// Lines usable for shrinking: in order, apart and inside the source, with room for one target
// pixel each.
bool UsableLines(std::span<const PixelRun> lines, int from, int to) {
  if (lines.empty() || to >= from || static_cast<int>(lines.size()) > to) return false;
  int next = 0;
  for (const PixelRun& line : lines) {
    if (line.first < next || line.last < line.first || line.last >= from) return false;
    next = line.last + 1;
  }
  return true;
}

// For each of the to target indices along an axis, the source index it takes.
std::vector<int> SourceIndices(int from, int to, std::span<const PixelRun> lines) {
  std::vector<int> out;
  out.reserve(static_cast<std::size_t>(to));
  if (!UsableLines(lines, from, to)) {
    SampleSpan(out, 0, from, to);
    return out;
  }
  int lineWidth = 0;
  for (const PixelRun& line : lines) lineWidth += line.last - line.first + 1;
  const long long spans = from - lineWidth;   // source pixels between lines
  const long long room = to - static_cast<int>(lines.size());  // target pixels for them
  long long before = 0;  // source span pixels already placed
  int start = 0;
  const auto span = [&](int end) {  // the span from start up to end, exclusive
    const int length = end - start;
    if (length <= 0) return;
    const int count = static_cast<int>(room * (before + length) / spans - room * before / spans);
    SampleSpan(out, start, length, count);
    before += length;
  };
  for (const PixelRun& line : lines) {
    span(line.first);
    out.push_back((line.first + line.last + 1) / 2);
    start = line.last + 1;
  }
  span(from);
  return out;
}

}  // namespace

Picture Scaled(const Picture& source, int width, int height, const PictureLines& lines) {
  Picture out(width, height, kTransparent);
  if (out.argb.empty() || source.width <= 0 || source.height <= 0 ||
      source.argb.size() != static_cast<std::size_t>(source.width) * static_cast<std::size_t>(source.height))
    return out;
  const std::vector<int> columns = SourceIndices(source.width, out.width, lines.columns);
  const std::vector<int> rows = SourceIndices(source.height, out.height, lines.rows);
  for (int y = 0; y < out.height; ++y) {
    const std::uint32_t* from = source.argb.data() + static_cast<std::size_t>(rows[static_cast<std::size_t>(y)]) * source.width;
    std::uint32_t* to = &out.At(0, y);
    for (int x = 0; x < out.width; ++x) {
      const std::uint32_t p = from[columns[static_cast<std::size_t>(x)]];
      to[x] = (p >> 24) == 0 ? kTransparent : p;
    }
  }
  return out;
}

}  // namespace platform
