#include <gtest/gtest.h>

#include <corvax/runtime/runtime_module.h>

namespace corvax {
namespace {

struct Counted : Object {
  explicit Counted(int* alive) : alive(alive) { ++*alive; }
  ~Counted() override { --*alive; }
  int* alive;
};
struct Derived : Counted {
  using Counted::Counted;
};

TEST(Ref, DestroysTheObjectWithItsLastReference) {
  int alive = 0;
  {
    Ref<Counted> a = New<Counted>(&alive);
    Ref<Object> b = a;
    EXPECT_EQ(a->ReferenceCount(), 2);
    a = nullptr;
    EXPECT_EQ(alive, 1);
  }
  EXPECT_EQ(alive, 0);
}

TEST(Ref, AccessThroughNullThrowsTheNullObjectException) {
  Ref<Object> null;
  EXPECT_TRUE(null.IsNull());
  try {
    null->ToString();
    FAIL();
  } catch (const TNullObjectException& e) {
    EXPECT_STREQ(e.what(), "Attempt to access field or method of Null object");
  }
}

TEST(Ref, CastIsNullForAnotherClass) {
  int alive = 0;
  Ref<Object> plain = New<Counted>(&alive);
  Ref<Object> derived = New<Derived>(&alive);
  EXPECT_TRUE(Cast<Derived>(plain).IsNull());
  EXPECT_EQ(Cast<Derived>(derived), derived);
  EXPECT_TRUE(Cast<Derived>(Ref<Object>()).IsNull());
}

TEST(Object, TextFormAndIdentityOrder) {
  int alive = 0;
  Ref<Object> a = New<Counted>(&alive), b = New<Counted>(&alive);
  EXPECT_EQ(a->ToString(), u"Counted");
  EXPECT_EQ(Compare(a, a), 0);
  EXPECT_EQ(Compare(a, b), -Compare(b, a));
  EXPECT_NE(Compare(a, b), 0);
  EXPECT_EQ(Compare(Ref<Object>(), a), -1);
  EXPECT_EQ(ToString(Ref<Object>()), u"Null");
}

TEST(BoxedString, ComparesByTextAndUnboxesOnlyStrings) {
  EXPECT_EQ(Compare(Box(u"abc"), Box(u"abd")), -1);
  EXPECT_EQ(Compare(Box(u"abc"), Box("abc")), 0);
  EXPECT_EQ(UnboxString(Box(u"x")), u"x");
  int alive = 0;
  EXPECT_EQ(UnboxString(New<Counted>(&alive)), u"");
  EXPECT_EQ(UnboxString(Ref<Object>()), u"");
}

TEST(Handles, StandForTheirObjectUntilReleased) {
  int alive = 0;
  int handle = HandleFromObject(New<Counted>(&alive));
  EXPECT_GT(handle, 0);
  EXPECT_EQ(alive, 1);
  EXPECT_FALSE(Cast<Counted>(HandleToObject(handle)).IsNull());
  int second = HandleFromObject(HandleToObject(handle));
  EXPECT_NE(second, handle);
  ReleaseHandle(handle);
  EXPECT_TRUE(HandleToObject(handle).IsNull());
  EXPECT_EQ(alive, 1);
  ReleaseHandle(second);
  EXPECT_EQ(alive, 0);
  EXPECT_EQ(HandleFromObject(nullptr), 0);
  EXPECT_TRUE(HandleToObject(12345678).IsNull());
}

TEST(Array, IndexOutsideTheLengthThrows) {
  Array<int> values{1, 2, 3};
  EXPECT_EQ(values[2], 3);
  EXPECT_THROW(values[3], TArrayBoundsException);
  EXPECT_THROW(values[-1], TArrayBoundsException);
  try {
    values[7] = 1;
  } catch (const TCorvException& e) {
    EXPECT_EQ(e.ToString(), u"Attempt to index array element beyond array length");
  }
}

TEST(Exceptions, CarryTheirFixedTexts) {
  EXPECT_STREQ(TNullMethodException().what(), "Attempt to call abstract method");
  EXPECT_STREQ(TNullFunctionException().what(), "Attempt to call uninitialized function pointer");
  EXPECT_STREQ(TOutOfDataException().what(), "Attempt to read beyond end of data");
  EXPECT_EQ(TRuntimeException(u"boom").Message(), u"boom");
  try {
    throw TThrownString(u"text");
  } catch (const TCorvException&) {
    FAIL() << "a thrown String is not a runtime exception";
  } catch (const TThrownString& s) {
    EXPECT_EQ(s.Value(), u"text");
  }
}

}  // namespace
}  // namespace corvax
