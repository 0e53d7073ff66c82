#pragma once
/// @file
/// @ingroup stream
/// Object graphs over any stream, and the "data" protocol.
///
/// One WriteObject puts one reference into the stream:
///   0                       the Null object, or any object that has no data type;
///   255, id (I32)           an object already written to this stream;
///   t (1..254) [name CR LF] an object of type id t, the type's name following on the type's
///                           first use, then the content written by the type's WriteInstance.
/// Object and type ids count from 1 in order of first appearance.
/// Call first: SaveObject(object, "data::file") and LoadObject("data::file") (open_url.h).
/// Example: examples/serialise.cpp.
#include <cstdint>
#include <unordered_map>

#include <corvax/runtime/array.h>
#include <corvax/runtime/map.h>
#include <corvax/stream/data_id.h>
#include <corvax/stream/data_type.h>
#include <corvax/stream/stream_factory.h>
#include <corvax/stream/stream_wrapper.h>

namespace corvax {

/// A data stream is used in one direction; its ids stay valid across calls, so an object
/// written twice is stored once.
class TDataStream : public TStreamWrapper {
 public:
  /// Throws the String "Unrecognized DataType: <name>" for a type no module registered, and
  /// TArrayBoundsException for a back-reference beyond the ids read so far. An object's id refers
  /// to it only once its content has been read: a reference to an object from inside its own
  /// content reads as Null.
  /// @return The object read.
  /// @sa WriteObject
  Ref<Object> ReadObject() override;
  /// Throws the String "Too many DataTypes" at the 255th distinct type.
  /// @param object The object, written once however often it is passed.
  /// @sa ReadObject
  void WriteObject(const Ref<Object>& object) override;

  /// @param stream The stream below; closed when the data stream is closed.
  /// @return A data stream over stream, starting with no ids.
  static Ref<TDataStream> CreateDataStream(Ref<TStream> stream);

  /// Objects nest this deep at most, in either direction: deeper input throws
  /// TStreamReadException, a deeper graph TStreamWriteException, rather than exhausting the
  /// call stack. A web page's call stack is the browser's own (about 1 MB, which held about
  /// 1000 levels in Chromium): half of that there.
#if defined(__EMSCRIPTEN__)
  static constexpr int kMaxNesting = 500;
#else
  static constexpr int kMaxNesting = 2000;
#endif

 private:
  struct IdentityHash {
    std::size_t operator()(const Ref<Object>& object) const {
      return std::hash<const Object*>()(object.get());
    }
  };

  std::int32_t object_count_ = 0;
  std::int32_t type_count_ = 0;
  Array<Ref<Object>> objects_{256};
  Array<Ref<TDataType>> types_{256};
  /// Written objects are keyed by identity, not Compare: two distinct objects that compare
  /// equal are still two objects of the graph. The keys keep the objects alive, so an address
  /// cannot be reused by another object while the stream lives.
  std::unordered_map<Ref<Object>, Ref<TDataId>, IdentityHash> written_objects_;
  TMap written_types_;
  int nesting_ = 0;
};

/// The same as TDataStream::CreateDataStream.
/// @param stream The stream below; closed when the data stream is closed.
/// @return The data stream.
Ref<TDataStream> CreateDataStream(Ref<TStream> stream);

/// "data::<url>" opens a data stream over the inner url, for reading or for writing. Both at
/// once throws the String "DataStreams can not be both readable and writeable".
class TDataStreamFactory : public TStreamFactory {
 public:
  Ref<TStream> CreateStream(const Ref<Object>& url, const String& protocol, const String& path,
                            bool readable, bool writeable) override;
};

/// Registers the "data" protocol and the list data type.
void StartupDataModule();

}  // namespace corvax
