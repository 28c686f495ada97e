#pragma once

#include "lang/ObjectLock.h"
#include "util/SlotArray.h"
#include "util/TVectorBase.h"

namespace util {

// A growable array of plain values (no reference counting) with the growth and
// front handling of util::Vector. Operations lock the vector's monitor.
template <typename T>
class TVector : public TVectorBase {
public:
    explicit TVector(int capacity = 10) : slots_(capacity) {}

    int size() const { return slots_.count(); }
    int capacity() const { return slots_.capacity(); }
    int start() const { return slots_.start(); }

    T& elementAt(int i) {
        ObjectLock hold(this, true);
        if (i < 0 || i >= slots_.count()) throwOutOfRange();
        return slots_.at(i);
    }
    T& operator[](int i) { return slots_.at(i); }
    const T& operator[](int i) const { return slots_.at(i); }

    void addElement(const T& value) {
        ObjectLock hold(this, true);
        slots_.append(value);
    }
    void insertElementAt(const T& value, int i) {
        ObjectLock hold(this, true);
        if (i < 0 || i > slots_.count()) throwOutOfBounds();
        slots_.insert(value, i);
    }
    void removeElementAt(int i) {
        ObjectLock hold(this, true);
        if (i < 0 || i >= slots_.count()) throwOutOfRange();
        slots_.remove(i);
    }
    int indexOf(const T& value) const {
        ObjectLock hold(this, true);
        for (int k = 0; k < slots_.count(); ++k)
            if (slots_.at(k) == value) return k;
        return -1;
    }
    bool removeElement(const T& value) {
        ObjectLock hold(this, true);
        int i = indexOf(value);
        if (i >= 0) slots_.remove(i);
        return i >= 0;
    }
    void removeAllElements() {
        ObjectLock hold(this, true);
        slots_.clear();
    }

private:
    SlotArray<T> slots_;
};

}  // namespace util
