#include <corvax/stream/data_stream.h>

#include <corvax/runtime/boxed_string.h>
#include <corvax/runtime/exceptions.h>
#include <corvax/stream/open_url.h>

namespace corvax {
namespace {

constexpr int kNullReference = 0;
constexpr int kBackReference = 255;

// Counts one level of object nesting for the life of a ReadObject or WriteObject call.
template <class Overflow>
class NestingGuard {
 public:
  explicit NestingGuard(int& nesting) : nesting_(nesting) {
    if (nesting_ >= TDataStream::kMaxNesting) throw Overflow();
    ++nesting_;
  }
  ~NestingGuard() { --nesting_; }
  NestingGuard(const NestingGuard&) = delete;
  NestingGuard& operator=(const NestingGuard&) = delete;

 private:
  int& nesting_;
};

}  // namespace

Ref<TDataStream> TDataStream::CreateDataStream(Ref<TStream> stream) {
  auto data = New<TDataStream>();
  data->SetInnerStream(std::move(stream));
  return data;
}

Ref<TDataStream> CreateDataStream(Ref<TStream> stream) {
  return TDataStream::CreateDataStream(std::move(stream));
}

Ref<Object> TDataStream::ReadObject() {
  const int tag = ReadU8();
  if (tag == kNullReference) return nullptr;
  if (tag == kBackReference) return objects_[ReadI32()];

  NestingGuard<TStreamReadException> guard(nesting_);
  Ref<TDataType> type = types_[tag];
  if (!type) {
    const String name = ReadTextLine();
    type = FindDataType(name);
    if (!type) throw TThrownString(u"Unrecognized DataType: " + name);
    types_[tag] = type;
  }
  const std::int32_t id = ++object_count_;
  if (id >= objects_.Length()) objects_.Resize(2 * static_cast<std::size_t>(id));
  // The entry stays Null while the content is read: the object does not exist yet.
  Ref<Object> object = type->ReadInstance(*this);
  objects_[id] = object;
  type->AfterRead(object, *this);
  return object;
}

void TDataStream::WriteObject(const Ref<Object>& object) {
  const Ref<TDataType> type = DataTypeOf(object);
  if (!type) {
    // A data object must name its type; only objects that are not data are written as Null.
    if (Cast<TData>(object)) ThrowNullObject();
    WriteU8(kNullReference);
    return;
  }
  if (const auto written = written_objects_.find(object); written != written_objects_.end()) {
    WriteU8(kBackReference);
    WriteI32(written->second->Id());
    return;
  }

  NestingGuard<TStreamWriteException> guard(nesting_);
  const String name = type->TypeName();
  const Ref<Object> key = Box(name);
  if (const auto id = Cast<TDataId>(written_types_.ValueForKey(key))) {
    WriteU8(id->Id());
  } else {
    // Checked before counting, so a refused type leaves later writes on this stream intact.
    if (type_count_ == kBackReference - 1) throw TThrownString(u"Too many DataTypes");
    ++type_count_;
    written_types_.Insert(key, TDataId::CreateDataId(type_count_));
    WriteU8(type_count_);
    // A short type line would leave the stream unreadable; say so now.
    if (!WriteTextLine(name)) throw TStreamWriteException();
  }
  written_objects_.emplace(object, TDataId::CreateDataId(++object_count_));
  type->WriteInstance(object, *this);
}

Ref<TStream> TDataStreamFactory::CreateStream(const Ref<Object>&, const String& protocol,
                                              const String& path, bool readable, bool writeable) {
  if (protocol != u"data") return nullptr;
  if (readable && writeable) {
    throw TThrownString(u"DataStreams can not be both readable and writeable");
  }
  Ref<TStream> inner = OpenUrlStream(path, readable, writeable);
  if (!inner) return nullptr;
  return CreateDataStream(std::move(inner));
}

}  // namespace corvax
