#pragma once
// Turning handle lists into poll entries and back, for poll() and WSAPoll() alike: Entry is
// the system's record (pollfd, WSAPOLLFD) and toSocket its spelling of a handle.
#include <span>
#include <vector>

namespace corvax::netglue {

template <class Entry, class ToSocket, class Events>
void AddPollEntries(std::vector<Entry>& entries, std::span<int> handles, Events events,
                    ToSocket toSocket) {
  for (int handle : handles) entries.push_back(Entry{toSocket(handle), events, 0});
}

// Entries that are not ready become 0; the count of ready ones comes back.
template <class Entry, class Events>
int KeepReady(const std::vector<Entry>& entries, std::size_t& next, std::span<int> handles,
              Events ready) {
  int count = 0;
  for (int& handle : handles) {
    if (entries[next++].revents & ready) {
      ++count;
    } else {
      handle = 0;
    }
  }
  return count;
}

}  // namespace corvax::netglue
