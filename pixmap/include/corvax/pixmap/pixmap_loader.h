#pragma once
/// @file
/// @ingroup pixmap
/// Image files become pixmaps through a chain of loaders, each recognising one file format.
/// Call first: PixmapLoad(url). Example: examples/pixmaps.cpp.
#include <corvax/pixmap/pixmap.h>
#include <corvax/runtime/registration_chain.h>
#include <corvax/stream/stream.h>
#include <corvax/stream/url.h>

namespace corvax {

/// A loader joins the chain by being constructed; the newest loader is asked first.
///
/// LoadPixmapFrom reads from the stream's current position (the chain has put it at the start
/// of the data), returns Null quickly when the first bytes are not its format, never closes the
/// stream, and returns a new pixmap of align 4 in one of formats 1-6 with every pixel set. It may
/// let a TStreamException escape: the chain takes that as a refusal. Any other exception ends
/// the whole load.
class TPixmapLoader : public Object, public ChainMember<TPixmapLoader> {
 public:
  /// Links the new loader in front of the chain, which keeps it for the process's life.
  TPixmapLoader();

  /// @param stream The stream, at the start of the data.
  /// @return The pixmap read, or Null when the data is not this loader's format.
  virtual Ref<TPixmap> LoadPixmapFrom(const Ref<TStream>& stream) = 0;

  /// @return The loader made just before this one, or Null for the oldest.
  const Ref<TPixmapLoader>& NextLoader() const { return NextInChain(); }
  /// @return The newest loader, or Null before any was made.
  static Ref<TPixmapLoader> FirstLoader();
};

/// Asks each loader in turn, each from the same start position. The stream opened is closed on
/// every path (an open stream object passed as the url stays open).
/// @param url What to load.
/// @return The pixmap; Null when the url cannot be opened, its stream cannot seek, or no loader
/// accepts the data.
Ref<TPixmap> PixmapLoad(const Url& url);

}  // namespace corvax
