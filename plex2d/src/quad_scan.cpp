#include "quad_scan.h"

#include <algorithm>
#include <cmath>

namespace corvax::detail {
namespace {

constexpr int kStride = 4;
constexpr int kCorners = 4;
constexpr int kUsed = kStride * kCorners;
// Far beyond any screen, and safely inside int: positions are clamped here before truncation.
constexpr double kFarthest = 1 << 30;

int Truncate(double value) {
  if (!(value > -kFarthest)) return -static_cast<int>(kFarthest);
  if (value > kFarthest) return static_cast<int>(kFarthest);
  return static_cast<int>(value);
}

// One quad being scanned: its corners in screen-clockwise order, so that walking back from the
// top corner follows the left side and walking forward the right side.
struct ScanPolygon {
  float v[kUsed];
  const TPixmap* pixmap = nullptr;
  int alphaOffset = 0;
  int bytesPerPixel = 0;
  int top = 0;  // offset of the top corner
  int topRow = 0;
  int bottomRow = 0;
  int leftEnd = 0;
  int rightEnd = 0;
  float left[kStride] = {};
  float leftStep[kStride] = {};
  float right[kStride] = {};
  float rightStep[kStride] = {};
  enum { kWaiting, kActive, kFinished } state = kWaiting;

  float Y(int offset) const { return v[offset + 1]; }
  int Row(int offset) const { return Truncate(Y(offset)); }

  explicit ScanPolygon(const TQuad& quad) {
    std::copy(quad.vertices, quad.vertices + kUsed, v);
    NormaliseWinding();
    for (int i = kStride; i < kUsed; i += kStride) {
      if (Row(i) < Row(top)) top = i;
    }
    topRow = Row(top);
    bottomRow = topRow;
    for (int i = 0; i < kUsed; i += kStride) bottomRow = std::max(bottomRow, Row(i));
    leftEnd = rightEnd = top;
    if (const TPixmap* p = quad.pixmap.get()) {
      pixmap = p;
      bytesPerPixel = BytesPerPixel[p->Format()];
      // The alpha byte: the only byte of ALPHA8, the last one of RGBA and BGRA.
      alphaOffset = bytesPerPixel - 1;
    }
  }

  // Mirrored quads (a negative scale) come counter-clockwise: reverse them.
  void NormaliseWinding() {
    int turns = 2;
    for (int k = 2; k < kCorners; ++k) {
      const float ax = v[k * kStride] - v[0];
      const float ay = v[k * kStride + 1] - v[1];
      const float bx = v[(k - 1) * kStride] - v[0];
      const float by = v[(k - 1) * kStride + 1] - v[1];
      if (Truncate(ax * by - ay * bx) >= 0) ++turns;
    }
    if (turns < kCorners) return;
    for (int i = 0, j = kUsed - kStride; i < j; i += kStride, j -= kStride) {
      std::swap_ranges(v + i, v + i + kStride, v + j);
    }
  }

  // Moves an edge on to the one that covers row r; false when the polygon has no more edges.
  bool AdvanceEdge(int& end, float* values, float* steps, int direction, int r) const {
    if (r < Row(end)) return true;
    int start = end;
    int next = (end + direction * kStride + kUsed) % kUsed;
    for (;;) {
      if (next == top) return false;
      if (Row(next) > r) break;
      start = next;
      next = (next + direction * kStride + kUsed) % kUsed;
    }
    const float dy = Y(next) - Y(start);
    if (!(dy > 0)) return false;
    // Sampled at the centre of each row.
    const float into = static_cast<float>(r) + 0.5f - Y(start);
    for (int a = 0; a < kStride; ++a) {
      steps[a] = (v[next + a] - v[start + a]) / dy;
      values[a] = v[start + a] + steps[a] * into;
    }
    end = next;
    return true;
  }

  void Advance(int r) {
    if (state == kFinished || (state == kWaiting && r < topRow)) return;
    if (!AdvanceEdge(leftEnd, left, leftStep, -1, r) ||
        !AdvanceEdge(rightEnd, right, rightStep, 1, r)) {
      state = kFinished;
      return;
    }
    state = kActive;
  }

  void Step() {
    for (int a = 0; a < kStride; ++a) {
      left[a] += leftStep[a];
      right[a] += rightStep[a];
    }
  }

  int SpanStart() const { return Truncate(left[0]); }
  int SpanEnd() const { return Truncate(right[0]); }

  // Whether the polygon is opaque at column x of the current row, which lies in its span.
  bool OpaqueAt(int x) const {
    if (!pixmap) return true;
    const int e = SpanStart();
    const int f = SpanEnd();
    if (f - e < 1) return false;
    const float t = (static_cast<float>(x - e) + 0.5f) / static_cast<float>(f - e);
    const float u = std::clamp(left[2] + (right[2] - left[2]) * t, 0.0f, 1.0f);
    const float w = std::clamp(left[3] + (right[3] - left[3]) * t, 0.0f, 1.0f);
    const int col = std::min(static_cast<int>(u * pixmap->Width()), pixmap->Width() - 1);
    const int row = std::min(static_cast<int>(w * pixmap->Height()), pixmap->Height() - 1);
    if (col < 0 || row < 0) return false;
    return pixmap->PixelAddress(col, row)[alphaOffset] >= 128;
  }
};

}  // namespace

bool ScanQuadsForSharedPixel(const TQuad& a, const TQuad& b) {
  ScanPolygon polygons[2] = {ScanPolygon(a), ScanPolygon(b)};
  // Rows outside either polygon cannot hold a shared pixel.
  const int first = std::max(polygons[0].topRow, polygons[1].topRow);
  const int end = std::min(polygons[0].bottomRow, polygons[1].bottomRow);
  for (int r = first; r < end; ++r) {
    for (ScanPolygon& p : polygons) p.Advance(r);
    if (polygons[0].state == ScanPolygon::kActive && polygons[1].state == ScanPolygon::kActive) {
      const int start = std::max(polygons[0].SpanStart(), polygons[1].SpanStart());
      const int stop = std::min(polygons[0].SpanEnd(), polygons[1].SpanEnd());
      for (int x = start; x < stop; ++x) {
        if (polygons[0].OpaqueAt(x) && polygons[1].OpaqueAt(x)) return true;
      }
    }
    for (ScanPolygon& p : polygons) {
      if (p.state == ScanPolygon::kActive) p.Step();
    }
  }
  return false;
}

}  // namespace corvax::detail
