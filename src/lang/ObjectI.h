#pragma once

namespace lang {

class Object;
class String;

// The thirteen common operations every object answers, in their slot order.
// Pure interface: no data, and no virtual destructor (lang::Object adds it).
class ObjectI {
public:
    virtual int addRef() const = 0;
    virtual void release() const = 0;
    virtual void lock() const = 0;
    virtual void unlock() const = 0;
    virtual int hashCode() const = 0;
    virtual bool equals(const Object* other) const = 0;
    virtual String toString() const = 0;
    virtual void wait(int timeoutMs) const = 0;
    virtual void wait() const = 0;
    virtual void notify() const = 0;
    virtual void notifyAll() const = 0;
    virtual bool isInstanceOf(const char* name) const = 0;
    virtual const char* getClassName() const = 0;

protected:
    ~ObjectI() = default;
};

}  // namespace lang
