#pragma once
/// @file
/// @ingroup runtime
/// The process-wide, newest-first registries that stream factories, loaders and data types
/// join, and the walk that asks each member in turn.
#include <corvax/runtime/object.h>

#include <type_traits>
#include <utility>

namespace corvax {

template <class T>
class RegistrationChain;

/// The link a member of RegistrationChain<T> carries. A kind of object becomes registrable by
/// deriving from ChainMember<itself> beside Object.
template <class T>
class ChainMember {
 public:
  /// @return The member registered just before this one; Null for the oldest and for one that was
  /// never registered.
  const Ref<T>& NextInChain() const { return next_; }

 protected:
  ChainMember() = default;
  ChainMember(const ChainMember&) = delete;
  ChainMember& operator=(const ChainMember&) = delete;
  ~ChainMember() = default;

 private:
  friend class RegistrationChain<T>;
  Ref<T> next_;
  bool registered_ = false;
};

/// The one registry of kind T. Members are linked in front, so the newest is asked first, and
/// are kept for the process's life: there is no removal.
template <class T>
class RegistrationChain {
 public:
  /// The registry of T. It is never destroyed, so exit actions can still walk it after the static
  /// destructors ran.
  /// @return The one registry of T.
  static RegistrationChain& Global() {
    // Not MakeImmortal: the constructor is private to the chain.
    static auto* const chain = new RegistrationChain();  // NOLINT(cppcoreguidelines-owning-memory)
    return *chain;
  }

  /// @return The newest member, or Null before any was registered.
  const Ref<T>& First() const { return head_; }

  /// Links member in front of the chain and keeps a reference to it. Called from a constructor,
  /// member must be allocated with New (the chain shares it).
  /// @param member The member to register.
  /// @return False, changing nothing, when the member is already in the chain: linking it again
  /// would close a loop.
  bool PushFront(T& member) {
    ChainMember<T>& link = member;
    if (link.registered_) return false;
    link.registered_ = true;
    link.next_ = std::move(head_);
    head_ = Ref<T>(&member);
    return true;
  }

  /// Asks each member, newest first, and returns the first answer that converts to true; the
  /// default answer (Null, false) when none does. ask takes a const Ref<T>&; what it throws
  /// passes out and ends the walk.
  template <class Ask>
  /// Asks each member, newest first. What ask throws passes out and ends the walk.
  /// @param ask A callable taking a const Ref<T>&.
  /// @return The first answer that converts to true; the default answer (Null, false) when none
  /// does.
  auto FirstAnswer(Ask&& ask) const {
    using Answer = std::decay_t<std::invoke_result_t<Ask&, const Ref<T>&>>;
    for (Ref<T> member = head_; member; member = member->ChainMember<T>::next_) {
      if (Answer answer = ask(member)) return answer;
    }
    return Answer{};
  }

 private:
  RegistrationChain() = default;
  Ref<T> head_;
};

}  // namespace corvax
