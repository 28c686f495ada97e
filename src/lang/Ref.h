#pragma once

#include <utility>

namespace lang {

// One owned reference to a reference-counted object, given back when the Ref
// goes out of scope. For ownership that stays in one place (a builder, a
// loader, a temporary); objects handed across threads or to the host keep the
// explicit addRef/release contract.
//
// How the reference is obtained is always spelled out:
//   Ref<T> a(new T());           adopts the reference the caller holds
//   Ref<T> b = Ref<T>::share(p); takes a new reference to a borrowed object
// A Ref moves but does not copy, so a reference is never shared by accident;
// share(get()) makes a second owner when one is meant.
template <class T>
class Ref {
public:
    Ref() = default;
    explicit Ref(T* adopted) : object_(adopted) {}
    ~Ref() { reset(); }

    static Ref share(T* borrowed) {
        if (borrowed) borrowed->addRef();
        return Ref(borrowed);
    }

    Ref(Ref&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
    Ref& operator=(Ref&& other) noexcept {
        if (this != &other) {
            reset();
            object_ = std::exchange(other.object_, nullptr);
        }
        return *this;
    }
    Ref(const Ref&) = delete;
    Ref& operator=(const Ref&) = delete;

    T* get() const { return object_; }
    T* operator->() const { return object_; }
    T& operator*() const { return *object_; }
    explicit operator bool() const { return object_ != nullptr; }

    // Gives back the held reference (if any) and adopts another.
    void reset(T* adopted = nullptr) {
        T* old = std::exchange(object_, adopted);
        if (old) old->release();
    }
    // Hands the reference to the caller, who now owns it.
    T* detach() { return std::exchange(object_, nullptr); }

private:
    T* object_ = nullptr;
};

}  // namespace lang
