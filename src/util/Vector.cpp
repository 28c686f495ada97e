#include "util/Vector.h"

#include "lang/Exception.h"
#include "lang/ObjectArray.h"
#include "lang/ObjectLock.h"

namespace util {

Vector::~Vector() {
    for (int i = 0; i < slots_.count(); ++i)
        if (lang::Object* o = slots_.at(i)) o->release();
}

int Vector::size() const {
    ObjectLock hold(this, true);
    return slots_.count();
}

lang::Object* Vector::elementAt(int i) const {
    ObjectLock hold(this, true);
    if (i < 0 || i >= slots_.count()) throw new lang::Exception("Index out of range");
    return slots_.at(i);
}

void Vector::addElement(lang::Object* obj) {
    ObjectLock hold(this, true);
    if (obj) obj->addRef();
    slots_.append(obj);
}

void Vector::insertElementAt(lang::Object* obj, int i) {
    ObjectLock hold(this, true);
    if (i < 0 || i > slots_.count()) throw new lang::Exception("Index out of bounds");
    if (obj) obj->addRef();
    slots_.insert(obj, i);
}

void Vector::removeElementAt(int i) {
    ObjectLock hold(this, true);
    if (i < 0 || i >= slots_.count()) throw new lang::Exception("Index out of range");
    if (lang::Object* gone = slots_.remove(i)) gone->release();
}

int Vector::indexOf(const lang::Object* obj) const {
    ObjectLock hold(this, true);
    for (int i = 0; i < slots_.count(); ++i) {
        lang::Object* e = slots_.at(i);
        if (e != nullptr && e->equals(obj)) return i;
    }
    return -1;
}

bool Vector::removeElement(const lang::Object* obj) {
    ObjectLock hold(this, true);
    int i = indexOf(obj);
    if (i < 0) return false;
    removeElementAt(i);
    return true;
}

void Vector::removeAllElements() {
    ObjectLock hold(this, true);
    for (int i = 0; i < slots_.count(); ++i)
        if (lang::Object* o = slots_.at(i)) o->release();
    slots_.clear();
}

void Vector::copyInto(lang::ObjectArray& array) const {
    ObjectLock hold(this, true);
    array.resize(slots_.count());
    for (int i = 0; i < slots_.count(); ++i) {
        lang::Object* e = slots_.at(i);
        if (e) e->addRef();
        array[i] = e;
    }
}

}  // namespace util
