#pragma once

#include "lang/Object.h"
#include "lang/String.h"

namespace lang {

// A run-time class: one static instance per creatable class, registered under the
// class's short name so that scene data can create objects by name.
class Class : public Object {
public:
    explicit Class(const String& name);
    ~Class() override;
    MENTARIUM_CLASS(Class, Object)

    virtual Object* newInstance() = 0;  // 14: a new instance with one reference for the caller

    const String& getName() const { return name_; }

    // The metaclass registered under name (borrowed), or null.
    static Class* forName(const String& name);
    static Class* forName(const char* name);

private:
    String name_;
};

}  // namespace lang

// Declares the nested metaclass NameClass inside class Name and its one static instance.
#define MENTARIUM_METACLASS(Name)                                   \
public:                                                             \
    class Name##Class : public lang::Class {                        \
    public:                                                         \
        Name##Class() : lang::Class(#Name) {}                       \
        lang::Object* newInstance() override { return new Name(); } \
    };                                                              \
    static Name##Class metaclass;

// Defines the static metaclass instance; place in the class's .cpp file.
#define MENTARIUM_DEFINE_METACLASS(Name) Name::Name##Class Name::metaclass;
