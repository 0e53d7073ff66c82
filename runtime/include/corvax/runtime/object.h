#pragma once
/// @file
/// @ingroup runtime
/// Every framework object is reference counted through Ref<T>; a null Ref is the Null object.
#include <cstddef>
#include <type_traits>
#include <utility>

#include <corvax/runtime/string.h>

namespace corvax {

/// Throws TNullObjectException; what using the Null object does.
[[noreturn]] void ThrowNullObject();

/// The base of every framework object: an intrusive reference count (main thread only), a text
/// form and an order. Destroying an object never closes what it refers to; Close does.
class Object {
 public:
  Object() = default;
  Object(const Object&) = delete;
  Object& operator=(const Object&) = delete;
  virtual ~Object() = default;

  /// @return The text form; by default the class name.
  virtual String ToString() const;
  /// @param other The object to compare with.
  /// @return Negative, zero or positive; by default the order of identities.
  virtual int Compare(const Object* other) const;

  /// Counts one more reference; Ref does this, user code rarely needs to.
  /// @sa Release
  void AddRef() const noexcept { ++references_; }
  /// Drops one reference and deletes the object with its last one.
  /// @sa AddRef
  void Release() const noexcept {
    if (--references_ == 0) delete this;
  }
  /// @return The number of Refs holding the object.
  int ReferenceCount() const noexcept { return references_; }

 private:
  mutable int references_ = 0;
};

/// A counted reference to a T; a null Ref is the Null object, and `->` on it throws
/// TNullObjectException.
template <class T>
class Ref {
 public:
  /// The Null object.
  Ref() noexcept = default;
  /// The Null object.
  Ref(std::nullptr_t) noexcept {}
  /// Shares the object, counting the new reference.
  /// @param object The object, or nullptr for the Null object.
  Ref(T* object) noexcept : object_(object) { Acquire(); }
  /// Shares other's object, counting the new reference.
  /// @param other The reference to copy.
  Ref(const Ref& other) noexcept : object_(other.object_) { Acquire(); }
  /// Takes other's reference over, leaving other Null.
  /// @param other The reference to move from.
  Ref(Ref&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
  template <class U, class = std::enable_if_t<std::is_convertible_v<U*, T*>>>
  /// Shares other's object (of a derived class), counting the new reference.
  /// @param other The reference to copy.
  Ref(const Ref<U>& other) noexcept : object_(other.get()) {
    Acquire();
  }
  template <class U, class = std::enable_if_t<std::is_convertible_v<U*, T*>>>
  /// Takes other's reference (to a derived class) over, leaving other Null.
  /// @param other The reference to move from.
  Ref(Ref<U>&& other) noexcept : object_(other.Detach()) {}
  ~Ref() {
    if (object_) object_->Release();
  }

  /// Refers to other's object instead, releasing the old one.
  /// @param other The new reference.
  /// @return This reference.
  Ref& operator=(Ref other) noexcept {
    std::swap(object_, other.object_);
    return *this;
  }

  /// Access through the Null object throws TNullObjectException.
  /// @return The object.
  T* operator->() const {
    if (!object_) ThrowNullObject();
    return object_;
  }
  /// The object; the Null object throws TNullObjectException.
  /// @return The object.
  T& operator*() const { return *operator->(); }
  /// @return The raw pointer, nullptr for the Null object; never throws.
  T* get() const noexcept { return object_; }
  /// @return True unless this is the Null object.
  explicit operator bool() const noexcept { return object_ != nullptr; }
  /// @return True for the Null object.
  bool IsNull() const noexcept { return object_ == nullptr; }

  /// Hands the reference over to the caller without releasing it.
  /// @return The raw pointer, which now carries the reference.
  T* Detach() noexcept { return std::exchange(object_, nullptr); }

  /// True when both refer to the same object (identity, not Compare).
  template <class U>
  /// @param other Another reference.
  /// @return True when both refer to the same object (identity, not Compare).
  bool operator==(const Ref<U>& other) const noexcept {
    return static_cast<const Object*>(object_) == static_cast<const Object*>(other.get());
  }
  /// @return True for the Null object.
  bool operator==(std::nullptr_t) const noexcept { return object_ == nullptr; }

 private:
  void Acquire() const noexcept {
    if (object_) object_->AddRef();
  }
  T* object_ = nullptr;
};

/// A new T made from args, held by the returned Ref.
template <class T, class... Args>
/// A new T made from args.
/// @param args The arguments of T's constructor.
/// @return The Ref holding the new object.
/// @sa Cast
Ref<T> New(Args&&... args) {
  return Ref<T>(new T(std::forward<Args>(args)...));
}

/// Checked cast: Null when the object is not a T.
template <class T, class U>
/// Checked cast.
/// @param ref Any reference.
/// @return The object as a T; Null when it is not a T.
/// @sa New
Ref<T> Cast(const Ref<U>& ref) {
  return Ref<T>(dynamic_cast<T*>(ref.get()));
}

/// Text form of any reference.
/// @param object Any object, or the Null object.
/// @return Its text form; "Null" for the Null object.
String ToString(const Ref<Object>& object);
/// Compare of two references; the Null object orders first.
/// @param a One object.
/// @param b The other object.
/// @return Negative, zero or positive.
int Compare(const Ref<Object>& a, const Ref<Object>& b);

}  // namespace corvax
