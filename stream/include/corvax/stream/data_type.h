#pragma once
/// @file
/// @ingroup stream
/// Serialisable objects and the registry of their data types.
///
/// Making a class serialisable takes one small data-type class, as `examples/serialise.cpp`
/// does for its players:
/// @snippet serialise.cpp data type
///
/// and a class that derives from TData and returns its one data-type object (created at module
/// start-up) from GetDataType. Content goes through the stream's typed
/// operations; objects the content refers to go through stream.WriteObject / ReadObject, so
/// shared objects are written once. Stored sizes and counts are untrusted: check them with
/// the helpers of data_input.h before allocating.
#include <corvax/runtime/object.h>
#include <corvax/runtime/registration_chain.h>
#include <corvax/stream/stream.h>

namespace corvax {

class TDataType;

/// An object that a data stream can write and read back.
class TData : public Object {
 public:
  /// @return The one data type object of the class, made at module start-up.
  virtual Ref<TDataType> GetDataType() const = 0;
};

/// Writes and reads the objects of one serialisable class; identified in streams by its name.
class TDataType : public Object, public ChainMember<TDataType> {
 public:
  /// Links the new data type in front of the global registry chain, which keeps it for the
  /// process's life; the newest type of a name is the one found.
  TDataType();

  /// @return The name written into streams; it identifies the type when reading.
  virtual String TypeName() const = 0;
  /// Reads one object's content.
  /// @param stream The stream to read.
  /// @return The new object.
  /// @sa WriteInstance
  virtual Ref<Object> ReadInstance(TStream& stream) = 0;
  /// Writes the object's content.
  /// @param object The object, of this type.
  /// @param stream The stream to write.
  /// @sa ReadInstance
  virtual void WriteInstance(const Ref<Object>& object, TStream& stream) = 0;
  /// Called once the object read has got its id; does nothing by default.
  /// @param object The object read.
  /// @param stream The stream it came from.
  virtual void AfterRead(const Ref<Object>& object, TStream& stream);
  /// Classes that live below this module (TList) cannot derive from TData; their data type claims
  /// their objects here instead.
  /// @param object Any object.
  /// @return True when this type writes the object.
  virtual bool Adopts(const Object& object) const;

  /// @return The data type made just before this one, or Null for the oldest.
  const Ref<TDataType>& NextDataType() const { return NextInChain(); }
  /// @return The newest data type, or Null before any was made.
  static Ref<TDataType> FirstDataType();
};

/// @param name A type name.
/// @return The newest registered data type whose TypeName equals name exactly, or Null.
/// @sa DataTypeOf
Ref<TDataType> FindDataType(const String& name);
/// The data type that writes object: its own for a TData, else the first type that adopts it.
/// @param object Any object.
/// @return The type; Null when the object cannot be written (including the Null object).
/// @sa FindDataType
Ref<TDataType> DataTypeOf(const Ref<Object>& object);

}  // namespace corvax
