#pragma once

#include "lang/Object.h"

// Scoped monitor: takes a reference (unless noRef) and the object's lock for the scope.
class ObjectLock {
public:
    explicit ObjectLock(const lang::Object* object, bool noRef = false) : object_(object), noRef_(noRef) {
        if (!noRef_) object_->addRef();
        object_->lock();
    }
    ~ObjectLock() {
        object_->unlock();
        if (!noRef_) object_->release();
    }
    ObjectLock(const ObjectLock&) = delete;
    ObjectLock& operator=(const ObjectLock&) = delete;

private:
    const lang::Object* object_;
    bool noRef_;
};
