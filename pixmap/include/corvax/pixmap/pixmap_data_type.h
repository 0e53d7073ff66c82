#pragma once
/// @file
/// @ingroup pixmap
/// Pixmaps as data: width, height and format as I32, then each row's pixel bytes, no padding.
#include <corvax/stream/data_type.h>

namespace corvax {

/// The data type of pixmaps, "KVT.Pixmap.TPixmap".
class TPixmapDataType : public TDataType {
 public:
  String TypeName() const override { return u"KVT.Pixmap.TPixmap"; }
  /// The pixmap comes back with align 4. A stored size or format no pixmap can have, or rows the
  /// stream does not hold, throw TStreamReadException before anything is allocated for them where
  /// the stream can tell its length.
  /// @param stream The stream to read.
  /// @return The pixmap.
  Ref<Object> ReadInstance(TStream& stream) override;
  void WriteInstance(const Ref<Object>& object, TStream& stream) override;

  /// @return The one pixmap data type, made on first use (module start-up makes it).
  static const Ref<TPixmapDataType>& Instance();
};

}  // namespace corvax
