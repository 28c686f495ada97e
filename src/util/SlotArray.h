#pragma once

#include <utility>

namespace util {

// The slot arithmetic shared by Vector and TVector: elements live in slots
// [start, start + count) of an array of capacity slots. Growth is by half, at
// least one; removing at the front only advances start; insertion and removal
// move the shorter side. No locking, no checks, no reference counting.
template <typename T>
class SlotArray {
public:
    explicit SlotArray(int capacity) : capacity_(capacity < 1 ? 1 : capacity), slots_(new T[capacity_]()) {}
    SlotArray(const SlotArray&) = delete;
    SlotArray& operator=(const SlotArray&) = delete;
    ~SlotArray() { delete[] slots_; }

    int count() const { return count_; }
    int capacity() const { return capacity_; }
    int start() const { return start_; }
    T& at(int i) { return slots_[start_ + i]; }
    const T& at(int i) const { return slots_[start_ + i]; }

    void append(T value) {
        if (count_ == capacity_) grow();
        else if (start_ + count_ == capacity_)
            compact();
        slots_[start_ + count_++] = std::move(value);
    }

    // Inserts before element i (0 <= i <= count).
    void insert(T value, int i) {
        if (count_ == capacity_) grow();
        bool roomAfter = start_ + count_ < capacity_;
        if ((count_ - i > i && start_ > 0) || !roomAfter) {
            --start_;
            for (int k = 0; k < i; ++k) slots_[start_ + k] = std::move(slots_[start_ + k + 1]);
        } else {
            for (int k = count_; k > i; --k) slots_[start_ + k] = std::move(slots_[start_ + k - 1]);
        }
        slots_[start_ + i] = std::move(value);
        ++count_;
    }

    // Removes element i (0 <= i < count) and returns it; the vacated slot is reset.
    T remove(int i) {
        T gone = std::move(slots_[start_ + i]);
        if (i == 0) {
            slots_[start_] = T();
            ++start_;
        } else if (count_ - 1 - i <= i) {
            for (int k = i; k < count_ - 1; ++k) slots_[start_ + k] = std::move(slots_[start_ + k + 1]);
            slots_[start_ + count_ - 1] = T();
        } else {
            for (int k = i; k > 0; --k) slots_[start_ + k] = std::move(slots_[start_ + k - 1]);
            slots_[start_] = T();
            ++start_;
        }
        --count_;
        return gone;
    }

    void clear() {
        for (int k = 0; k < count_; ++k) slots_[start_ + k] = T();
        count_ = 0;
        start_ = 0;
    }

private:
    void grow() {
        int next = capacity_ * 3 / 2;
        if (next < capacity_ + 1) next = capacity_ + 1;
        T* fresh = new T[next]();
        for (int k = 0; k < count_; ++k) fresh[k] = std::move(slots_[start_ + k]);
        delete[] slots_;
        slots_ = fresh;
        capacity_ = next;
        start_ = 0;
    }
    void compact() {
        for (int k = 0; k < count_; ++k) slots_[k] = std::move(slots_[start_ + k]);
        for (int k = count_; k < capacity_; ++k) slots_[k] = T();
        start_ = 0;
    }

    int count_ = 0;
    int capacity_;
    int start_ = 0;
    T* slots_;
};

}  // namespace util
