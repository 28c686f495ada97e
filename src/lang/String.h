#pragma once

#include "lang/Object.h"

namespace lang {

// 8-bit text in the Windows-1252 code page. Used by value almost everywhere.
// Capacity rule: a text of length n owns the smallest multiple of 16 above n;
// capacity 0 means the text is borrowed (a literal) or absent, and is never freed.
class String : public Object {
public:
    struct Borrow {};  // tag: keep the pointer instead of copying it

    String() = default;
    String(const char* text);  // NOLINT: implicit, like a literal
    String(const char* text, Borrow);
    String(const String& other);
    String(String&& other) noexcept;
    String(const String& other, int minCapacity);
    static String withCapacity(int minCapacity);
    String(const char* text, int begin, int end);
    explicit String(char c);
    explicit String(int value);
    explicit String(double value);
    ~String() override;
    MENTARIUM_CLASS(String, Object)

    String& operator=(const String& other) {
        assign(other);
        return *this;
    }
    String& operator=(String&& other) noexcept;
    String& operator=(const char* text) {
        assign(text);
        return *this;
    }

    int hashCode() const override;
    bool equals(const Object* other) const override;
    String toString() const override { return *this; }

    bool equals(const String& other) const;
    bool equals(const char* text) const;
    bool equalsIgnoreCase(const String& other) const;
    bool equalsIgnoreCase(const char* text) const;
    bool startsWith(const char* prefix) const;
    bool endsWith(const char* suffix) const;
    int indexOf(char c, int from = 0) const;
    int indexOf(const char* needle, int from = 0) const;
    int lastIndexOf(char c) const;
    bool isEmpty() const { return text_ == nullptr || length_ == 0; }
    String substring(int from) const;
    String substring(int begin, int end) const;
    void setCharAt(int i, char c);
    void setLength(int n);
    void assign(const String& other);
    void assign(const char* text);
    String& append(const char* text);
    String& append(const String& other);
    String& append(int value);
    String& append(char c);
    void ensureCapacity(int minCapacity);
    void replaceAll(const char* from, const char* to);

    String operator+(int value) const;
    String operator+(const String& other) const;

    // Never null: the empty text reads as "".
    const char* c_str() const { return text_ ? text_ : ""; }
    int length() const { return length_; }
    int capacity() const { return capacity_; }
    char charAt(int i) const { return text_[i]; }

    static bool isTextChar(int ch);
    // The text of an archive item: ASCII as is, UTF-8 converted to the code page.
    static String loadText(const char* itemName);
    // Replaces marker+"1" with the first text, marker+"2" with the second, ...;
    // the list of texts ends with nullptr.
    static String format(const char* templ, const char* marker, ...);

    // Capacity for a text of length n, or at least minCapacity (0: none asked).
    static int capacityFor(int n, int minCapacity = 0);

private:
    void adopt(const char* text, int length, int minCapacity);
    void appendBytes(const char* bytes, int n);

    char* text_ = nullptr;
    int capacity_ = 0;
    int length_ = 0;
};

// Byte comparison of two texts, a null or empty text counting as "".
bool textEquals(const char* a, const char* b);
// Comparison folding ASCII and the Latin-1 letters of Windows-1252.
bool textEqualsIgnoreCase(const char* a, const char* b);

}  // namespace lang
