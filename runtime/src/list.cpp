#include <corvax/runtime/list.h>

#include <corvax/runtime/exceptions.h>

namespace corvax {

Ref<TLink> TLink::NextLink() const {
  return list_ ? next_ : Ref<TLink>();
}

Ref<TLink> TLink::PrevLink() const {
  return Ref<TLink>(list_ ? prev_ : nullptr);
}

void TLink::Remove() {
  if (list_) list_->Unlink(this);
}

TList::~TList() {
  Clear();
}

Ref<TLink> TList::Link(Ref<TLink> link, TLink* after) {
  link->list_ = this;
  link->prev_ = after;
  if (after) {
    link->next_ = after->next_;
    after->next_ = link;
  } else {
    link->next_ = first_;
    first_ = link;
  }
  if (link->next_) {
    link->next_->prev_ = link.get();
  } else {
    last_ = link.get();
  }
  ++count_;
  return link;
}

void TList::Unlink(TLink* link) {
  Ref<TLink> keep(link);
  if (link->next_) {
    link->next_->prev_ = link->prev_;
  } else {
    last_ = link->prev_;
  }
  if (link->prev_) {
    link->prev_->next_ = link->next_;
  } else {
    first_ = link->next_;
  }
  // next_ stays so that an iterator standing on this link can move on.
  link->prev_ = nullptr;
  link->list_ = nullptr;
  --count_;
}

Ref<TLink> TList::AddFirst(Ref<Object> value) {
  return Link(Ref<TLink>(new TLink(std::move(value))), nullptr);
}

Ref<TLink> TList::AddLast(Ref<Object> value) {
  return Link(Ref<TLink>(new TLink(std::move(value))), last_);
}

Ref<TLink> TList::InsertBefore(const Ref<TLink>& link, Ref<Object> value) {
  if (link->list_ != this) ThrowRuntimeError(u"Link does not belong to this list");
  return Link(Ref<TLink>(new TLink(std::move(value))), link->prev_);
}

Ref<TLink> TList::InsertAfter(const Ref<TLink>& link, Ref<Object> value) {
  if (link->list_ != this) ThrowRuntimeError(u"Link does not belong to this list");
  return Link(Ref<TLink>(new TLink(std::move(value))), link.get());
}

Ref<Object> TList::First() const {
  return first_ ? first_->value_ : Ref<Object>();
}

Ref<Object> TList::Last() const {
  return last_ ? last_->value_ : Ref<Object>();
}

Ref<Object> TList::RemoveFirst() {
  if (!first_) return {};
  Ref<Object> value = first_->value_;
  Unlink(first_.get());
  return value;
}

Ref<Object> TList::RemoveLast() {
  if (!last_) return {};
  Ref<Object> value = last_->value_;
  Unlink(last_);
  return value;
}

Ref<TLink> TList::FindLink(const Ref<Object>& value) const {
  for (Ref<TLink> link = first_; link; link = link->next_) {
    if (corvax::Compare(link->value_, value) == 0) return link;
  }
  return {};
}

bool TList::Remove(const Ref<Object>& value) {
  const Ref<TLink> link = FindLink(value);
  if (!link) return false;
  Unlink(link.get());
  return true;
}

Ref<Object> TList::ValueAtIndex(int index) const {
  if (index < 0 || index >= count_) throw TArrayBoundsException();
  TLink* link = first_.get();
  while (index-- > 0) link = link->next_.get();
  return link->value_;
}

void TList::Clear() {
  // Unlinking from the front keeps destruction iterative for long lists.
  while (first_) Unlink(first_.get());
}

std::vector<Ref<Object>> TList::ToArray() const {
  std::vector<Ref<Object>> values;
  values.reserve(static_cast<std::size_t>(count_));
  for (const auto& value : *this) values.push_back(value);
  return values;
}

}  // namespace corvax
