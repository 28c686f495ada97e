#pragma once

#include "lang/Object.h"
#include "util/Enumeration.h"

namespace lang {
class String;
}

namespace util {

// A chained hash table of object keys and values. put() always adds a new entry
// at the head of its chain (equal keys are not replaced); the table grows to four
// times its count when the count passes half the bucket count.
// Every operation runs under the table's monitor.
class Hashtable : public lang::Object {
public:
    // A snapshot of keys or values; holds a reference to each.
    class HTEnum : public Enumeration {
    public:
        explicit HTEnum(int size);
        ~HTEnum() override;
        MENTARIUM_CLASS(HTEnum, Enumeration)
        bool hasMoreElements() override { return position_ < size_; }
        lang::Object* nextElement() override;

    private:
        friend class Hashtable;
        int size_;
        int position_ = 0;
        lang::Object** items_;
    };

    explicit Hashtable(int buckets = 100);
    Hashtable(const Hashtable&) = delete;
    Hashtable& operator=(const Hashtable&) = delete;
    ~Hashtable() override;
    MENTARIUM_CLASS(Hashtable, lang::Object)

    void put(lang::Object* key, lang::Object* value);
    void put(const lang::String& key, lang::Object* value);
    void put(const char* key, lang::Object* value);
    lang::Object* get(const lang::Object* key) const;  // borrowed, or null
    lang::Object* get(const char* key) const;
    bool containsKey(const lang::Object* key) const;
    lang::Object* remove(const lang::Object* key);  // the table's reference is given back
    void clear();
    HTEnum* keys() const;      // new enumeration, one reference for the caller
    HTEnum* elements() const;  // new enumeration, one reference for the caller
    int size() const;
    int bucketCount() const { return bucketCount_; }

private:
    struct Entry {
        lang::Object* key;
        lang::Object* value;
        Entry* next;
    };
    int indexFor(const lang::Object* key) const;
    Entry* find(const lang::Object* key) const;
    void putOwnedKey(lang::Object* key, lang::Object* value);  // takes over key's reference
    void rehash();
    HTEnum* snapshot(bool wantKeys) const;

    int bucketCount_;
    Entry** buckets_;
    int count_ = 0;
};

}  // namespace util
