#pragma once

#include "lang/Object.h"
#include "util/SlotArray.h"

namespace lang {
class ObjectArray;
}

namespace util {

// A growable array of object references with a movable front: removing at the
// front only advances the start, and inserting near the front moves the head.
// The vector holds one reference to every element; getters lend them.
// Every operation but uncheckedAt runs under the vector's monitor.
class Vector : public lang::Object {
public:
    explicit Vector(int capacity = 10) : slots_(capacity) {}
    Vector(const Vector&) = delete;
    Vector& operator=(const Vector&) = delete;
    ~Vector() override;
    MENTARIUM_CLASS(Vector, lang::Object)

    int size() const;
    lang::Object* elementAt(int i) const;  // throws "Index out of range"
    lang::Object* uncheckedAt(int i) const { return slots_.at(i); }
    void addElement(lang::Object* obj);
    void insertElementAt(lang::Object* obj, int i);  // throws "Index out of bounds"
    void removeElementAt(int i);                     // throws "Index out of range"
    bool removeElement(const lang::Object* obj);
    void removeAllElements();
    int indexOf(const lang::Object* obj) const;
    void copyInto(lang::ObjectArray& array) const;

    int capacity() const { return slots_.capacity(); }
    int start() const { return slots_.start(); }

private:
    SlotArray<lang::Object*> slots_;
};

}  // namespace util
