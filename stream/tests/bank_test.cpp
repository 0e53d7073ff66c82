#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>

#include <corvax/stream/stream_module.h>

#include "scripted_stream.h"
#include "temp_dir.h"

namespace corvax {
namespace {

Ref<TBank> BankOf(std::vector<unsigned char> bytes) {
  auto bank = CreateBank(static_cast<int>(bytes.size()));
  std::memcpy(bank->Buffer(), bytes.data(), bytes.size());
  return bank;
}

std::vector<unsigned char> BytesOf(const Ref<TBank>& bank) {
  return {bank->Buffer(), bank->Buffer() + bank->Size()};
}

TEST(Bank, GrowsByHalfItsCapacityOrToTheNewSize) {
  auto bank = CreateBank(10);
  EXPECT_EQ(bank->Size(), 10);
  EXPECT_EQ(bank->Capacity(), 10);
  std::memcpy(bank->Buffer(), "0123456789", 10);

  bank->Resize(12);
  EXPECT_EQ(bank->Size(), 12);
  EXPECT_EQ(bank->Capacity(), 15);
  EXPECT_EQ(std::memcmp(bank->Buffer(), "0123456789", 10), 0);

  bank->Resize(40);
  EXPECT_EQ(bank->Capacity(), 40);
  EXPECT_EQ(std::memcmp(bank->Buffer(), "0123456789", 10), 0);

  unsigned char* block = bank->Buffer();
  bank->Resize(5);
  EXPECT_EQ(bank->Size(), 5);
  EXPECT_EQ(bank->Capacity(), 40);
  EXPECT_EQ(bank->Buffer(), block);
  bank->Resize(40);
  EXPECT_EQ(bank->Buffer(), block);
}

TEST(Bank, StaticBankIsCopiedOnItsFirstResize) {
  unsigned char foreign[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  auto bank = CreateStaticBank(foreign, 8);
  EXPECT_EQ(bank->Capacity(), -1);
  EXPECT_EQ(bank->Buffer(), foreign);
  bank->PokeU8(0, 9);
  EXPECT_EQ(foreign[0], 9);

  bank->Resize(8);
  EXPECT_NE(bank->Buffer(), foreign);
  EXPECT_EQ(bank->Capacity(), 8);
  EXPECT_EQ(BytesOf(bank), (std::vector<unsigned char>{9, 2, 3, 4, 5, 6, 7, 8}));
  bank->PokeU8(1, 0);
  EXPECT_EQ(foreign[1], 2);
}

TEST(Bank, StaticBankShrunkOnItsFirstResizeKeepsWhatFits) {
  unsigned char foreign[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  auto bank = CreateStaticBank(foreign, 8);
  bank->Resize(3);
  EXPECT_EQ(bank->Capacity(), 3);
  EXPECT_EQ(BytesOf(bank), (std::vector<unsigned char>{1, 2, 3}));
}

TEST(Bank, NegativeSizesAreRefused) {
  EXPECT_THROW(CreateBank(-1), TRuntimeException);
  EXPECT_THROW(CreateStaticBank(nullptr, -4), TRuntimeException);
  auto bank = CreateBank(4);
  EXPECT_THROW(bank->Resize(-1), TRuntimeException);
  EXPECT_EQ(bank->Size(), 4);
}

TEST(Bank, PeeksAndPokesAreLittleEndian) {
  auto bank = BankOf({0xFF, 0x01, 0, 0, 0, 0, 0, 0});
  EXPECT_EQ(bank->PeekU16(0), 511);
  EXPECT_EQ(bank->PeekU8(0), 255);
  bank->PokeU8(2, 300);
  EXPECT_EQ(bank->PeekU8(2), 44);
  bank->PokeU16(0, 0x12345);
  EXPECT_EQ(BytesOf(bank)[0], 0x45);
  EXPECT_EQ(BytesOf(bank)[1], 0x23);

  bank->PokeI32(0, -2);
  EXPECT_EQ(BytesOf(bank), (std::vector<unsigned char>{0xFE, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0}));
  EXPECT_EQ(bank->PeekI32(0), -2);
  EXPECT_EQ(bank->PeekU16(2), 0xFFFF);

  bank->PokeI64(0, 0x0102030405060708LL);
  EXPECT_EQ(BytesOf(bank), (std::vector<unsigned char>{8, 7, 6, 5, 4, 3, 2, 1}));
  EXPECT_EQ(bank->PeekI64(0), 0x0102030405060708LL);

  bank->PokeF32(4, 0.1);
  EXPECT_EQ(bank->PeekF32(4), 0.1f);
  bank->PokeF64(0, -2.5);
  EXPECT_EQ(bank->PeekF64(0), -2.5);
  EXPECT_EQ(PeekF64(bank, 0), -2.5);
}

TEST(Bank, AccessOutsideTheSizeThrows) {
  auto bank = CreateBank(8);
  bank->Resize(4);  // The capacity stays 8, but bytes 4..7 are not in the bank.
  EXPECT_NO_THROW(bank->PeekI32(0));
  EXPECT_THROW(bank->PeekI32(1), TArrayBoundsException);
  EXPECT_THROW(bank->PeekU8(4), TArrayBoundsException);
  EXPECT_THROW(bank->PokeU8(-1, 0), TArrayBoundsException);
  EXPECT_THROW(bank->PeekI64(0), TArrayBoundsException);
  EXPECT_THROW(bank->PokeU16(3, 0), TArrayBoundsException);
  EXPECT_THROW(bank->PeekU8(INT_MAX), TArrayBoundsException);

  auto other = CreateBank(4);
  EXPECT_THROW(CopyBankBytes(bank, 1, other, 0, 4), TArrayBoundsException);
  EXPECT_THROW(CopyBankBytes(bank, 0, other, 1, 4), TArrayBoundsException);
  EXPECT_THROW(CopyBankBytes(bank, 0, other, 0, -1), TArrayBoundsException);

  testing::ScriptedStream stream({1, 2, 3, 4, 5});
  EXPECT_THROW(bank->ReadFromStream(stream, 2, 3), TArrayBoundsException);
  EXPECT_EQ(stream.reads, 0);
}

TEST(Bank, CopyBankBytesCopiesBetweenAndWithinBanks) {
  auto source = BankOf({1, 2, 3, 4, 5, 6});
  auto destination = CreateBank(4);
  std::memset(destination->Buffer(), 0, 4);
  CopyBankBytes(source, 1, destination, 2, 2);
  EXPECT_EQ(BytesOf(destination), (std::vector<unsigned char>{0, 0, 2, 3}));

  CopyBankBytes(source, 0, source, 2, 4);
  EXPECT_EQ(BytesOf(source), (std::vector<unsigned char>{1, 2, 1, 2, 3, 4}));
}

TEST(Bank, LockCountsUpAndDown) {
  auto bank = CreateBank(1);
  EXPECT_EQ(LockBank(bank), bank->Buffer());
  LockBank(bank);
  UnlockBank(bank);
  EXPECT_EQ(bank->LockCount(), 1);
}

TEST(Bank, StreamTransfersAreSingleRawCalls) {
  auto bank = CreateBank(6);
  std::memset(bank->Buffer(), 0, 6);
  auto source =
      New<testing::ScriptedStream>(std::vector<unsigned char>{1, 2, 3, 4, 5}, std::deque<int>{2});
  EXPECT_EQ(ReadBank(bank, source, 1, 5), 2);
  EXPECT_EQ(source->reads, 1);
  EXPECT_EQ(BytesOf(bank), (std::vector<unsigned char>{0, 1, 2, 0, 0, 0}));

  testing::ScriptedStream sink({}, {3});
  EXPECT_EQ(bank->WriteToStream(sink, 0, 6), 3);
  EXPECT_EQ(sink.written, (std::vector<unsigned char>{0, 1, 2}));
}

TEST(Bank, SavesToAndLoadsFromUrls) {
  StartupStreamModule();
  testing::TempDir dir;
  const std::string path = dir / "bank.bin";
  auto bank = BankOf({10, 20, 30});
  EXPECT_EQ(SaveBank(bank, path), 1);
  std::ifstream file(path, std::ios::binary);
  EXPECT_EQ(std::vector<char>(std::istreambuf_iterator<char>(file), {}),
            (std::vector<char>{10, 20, 30}));

  auto loaded = LoadBank(path);
  ASSERT_TRUE(loaded);
  EXPECT_EQ(BytesOf(loaded), BytesOf(bank));
  EXPECT_EQ(loaded->Capacity(), 3);

  // A bank is itself a url.
  auto copy = LoadBank(loaded);
  EXPECT_NE(copy.get(), loaded.get());
  EXPECT_EQ(BytesOf(copy), BytesOf(bank));

  EXPECT_TRUE(LoadBank(dir / "missing.bin").IsNull());
  EXPECT_EQ(SaveBank(bank, dir / "no/such/dir.bin"), 0);
}

TEST(Bank, LoadsAnEmptyFile) {
  StartupStreamModule();
  testing::TempDir dir;
  std::ofstream(dir / "empty.bin").close();
  auto loaded = LoadBank(dir / "empty.bin");
  ASSERT_TRUE(loaded);
  EXPECT_EQ(loaded->Size(), 0);
}

}  // namespace
}  // namespace corvax
