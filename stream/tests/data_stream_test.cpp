#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include <corvax/stream/stream_module.h>

#include "temp_dir.h"
#include "unseekable_stream.h"

namespace corvax {
namespace {

using Bytes = std::vector<unsigned char>;

Bytes BytesOf(const Ref<TBank>& bank) {
  return {bank->Buffer(), bank->Buffer() + bank->Size()};
}

Ref<TBank> BankOf(const Bytes& bytes) {
  auto bank = CreateBank(static_cast<int>(bytes.size()));
  if (!bytes.empty()) std::memcpy(bank->Buffer(), bytes.data(), bytes.size());
  return bank;
}

Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

Bytes Line(const std::string& text) {
  Bytes bytes(text.begin(), text.end());
  bytes.push_back('\r');
  bytes.push_back('\n');
  return bytes;
}

Bytes I32(std::int32_t value) {
  Bytes bytes(4);
  std::memcpy(bytes.data(), &value, 4);
  return bytes;
}

// Writes each object through one data stream and returns the bytes.
Bytes Serialise(std::initializer_list<Ref<Object>> objects) {
  auto bank = CreateBank(0);
  auto stream = CreateDataStream(CreateBankStream(bank));
  for (const auto& object : objects) stream->WriteObject(object);
  return BytesOf(bank);
}

Ref<TDataStream> Reader(const Bytes& bytes) {
  return CreateDataStream(CreateBankStream(BankOf(bytes)));
}

class DataStreamTest : public ::testing::Test {
 protected:
  void SetUp() override { StartupStreamModule(); }
};

TEST_F(DataStreamTest, ASharedBankIsWrittenOnce) {
  auto bank = BankOf({1, 2, 3});
  const Bytes bytes = Serialise({bank, bank});
  EXPECT_EQ(bytes, Concat({{1}, Line("KVT.Bank.TBank"), I32(3), {1, 2, 3}, {255}, I32(1)}));

  auto reader = Reader(bytes);
  auto first = Cast<TBank>(reader->ReadObject());
  ASSERT_TRUE(first);
  EXPECT_EQ(BytesOf(first), (Bytes{1, 2, 3}));
  EXPECT_EQ(reader->ReadObject(), first);
}

TEST_F(DataStreamTest, NullAndObjectsWithoutADataTypeAreASingleZero) {
  EXPECT_EQ(Serialise({nullptr, Box(u"text"), New<Object>()}), (Bytes{0, 0, 0}));
  EXPECT_TRUE(Reader({0})->ReadObject().IsNull());
}

TEST_F(DataStreamTest, AListWritesItsTypeLineBeforeItsElements) {
  auto list = New<TList>();
  auto bank = BankOf({9});
  list->AddLast(bank);
  list->AddLast(nullptr);
  list->AddLast(bank);
  const Bytes bytes = Serialise({list});
  EXPECT_EQ(bytes, Concat({{1},
                           Line("KVT.LinkedList.TList"),
                           I32(3),
                           {2},
                           Line("KVT.Bank.TBank"),
                           I32(1),
                           {9},
                           {0},
                           {255},
                           I32(2)}));

  auto read = Cast<TList>(Reader(bytes)->ReadObject());
  ASSERT_TRUE(read);
  ASSERT_EQ(read->Count(), 3);
  auto element = Cast<TBank>(read->ValueAtIndex(0));
  ASSERT_TRUE(element);
  EXPECT_EQ(BytesOf(element), (Bytes{9}));
  EXPECT_TRUE(read->ValueAtIndex(1).IsNull());
  EXPECT_EQ(read->ValueAtIndex(2), element);
}

TEST_F(DataStreamTest, AListContainingItselfReadsBackWithANullElement) {
  auto list = New<TList>();
  list->AddLast(list);
  const Bytes bytes = Serialise({list});
  list->Clear();  // Break the cycle.
  EXPECT_EQ(bytes, Concat({{1}, Line("KVT.LinkedList.TList"), I32(1), {255}, I32(1)}));

  auto read = Cast<TList>(Reader(bytes)->ReadObject());
  ASSERT_TRUE(read);
  ASSERT_EQ(read->Count(), 1);
  EXPECT_TRUE(read->First().IsNull());
}

TEST_F(DataStreamTest, SaveObjectAndLoadObjectThroughADataUrl) {
  testing::TempDir dir;
  const std::string url = "data::" + (dir / "bank.dat");
  Bytes content(100000);
  for (std::size_t i = 0; i < content.size(); ++i) content[i] = static_cast<unsigned char>(i * 31);
  SaveObject(BankOf(content), url);
  auto loaded = Cast<TBank>(LoadObject(url));
  ASSERT_TRUE(loaded);
  EXPECT_EQ(BytesOf(loaded), content);

  EXPECT_TRUE(LoadObject("data::" + (dir / "missing.dat")).IsNull());
  EXPECT_TRUE(OpenWriteStream("DATA::" + (dir / "no/such/dir")).IsNull());
}

TEST_F(DataStreamTest, ADataUrlIsReadOrWrittenNotBoth) {
  testing::TempDir dir;
  try {
    OpenUrlStream("data::" + (dir / "x"), true, true);
    FAIL() << "opened for both";
  } catch (const TThrownString& thrown) {
    EXPECT_EQ(thrown.Value(), u"DataStreams can not be both readable and writeable");
  }
}

TEST_F(DataStreamTest, AnUnknownTypeNameIsReportedWithTheName) {
  try {
    Reader(Concat({{1}, Line("KVT.Nobody.TNobody")}))->ReadObject();
    FAIL() << "read an unknown type";
  } catch (const TThrownString& thrown) {
    EXPECT_EQ(thrown.Value(), u"Unrecognized DataType: KVT.Nobody.TNobody");
  }
  // Names match exactly.
  EXPECT_THROW(Reader(Concat({{1}, Line("kvt.bank.tbank"), I32(0)}))->ReadObject(), TThrownString);
}

TEST_F(DataStreamTest, StoredBankSizesMustBeBackedByTheStream) {
  EXPECT_THROW(Reader(Concat({{1}, Line("KVT.Bank.TBank"), I32(-1)}))->ReadObject(),
               TStreamReadException);
  EXPECT_THROW(Reader(Concat({{1}, Line("KVT.Bank.TBank"), I32(1 << 30), {1, 2}}))->ReadObject(),
               TStreamReadException);
  EXPECT_THROW(Reader(Concat({{1}, Line("KVT.Bank.TBank"), I32(3), {1, 2}}))->ReadObject(),
               TStreamReadException);
  auto empty = Cast<TBank>(Reader(Concat({{1}, Line("KVT.Bank.TBank"), I32(0)}))->ReadObject());
  ASSERT_TRUE(empty);
  EXPECT_EQ(empty->Size(), 0);
}

TEST_F(DataStreamTest, StreamsThatCannotTellTheirLengthAreReadAsTheBytesArrive) {
  Bytes content(3 << 20);
  for (std::size_t i = 0; i < content.size(); ++i) content[i] = static_cast<unsigned char>(i / 7);
  const Bytes header = Concat({{1}, Line("KVT.Bank.TBank")});
  auto pipe = New<testing::UnseekableStream>(
      Concat({header, I32(static_cast<int>(content.size())), content}), 100000);
  auto bank = Cast<TBank>(CreateDataStream(pipe)->ReadObject());
  ASSERT_TRUE(bank);
  EXPECT_EQ(BytesOf(bank), content);

  auto liar = New<testing::UnseekableStream>(Concat({header, I32(0x7FFFFFF0), {1, 2, 3}}));
  EXPECT_THROW(CreateDataStream(liar)->ReadObject(), TStreamReadException);
}

TEST_F(DataStreamTest, StoredListCountsMustBeBackedByTheStream) {
  const Bytes header = Concat({{1}, Line("KVT.LinkedList.TList")});
  EXPECT_THROW(Reader(Concat({header, I32(-1)}))->ReadObject(), TStreamReadException);
  EXPECT_THROW(Reader(Concat({header, I32(0x7FFFFFFF), {0, 0}}))->ReadObject(),
               TStreamReadException);
  auto pipe = New<testing::UnseekableStream>(Concat({header, I32(0x7FFFFFFF), {0, 0}}));
  EXPECT_THROW(CreateDataStream(pipe)->ReadObject(), TStreamReadException);
}

TEST_F(DataStreamTest, BackReferencesOutsideTheIdsReadAreNullOrOutOfBounds) {
  EXPECT_TRUE(Reader(Concat({{255}, I32(0)}))->ReadObject().IsNull());
  EXPECT_TRUE(Reader(Concat({{255}, I32(7)}))->ReadObject().IsNull());
  EXPECT_THROW(Reader(Concat({{255}, I32(256)}))->ReadObject(), TArrayBoundsException);
  EXPECT_THROW(Reader(Concat({{255}, I32(-1)}))->ReadObject(), TArrayBoundsException);
  EXPECT_THROW(Reader(Concat({{255}, I32(INT32_MIN)}))->ReadObject(), TArrayBoundsException);
}

TEST_F(DataStreamTest, TheObjectTableGrowsPastItsFirst256Entries) {
  auto list = New<TList>();
  for (int i = 0; i < 600; ++i) list->AddLast(BankOf({static_cast<unsigned char>(i)}));
  list->AddLast(list->ValueAtIndex(500));
  auto read = Cast<TList>(Reader(Serialise({list}))->ReadObject());
  ASSERT_TRUE(read);
  ASSERT_EQ(read->Count(), 601);
  EXPECT_EQ(read->ValueAtIndex(600), read->ValueAtIndex(500));
  EXPECT_EQ(Cast<TBank>(read->ValueAtIndex(500))->PeekU8(0), 500 % 256);
}

Ref<TList> NestedLists(int depth) {
  Ref<TList> outer = New<TList>();
  for (int i = 1; i < depth; ++i) {
    auto next = New<TList>();
    next->AddLast(outer);
    outer = next;
  }
  return outer;
}

TEST_F(DataStreamTest, NestingIsBoundedInBothDirections) {
  const Bytes deepest = Serialise({NestedLists(TDataStream::kMaxNesting)});
  auto read = Cast<TList>(Reader(deepest)->ReadObject());
  ASSERT_TRUE(read);

  EXPECT_THROW(Serialise({NestedLists(TDataStream::kMaxNesting + 1)}), TStreamWriteException);

  // Each level: type id 1 and a count of 1; the innermost list is empty.
  Bytes hostile = Concat({{1}, Line("KVT.LinkedList.TList")});
  for (int i = 0; i < 100000; ++i) {
    const Bytes level = Concat({I32(1), {1}});
    hostile.insert(hostile.end(), level.begin(), level.end());
  }
  EXPECT_THROW(Reader(hostile)->ReadObject(), TStreamReadException);
}

// A family of data types told apart by name, for tests that need many types.
class TNamedData;

class TNamedDataType : public TDataType {
 public:
  explicit TNamedDataType(String name) : name_(std::move(name)) {}
  String TypeName() const override { return name_; }
  Ref<Object> ReadInstance(TStream& stream) override;
  void WriteInstance(const Ref<Object>&, TStream& stream) override { stream.WriteU8(42); }
  void AfterRead(const Ref<Object>& object, TStream&) override { afterRead.push_back(object); }
  std::vector<Ref<Object>> afterRead;

 private:
  String name_;
};

class TNamedData : public TData {
 public:
  explicit TNamedData(Ref<TDataType> type) : type_(std::move(type)) {}
  Ref<TDataType> GetDataType() const override { return type_; }

 private:
  Ref<TDataType> type_;
};

Ref<Object> TNamedDataType::ReadInstance(TStream& stream) {
  EXPECT_EQ(stream.ReadU8(), 42);
  return New<TNamedData>(Ref<TDataType>(this));
}

TEST_F(DataStreamTest, AfterReadSeesEachObjectOnce) {
  auto type = New<TNamedDataType>(u"Test.AfterRead");
  auto object = New<TNamedData>(type);
  auto reader = Reader(Serialise({object, object}));
  auto first = reader->ReadObject();
  EXPECT_EQ(reader->ReadObject(), first);
  ASSERT_EQ(type->afterRead.size(), 1u);
  EXPECT_EQ(type->afterRead[0], first);
  EXPECT_EQ(Cast<TNamedData>(first)->GetDataType(), type);
}

TEST_F(DataStreamTest, The255thTypeIsRefusedAndTheStreamStaysUsable) {
  std::vector<Ref<TData>> objects;
  for (int i = 0; i < 255; ++i) {
    objects.push_back(
        New<TNamedData>(New<TNamedDataType>(u"Test.Many" + From8Bit(std::to_string(i)))));
  }
  auto bank = CreateBank(0);
  auto writer = CreateDataStream(CreateBankStream(bank));
  for (int i = 0; i < 254; ++i) writer->WriteObject(objects[i]);
  try {
    writer->WriteObject(objects[254]);
    FAIL() << "wrote a 255th type";
  } catch (const TThrownString& thrown) {
    EXPECT_EQ(thrown.Value(), u"Too many DataTypes");
  }
  writer->WriteObject(New<TNamedData>(objects[10]->GetDataType()));

  auto reader = Reader(BytesOf(bank));
  for (int i = 0; i < 254; ++i)
    ASSERT_EQ(Cast<TData>(reader->ReadObject())->GetDataType(), objects[i]->GetDataType());
  EXPECT_EQ(Cast<TData>(reader->ReadObject())->GetDataType(), objects[10]->GetDataType());
}

TEST_F(DataStreamTest, ObjectsAreToldApartByIdentityNotComparison) {
  auto a = BankOf({1});
  auto b = BankOf({1});
  auto reader = Reader(Serialise({a, b}));
  EXPECT_NE(reader->ReadObject(), reader->ReadObject());
}

TEST_F(DataStreamTest, ADataObjectWithoutItsTypeIsAnErrorNotANull) {
  auto orphan = New<TNamedData>(nullptr);
  auto writer = CreateDataStream(CreateBankStream(nullptr));
  EXPECT_THROW(writer->WriteObject(orphan), TNullObjectException);
}

TEST(DataRegistry, FindsTypesByExactName) {
  StartupStreamModule();
  auto bankType = FindDataType(u"KVT.Bank.TBank");
  EXPECT_EQ(bankType, TBankDataType::Instance());
  EXPECT_EQ(CreateBank(0)->GetDataType(), bankType);
  EXPECT_TRUE(FindDataType(u"KVT.LinkedList.TList"));
  EXPECT_TRUE(FindDataType(u"KVT.Bank.TBANK").IsNull());
  EXPECT_EQ(DataTypeOf(New<TList>()), FindDataType(u"KVT.LinkedList.TList"));
  EXPECT_TRUE(DataTypeOf(Box(u"x")).IsNull());
  EXPECT_TRUE(DataTypeOf(nullptr).IsNull());

  // The newest type of a name wins.
  auto shadow = New<TNamedDataType>(u"KVT.Bank.TBank");
  EXPECT_EQ(FindDataType(u"KVT.Bank.TBank"), shadow);
}

TEST(DataId, OrdersByValue) {
  EXPECT_LT(Compare(TDataId::CreateDataId(2), TDataId::CreateDataId(7)), 0);
  EXPECT_EQ(Compare(TDataId::CreateDataId(INT32_MIN), TDataId::CreateDataId(INT32_MIN)), 0);
  EXPECT_GT(Compare(TDataId::CreateDataId(INT32_MAX), TDataId::CreateDataId(INT32_MIN)), 0);
  EXPECT_EQ(TDataId::CreateDataId(12)->ToString(), u"12");
}

}  // namespace
}  // namespace corvax
