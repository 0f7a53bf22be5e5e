#pragma once
// The last `capacity` items pushed, each known by its sequence number (0 for the first item ever
// pushed): the oldest make way for new ones, so memory stays bounded however long the program
// runs, and a reader that remembers sequence numbers can tell what it has not seen yet.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

template <class T>
class Ring {
 public:
  explicit Ring(std::size_t capacity) : capacity_(std::max<std::size_t>(capacity, 1)) {}

  void push(T item) {
    if (items_.size() < capacity_) {
      items_.push_back(std::move(item));
    } else {
      items_[slot(end_)] = std::move(item);
    }
    ++end_;
  }

  // The sequence number of the oldest item kept, and one past the newest.
  uint64_t begin() const { return end_ - items_.size(); }
  uint64_t end() const { return end_; }
  std::size_t size() const { return items_.size(); }
  std::size_t capacity() const { return capacity_; }
  bool holds(uint64_t sequence) const { return sequence >= begin() && sequence < end_; }

  // The item of `sequence`, which must be held.
  const T& at(uint64_t sequence) const { return items_[slot(sequence)]; }
  T& at(uint64_t sequence) { return items_[slot(sequence)]; }
  // nullptr when the item was never pushed or has made way.
  const T* find(uint64_t sequence) const { return holds(sequence) ? &at(sequence) : nullptr; }

 private:
  std::size_t slot(uint64_t sequence) const {
    return static_cast<std::size_t>(sequence % capacity_);
  }

  std::size_t capacity_;
  std::vector<T> items_;
  uint64_t end_ = 0;
};
