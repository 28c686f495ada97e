#include "util/Hashtable.h"

#include <cstdlib>

#include "lang/ObjectLock.h"
#include "lang/String.h"

namespace util {

Hashtable::HTEnum::HTEnum(int size) : size_(size), items_(new lang::Object*[size > 0 ? size : 1]()) {}

Hashtable::HTEnum::~HTEnum() {
    for (int i = 0; i < size_; ++i)
        if (items_[i]) items_[i]->release();
    delete[] items_;
}

lang::Object* Hashtable::HTEnum::nextElement() {
    if (position_ >= size_) return nullptr;
    return items_[position_++];
}

Hashtable::Hashtable(int buckets) : bucketCount_(buckets < 1 ? 1 : buckets), buckets_(new Entry*[bucketCount_]()) {}

Hashtable::~Hashtable() {
    clear();
    delete[] buckets_;
}

int Hashtable::indexFor(const lang::Object* key) const { return std::abs(key->hashCode() % bucketCount_); }

Hashtable::Entry* Hashtable::find(const lang::Object* key) const {
    if (key == nullptr) return nullptr;
    for (Entry* e = buckets_[indexFor(key)]; e != nullptr; e = e->next)
        if (key->equals(e->key)) return e;
    return nullptr;
}

void Hashtable::putOwnedKey(lang::Object* key, lang::Object* value) {
    ObjectLock hold(this, true);
    if (value) value->addRef();
    int i = indexFor(key);
    buckets_[i] = new Entry{key, value, buckets_[i]};
    ++count_;
    if (2 * count_ > bucketCount_) rehash();
}

void Hashtable::put(lang::Object* key, lang::Object* value) {
    key->addRef();
    putOwnedKey(key, value);
}

void Hashtable::put(const lang::String& key, lang::Object* value) { putOwnedKey(new lang::String(key), value); }

void Hashtable::put(const char* key, lang::Object* value) { putOwnedKey(new lang::String(key), value); }

lang::Object* Hashtable::get(const lang::Object* key) const {
    ObjectLock hold(this, true);
    Entry* e = find(key);
    return e ? e->value : nullptr;
}

lang::Object* Hashtable::get(const char* key) const {
    lang::String k(key, lang::String::Borrow{});
    return get(&k);
}

bool Hashtable::containsKey(const lang::Object* key) const {
    ObjectLock hold(this, true);
    return find(key) != nullptr;
}

lang::Object* Hashtable::remove(const lang::Object* key) {
    ObjectLock hold(this, true);
    if (key == nullptr) return nullptr;
    for (Entry** link = &buckets_[indexFor(key)]; *link != nullptr; link = &(*link)->next) {
        Entry* e = *link;
        if (!key->equals(e->key)) continue;
        *link = e->next;
        --count_;
        lang::Object* value = e->value;
        e->key->release();
        if (value) value->release();
        delete e;
        return value;
    }
    return nullptr;
}

void Hashtable::clear() {
    ObjectLock hold(this, true);
    for (int i = 0; i < bucketCount_; ++i) {
        for (Entry* e = buckets_[i]; e != nullptr;) {
            Entry* next = e->next;
            e->key->release();
            if (e->value) e->value->release();
            delete e;
            e = next;
        }
        buckets_[i] = nullptr;
    }
    count_ = 0;
}

void Hashtable::rehash() {
    int fresh = 4 * count_;
    auto** next = new Entry*[fresh]();
    int oldCount = bucketCount_;
    Entry** old = buckets_;
    buckets_ = next;
    bucketCount_ = fresh;
    for (int i = 0; i < oldCount; ++i) {
        for (Entry* e = old[i]; e != nullptr;) {
            Entry* following = e->next;
            int k = indexFor(e->key);
            e->next = buckets_[k];
            buckets_[k] = e;
            e = following;
        }
    }
    delete[] old;
}

Hashtable::HTEnum* Hashtable::snapshot(bool wantKeys) const {
    ObjectLock hold(this, true);
    auto* en = new HTEnum(count_);
    int n = 0;
    for (int i = 0; i < bucketCount_; ++i)
        for (Entry* e = buckets_[i]; e != nullptr; e = e->next) {
            lang::Object* item = wantKeys ? e->key : e->value;
            if (item) item->addRef();
            en->items_[n++] = item;
        }
    return en;
}

Hashtable::HTEnum* Hashtable::keys() const { return snapshot(true); }
Hashtable::HTEnum* Hashtable::elements() const { return snapshot(false); }

int Hashtable::size() const {
    ObjectLock hold(this, true);
    return count_;
}

}  // namespace util
