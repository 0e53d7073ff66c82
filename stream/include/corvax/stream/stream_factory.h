#pragma once
/// @file
/// @ingroup stream
/// Protocol factories, asked newest first by OpenUrlStream.
#include <corvax/runtime/registration_chain.h>
#include <corvax/stream/stream.h>

namespace corvax {

/// Opens the urls of one or more protocols. Making one (with New) registers it for good.
class TStreamFactory : public Object, public ChainMember<TStreamFactory> {
 public:
  /// Links the new factory in front of the global chain, which keeps it for the process's life.
  TStreamFactory();

  /// A stream for the url.
  /// @param url The object the caller passed.
  /// @param protocol The text before "::", already lower case.
  /// @param path The text after "::".
  /// @param readable Whether to read.
  /// @param writeable Whether to write.
  /// @return The stream, or Null to let the next factory answer.
  virtual Ref<TStream> CreateStream(const Ref<Object>& url, const String& protocol,
                                    const String& path, bool readable, bool writeable) = 0;

  /// @return The factory made just before this one, or Null for the oldest.
  const Ref<TStreamFactory>& NextFactory() const { return NextInChain(); }
  /// @return The newest factory, or Null before any was made.
  static Ref<TStreamFactory> FirstFactory();
};

}  // namespace corvax
