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

  /// The text form; by default the class name.
  virtual String ToString() const;
  /// Negative, zero or positive; by default the order of identities.
  virtual int Compare(const Object* other) const;

  /// Counts one more reference; Ref does this, user code rarely needs to.
  void AddRef() const noexcept { ++references_; }
  /// Drops one reference and deletes the object with its last one.
  void Release() const noexcept {
    if (--references_ == 0) delete this;
  }
  /// The number of Refs holding the object.
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
  ///@{
  Ref() noexcept = default;
  Ref(std::nullptr_t) noexcept {}
  ///@}
  /// Shares the object (counting the new reference); moving takes the reference over.
  ///@{
  Ref(T* object) noexcept : object_(object) { Acquire(); }
  Ref(const Ref& other) noexcept : object_(other.object_) { Acquire(); }
  Ref(Ref&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
  template <class U, class = std::enable_if_t<std::is_convertible_v<U*, T*>>>
  Ref(const Ref<U>& other) noexcept : object_(other.get()) {
    Acquire();
  }
  template <class U, class = std::enable_if_t<std::is_convertible_v<U*, T*>>>
  Ref(Ref<U>&& other) noexcept : object_(other.Detach()) {}
  ///@}
  ~Ref() {
    if (object_) object_->Release();
  }

  /// Refers to other's object instead, releasing the old one.
  Ref& operator=(Ref other) noexcept {
    std::swap(object_, other.object_);
    return *this;
  }

  /// Access through the Null object throws TNullObjectException.
  T* operator->() const {
    if (!object_) ThrowNullObject();
    return object_;
  }
  /// The object; the Null object throws TNullObjectException.
  T& operator*() const { return *operator->(); }
  /// The raw pointer, nullptr for the Null object; never throws.
  T* get() const noexcept { return object_; }
  /// True unless this is the Null object.
  explicit operator bool() const noexcept { return object_ != nullptr; }
  /// True for the Null object.
  bool IsNull() const noexcept { return object_ == nullptr; }

  /// Hands the reference over to the caller without releasing it.
  T* Detach() noexcept { return std::exchange(object_, nullptr); }

  /// True when both refer to the same object (identity, not Compare).
  template <class U>
  bool operator==(const Ref<U>& other) const noexcept {
    return static_cast<const Object*>(object_) == static_cast<const Object*>(other.get());
  }
  /// True for the Null object.
  bool operator==(std::nullptr_t) const noexcept { return object_ == nullptr; }

 private:
  void Acquire() const noexcept {
    if (object_) object_->AddRef();
  }
  T* object_ = nullptr;
};

/// A new T made from args, held by the returned Ref.
template <class T, class... Args>
Ref<T> New(Args&&... args) {
  return Ref<T>(new T(std::forward<Args>(args)...));
}

/// Checked cast: Null when the object is not a T.
template <class T, class U>
Ref<T> Cast(const Ref<U>& ref) {
  return Ref<T>(dynamic_cast<T*>(ref.get()));
}

/// Text form of any reference; "Null" for the Null object.
String ToString(const Ref<Object>& object);
/// Compare of two references; the Null object orders first.
int Compare(const Ref<Object>& a, const Ref<Object>& b);

}  // namespace corvax
