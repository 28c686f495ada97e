#include "lang/String.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "platform/CodePage.h"

namespace lang {

namespace {

int textLength(const char* text) { return text ? static_cast<int>(std::strlen(text)) : 0; }

}  // namespace

bool textEquals(const char* a, const char* b) { return std::strcmp(a ? a : "", b ? b : "") == 0; }

bool textEqualsIgnoreCase(const char* a, const char* b) {
    const auto* x = reinterpret_cast<const unsigned char*>(a ? a : "");
    const auto* y = reinterpret_cast<const unsigned char*>(b ? b : "");
    for (;; ++x, ++y) {
        if (platform::cp1252ToLower(*x) != platform::cp1252ToLower(*y)) return false;
        if (*x == 0) return true;
    }
}

int String::capacityFor(int n, int minCapacity) {
    int cap = (n + 16) & 0xFFF0;
    if (minCapacity > cap) cap = (minCapacity + 15) & 0xFFF0;
    return cap;
}

void String::adopt(const char* text, int length, int minCapacity) {
    capacity_ = capacityFor(length, minCapacity);
    text_ = static_cast<char*>(std::malloc(capacity_));
    if (length > 0) std::memcpy(text_, text, length);
    text_[length] = 0;
    length_ = length;
}

String::String(const char* text) {
    if (text != nullptr) adopt(text, textLength(text), 0);
}

String::String(const char* text, Borrow) : text_(const_cast<char*>(text)), length_(textLength(text)) {}

String::String(const String& other) : Object() { adopt(other.text_, other.length_, 0); }

String::String(String&& other) noexcept : Object() {
    if (other.capacity_ > 0) {
        std::swap(text_, other.text_);
        std::swap(capacity_, other.capacity_);
        std::swap(length_, other.length_);
    } else {
        adopt(other.text_, other.length_, 0);
    }
}

String::String(const String& other, int minCapacity) : Object() { adopt(other.text_, other.length_, minCapacity); }

String String::withCapacity(int minCapacity) {
    String s;
    s.adopt("", 0, minCapacity);
    return s;
}

String::String(const char* text, int begin, int end) { adopt(text + begin, end - begin, 0); }

String::String(char c) { adopt(&c, 1, 0); }

String::String(int value) {
    char buffer[16];
    int n = std::snprintf(buffer, sizeof buffer, "%d", value);
    adopt(buffer, n, 0);
}

String::String(double value) {
    char buffer[40];
    int n = std::snprintf(buffer, sizeof buffer, "%.9g", value);
    adopt(buffer, n, 0);
}

String::~String() {
    if (capacity_ > 0) std::free(text_);
}

String& String::operator=(String&& other) noexcept {
    if (this != &other) {
        if (other.capacity_ > 0) {
            std::swap(text_, other.text_);
            std::swap(capacity_, other.capacity_);
            std::swap(length_, other.length_);
        } else {
            assign(other);
        }
    }
    return *this;
}

int String::hashCode() const {
    uint32_t h = 0;
    int shift = 0;
    for (int i = 0; i < length_; ++i) {
        int32_t c = static_cast<signed char>(text_[i]);
        h |= static_cast<uint32_t>(c) << shift;
        shift += 8;
        if (shift > 24) shift = 0;
    }
    return static_cast<int>(h);
}

bool String::equals(const Object* other) const {
    return other != nullptr && other->isInstanceOf("String") &&
           textEquals(text_, static_cast<const String*>(other)->text_);
}

bool String::equals(const String& other) const { return textEquals(text_, other.text_); }
bool String::equals(const char* text) const { return textEquals(text_, text); }
bool String::equalsIgnoreCase(const String& other) const { return textEqualsIgnoreCase(text_, other.text_); }
bool String::equalsIgnoreCase(const char* text) const { return textEqualsIgnoreCase(text_, text); }

bool String::startsWith(const char* prefix) const {
    int n = textLength(prefix);
    if (text_ == nullptr) return n == 0;
    return n <= length_ && std::memcmp(text_, prefix, n) == 0;
}

bool String::endsWith(const char* suffix) const {
    int n = textLength(suffix);
    if (n > length_) return false;
    return n == 0 || std::memcmp(text_ + length_ - n, suffix, n) == 0;
}

int String::indexOf(char c, int from) const {
    if (from < 0) from = 0;
    for (int i = from; i < length_; ++i)
        if (text_[i] == c) return i;
    return -1;
}

int String::indexOf(const char* needle, int from) const {
    int n = textLength(needle);
    if (n == 0) return 0;
    if (from < 0) from = 0;
    for (int i = from; i + n <= length_; ++i)
        if (std::memcmp(text_ + i, needle, n) == 0) return i;
    return -1;
}

int String::lastIndexOf(char c) const {
    for (int i = length_ - 1; i >= 0; --i)
        if (text_[i] == c) return i;
    return -1;
}

String String::substring(int from) const {
    if (from < 0) from = 0;
    if (from > length_) from = length_;
    return String(c_str(), from, length_);
}

String String::substring(int begin, int end) const { return String(c_str(), begin, end); }

void String::setCharAt(int i, char c) {
    if (i >= 0 && i < length_) text_[i] = c;
}

void String::setLength(int n) {
    if (n >= 0 && n < length_) {
        text_[n] = 0;
        length_ = n;
    }
}

void String::assign(const char* text) {
    if (text == nullptr) {
        if (capacity_ > 0) text_[0] = 0;
        else
            text_ = nullptr;
        length_ = 0;
        return;
    }
    if (text == text_) return;
    int n = textLength(text);
    if (n < capacity_) {
        std::memmove(text_, text, n + 1);
        length_ = n;
        return;
    }
    char* old = capacity_ > 0 ? text_ : nullptr;
    adopt(text, n, 0);
    std::free(old);
}

void String::assign(const String& other) {
    if (&other == this) return;
    if (other.text_ == nullptr) assign(static_cast<const char*>(nullptr));
    else
        assign(other.text_);
}

void String::ensureCapacity(int minCapacity) {
    int cap = (minCapacity + 15) & 0xFFF0;
    if (cap <= capacity_) return;
    char* fresh = static_cast<char*>(std::malloc(cap));
    if (length_ > 0) std::memcpy(fresh, text_, length_);
    fresh[length_] = 0;
    if (capacity_ > 0) std::free(text_);
    text_ = fresh;
    capacity_ = cap;
}

void String::appendBytes(const char* bytes, int n) {
    if (n <= 0) return;
    int newLength = length_ + n;
    if (newLength >= capacity_) {
        // The appended text may live inside this string's own buffer.
        std::string keep(bytes, n);
        ensureCapacity(newLength + 1);
        std::memcpy(text_ + length_, keep.data(), n);
    } else {
        std::memmove(text_ + length_, bytes, n);
    }
    length_ = newLength;
    text_[length_] = 0;
}

String& String::append(const char* text) {
    appendBytes(text, textLength(text));
    return *this;
}

String& String::append(const String& other) {
    appendBytes(other.text_, other.length_);
    return *this;
}

String& String::append(int value) {
    char buffer[16];
    appendBytes(buffer, std::snprintf(buffer, sizeof buffer, "%d", value));
    return *this;
}

String& String::append(char c) {
    appendBytes(&c, 1);
    return *this;
}

String String::operator+(int value) const {
    String result(*this, length_ + 10);
    result.append(value);
    return result;
}

String String::operator+(const String& other) const {
    String result(*this, length_ + other.length_ + 1);
    result.append(other);
    return result;
}

void String::replaceAll(const char* from, const char* to) {
    int n = textLength(from);
    if (n == 0) return;
    String result;
    int pos = 0;
    bool found = false;
    for (int at = indexOf(from, 0); at >= 0; at = indexOf(from, pos)) {
        result.appendBytes(text_ + pos, at - pos);
        result.append(to);
        pos = at + n;
        found = true;
    }
    if (!found) return;
    result.appendBytes(text_ + pos, length_ - pos);
    assign(result.c_str());
}

bool String::isTextChar(int ch) {
    ch &= 0xFF;
    return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9') || ch == ' ' || ch == '-' ||
           ch == '.' || ch >= 0xC0;
}

String String::format(const char* templ, const char* marker, ...) {
    String result(templ);
    va_list args;
    va_start(args, marker);
    int index = 1;
    for (const char* text = va_arg(args, const char*); text != nullptr; text = va_arg(args, const char*)) {
        String key(marker);
        key.append(index++);
        result.replaceAll(key.c_str(), text);
    }
    va_end(args);
    return result;
}

}  // namespace lang
