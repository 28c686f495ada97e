#include "sprite/User.h"

#include <climits>
#include <cstdlib>
#include <cstring>

#include "lang/Ref.h"
#include "util/Hashtable.h"
#include "util/Vector.h"
#include "window/TextSettings.h"

namespace sprite {

namespace {

using platform::ProfileStore;
using platform::ProfileValueKind;

const char* const kProductKeyPrefix = "Software\\Quillory\\";
// Read limits of stored texts, counted with their terminating zero.
constexpr size_t kMaxNumberText = 20;
constexpr size_t kMaxText = 1023;
constexpr int kMaxKeyName = 1023;

std::string_view view(const lang::String& text) {
    return std::string_view(text.c_str(), static_cast<size_t>(text.length()));
}

// The text up to its first zero byte.
std::string textOf(const std::vector<uint8_t>& data) {
    const char* bytes = reinterpret_cast<const char*>(data.data());
    size_t n = 0;
    while (n < data.size() && bytes[n] != '\0') ++n;
    return std::string(bytes, n);
}

// The leading decimal integer as the C library reads it, but saturated
// instead of undefined when it does not fit.
int leadingInteger(const std::string& text) {
    long long value = std::strtoll(text.c_str(), nullptr, 10);
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

int pieceCount(int length) { return (length + User::kLargePiece - 1) / User::kLargePiece; }

}  // namespace

User::User() : scoreTable_(new util::Hashtable()) {}

User::~User() {
    if (credits_ != 0) setInt("CREDITS", credits_);
    scoreTable_->release();
}

// --- paths and values ---

User::ValuePath User::resolve(const lang::String& path, bool create) {
    ValuePath resolved{ProfileStore::kNoKey, std::string()};
    if (!store_ || productKey_ == ProfileStore::kNoKey) return resolved;
    std::string_view text = view(path);
    size_t slash = text.rfind('\\');
    if (slash == std::string_view::npos) {
        resolved.key = productKey_;
        resolved.name = text;
    } else {
        resolved.key = store_->openKey(productKey_, text.substr(0, slash), create);
        resolved.name = text.substr(slash + 1);
    }
    return resolved;
}

std::optional<platform::ProfileValue> User::readValue(const lang::String& path) {
    ValuePath at = resolve(path, false);
    if (at.key == ProfileStore::kNoKey) return std::nullopt;
    return store_->getValue(at.key, at.name);
}

void User::writeValue(const lang::String& path, ProfileValueKind kind, const uint8_t* data, size_t size) {
    ProfileStore::Batch batch(store_.get());
    ValuePath at = resolve(path, true);
    if (at.key != ProfileStore::kNoKey) store_->setValue(at.key, at.name, kind, data, size);
}

void User::deleteValueOnly(const lang::String& path) {
    ValuePath at = resolve(path, false);
    if (at.key != ProfileStore::kNoKey) store_->deleteValue(at.key, at.name);
}

void User::open(const lang::String& productName) {
    productKey_ = ProfileStore::kNoKey;
    store_ = ProfileStore::openDefault();
    if (store_) {
        std::string keyPath = kProductKeyPrefix;
        keyPath += view(productName);
        productKey_ = store_->openKey(store_->root(), keyPath, true);
    }
    credits_ = getInt("CREDITS", 0);
    loadScores();
    lang::String font = getString("fontName", "");
    if (!font.isEmpty()) window::TextSettings::setDefaultFontName(font.c_str());
    window::TextSettings::setNonAscentDescent(getInt("nonAscentDescent", 2));
}

int User::getInt(const lang::String& path, int defaultValue) {
    std::optional<platform::ProfileValue> value = readValue(path);
    if (!value) return defaultValue;
    const std::vector<uint8_t>& d = value->data;
    if (value->kind == ProfileValueKind::Number && d.size() == 4) {
        return static_cast<int>(static_cast<uint32_t>(d[0]) | static_cast<uint32_t>(d[1]) << 8 |
                                static_cast<uint32_t>(d[2]) << 16 | static_cast<uint32_t>(d[3]) << 24);
    }
    if (value->kind == ProfileValueKind::Text && d.size() <= kMaxNumberText) return leadingInteger(textOf(d));
    return defaultValue;
}

void User::setInt(const lang::String& path, int value) {
    uint32_t bits = static_cast<uint32_t>(value);
    uint8_t data[4] = {static_cast<uint8_t>(bits), static_cast<uint8_t>(bits >> 8), static_cast<uint8_t>(bits >> 16),
                       static_cast<uint8_t>(bits >> 24)};
    writeValue(path, ProfileValueKind::Number, data, sizeof data);
}

lang::String User::getString(const lang::String& path, const lang::String& defaultValue) {
    std::optional<platform::ProfileValue> value = readValue(path);
    if (!value || value->kind != ProfileValueKind::Text || value->data.size() > kMaxText) return defaultValue;
    std::string text = textOf(value->data);
    return lang::String(text.c_str());
}

void User::setString(const lang::String& path, const lang::String& text) {
    // Stored with its terminating zero, as texts always were.
    writeValue(path, ProfileValueKind::Text, reinterpret_cast<const uint8_t*>(text.c_str()),
               static_cast<size_t>(text.length()) + 1);
}

void User::remove(const lang::String& path) {
    ProfileStore::Batch batch(store_.get());
    ValuePath at = resolve(path, false);
    if (at.key == ProfileStore::kNoKey) return;
    if (!store_->deleteValue(at.key, at.name)) store_->deleteKeyTree(at.key, at.name);
}

void User::putBytes(const lang::String& path, const lang::ByteArray& bytes) {
    writeValue(path, ProfileValueKind::Binary, bytes.data(), static_cast<size_t>(bytes.length()));
}

void User::putLargeBytes(const lang::String& path, const lang::ByteArray& bytes) {
    if (!store_ || productKey_ == ProfileStore::kNoKey) return;
    // One transaction: a reader never sees pieces of two different arrays.
    ProfileStore::Batch batch(store_.get());
    int pieces = pieceCount(bytes.length());
    ProfileStore::Key key = store_->openKey(productKey_, view(path), pieces > 0);
    if (key == ProfileStore::kNoKey) return;
    for (int i = 0; i < pieces; ++i) {
        int from = i * kLargePiece;
        int size = bytes.length() - from < kLargePiece ? bytes.length() - from : kLargePiece;
        store_->setValue(key, std::to_string(i), ProfileValueKind::Binary, bytes.data() + from,
                         static_cast<size_t>(size));
    }
    // Pieces of a longer earlier array would otherwise be read back after the new ones.
    for (int i = pieces; store_->deleteValue(key, std::to_string(i)); ++i) {}
}

bool User::getBytes(const lang::String& path, lang::ByteArray& bytes) {
    std::optional<platform::ProfileValue> value = readValue(path);
    if (!value || value->kind != ProfileValueKind::Binary) return false;
    bytes.resize(static_cast<int>(value->data.size()));
    if (!value->data.empty()) std::memcpy(bytes.data(), value->data.data(), value->data.size());
    return true;
}

bool User::getLargeBytes(const lang::String& path, lang::ByteArray& bytes) {
    if (!store_ || productKey_ == ProfileStore::kNoKey) return false;
    // Read under one transaction so a concurrent writer cannot mix two arrays.
    ProfileStore::Batch batch(store_.get());
    ProfileStore::Key key = store_->openKey(productKey_, view(path), false);
    if (key == ProfileStore::kNoKey) return false;
    std::vector<uint8_t> all;
    int pieces = 0;
    for (;; ++pieces) {
        std::optional<platform::ProfileValue> piece = store_->getValue(key, std::to_string(pieces));
        if (!piece || piece->kind != ProfileValueKind::Binary) break;
        if (all.size() + piece->data.size() > static_cast<size_t>(INT_MAX)) break;
        all.insert(all.end(), piece->data.begin(), piece->data.end());
    }
    if (pieces == 0) return false;
    bytes.resize(static_cast<int>(all.size()));
    if (!all.empty()) std::memcpy(bytes.data(), all.data(), all.size());
    return true;
}

void User::listKeys(lang::StringArray& names) {
    std::vector<std::string> found;
    if (store_ && productKey_ != ProfileStore::kNoKey) found = store_->subkeyNames(productKey_);
    int kept = 0;
    for (const std::string& name : found)
        if (name.size() <= static_cast<size_t>(kMaxKeyName)) ++kept;
    names.resize(kept);
    int i = 0;
    for (const std::string& name : found)
        if (name.size() <= static_cast<size_t>(kMaxKeyName)) names.set(i++, new lang::String(name.c_str()));
}

// --- scores ---

lang::String User::scoreValue(const char* field, int n) const { return scorePrefix_ + field + n; }

util::Vector* User::scoreList(const lang::String& mode) const {
    return static_cast<util::Vector*>(scoreTable_->get(&mode));
}

ScoreObject* User::scoreEntry(const lang::String& mode, int index) const {
    util::Vector* list = scoreList(mode);
    if (list == nullptr || index < 0 || index >= list->size()) return nullptr;
    return static_cast<ScoreObject*>(list->elementAt(index));
}

void User::loadScores() {
    scoreTable_->clear();
    int n = 0;
    for (int score; (score = getInt(scoreValue("SCORE", n), -1)) != -1; ++n) {
        lang::String name = getString(scoreValue("SCORENAME", n), "");
        lang::String mode = getString(scoreValue("SCOREMODE", n), "");
        int setting = getInt(scoreValue("SCORESETTING", n), 0);
        util::Vector* list = scoreList(mode);
        if (list == nullptr) {
            list = new util::Vector(kScoresPerMode);
            scoreTable_->put(mode, list);
            list->release();
        }
        int level = getInt(scoreValue("LEVEL", n), 0);
        lang::Ref<ScoreObject> entry(new ScoreObject(name, score, level, setting));
        list->addElement(entry.get());
    }
    storedScoreCount_ = n;
}

void User::saveScores() {
    ProfileStore::Batch batch(store_.get());
    int n = 0;
    util::Hashtable::HTEnum* modes = scoreTable_->keys();
    while (modes->hasMoreElements()) {
        auto* mode = static_cast<lang::String*>(modes->nextElement());
        util::Vector* list = scoreList(*mode);
        int count = list ? list->size() : 0;
        if (count > kScoresPerMode) count = kScoresPerMode;
        for (int i = 0; i < count; ++i, ++n) {
            auto* entry = static_cast<ScoreObject*>(list->elementAt(i));
            setString(scoreValue("SCORENAME", n), entry->name);
            setString(scoreValue("SCOREMODE", n), *mode);
            setInt(scoreValue("SCORE", n), entry->score);
            setInt(scoreValue("LEVEL", n), entry->level);
            setInt(scoreValue("SCORESETTING", n), entry->setting);
        }
    }
    modes->release();
    // Entries past the new end would be read back as a stale tail at the next load.
    removeStoredScores(n, storedScoreCount_);
    storedScoreCount_ = n;
}

void User::removeStoredScores(int from, int to) {
    ProfileStore::Batch batch(store_.get());
    for (int n = from; n < to; ++n) {
        for (const char* field : {"SCORE", "SCORENAME", "SCOREMODE", "LEVEL", "SCORESETTING"})
            deleteValueOnly(scoreValue(field, n));
    }
}

void User::setScorePrefix(const lang::String& text) {
    scorePrefix_ = text;
    if (!scorePrefix_.isEmpty() && !scorePrefix_.endsWith("\\")) scorePrefix_.append("\\");
}

int User::addScore(const lang::String& name, const lang::String& mode, int level, int score, int setting) {
    util::Vector* list = scoreList(mode);
    if (list == nullptr) {
        list = new util::Vector(kScoresPerMode);
        scoreTable_->put(mode, list);
        list->release();
    }
    int size = list->size();
    int place = -1;
    for (int i = 0; i < size && place < 0; ++i)
        if (static_cast<ScoreObject*>(list->elementAt(i))->score < score) place = i;
    if (place < 0 && size < kScoresPerMode) place = size;
    if (place < 0) return -1;
    lang::Ref<ScoreObject> entry(new ScoreObject(name, score, level, setting));
    list->insertElementAt(entry.get(), place);
    saveScores();
    return place;
}

int User::addScore(const lang::String& name, int level, int score, int setting) {
    return addScore(name, lang::String(), level, score, setting);
}

lang::String User::getScoreName(const lang::String& mode, int index) {
    ScoreObject* entry = scoreEntry(mode, index);
    return entry ? entry->name : lang::String();
}

lang::String User::getScoreName(int index) { return getScoreName(lang::String(), index); }

int User::getScoreLevel(const lang::String& mode, int index) {
    ScoreObject* entry = scoreEntry(mode, index);
    return entry ? entry->level : 0;
}

int User::getScoreLevel(int index) { return getScoreLevel(lang::String(), index); }

int User::getScore(const lang::String& mode, int index) {
    ScoreObject* entry = scoreEntry(mode, index);
    return entry ? entry->score : -1;
}

int User::getScore(int index) { return getScore(lang::String(), index); }

int User::getScoreSetting(const lang::String& mode, int index) {
    ScoreObject* entry = scoreEntry(mode, index);
    return entry ? entry->setting : 0;
}

void User::removeScoreMode(const lang::String& mode) {
    if (!scoreTable_->containsKey(&mode)) return;
    scoreTable_->remove(&mode);
    ProfileStore::Batch batch(store_.get());
    removeStoredScores(0, storedScoreCount_);
    storedScoreCount_ = 0;
    saveScores();
}

void User::clearScores() {
    removeStoredScores(0, storedScoreCount_);
    scoreTable_->clear();
    storedScoreCount_ = 0;
}

// --- credits ---

int User::getCredits() { return credits_; }

int User::getCreditsOrDefault() {
    if (credits_ == 0) credits_ = kCreditsDefault;
    return credits_;
}

// The counter wraps around like a 32-bit register instead of overflowing.
int User::addCredits(int n) {
    credits_ = static_cast<int>(static_cast<uint32_t>(credits_) + static_cast<uint32_t>(n));
    return credits_;
}

int User::subtractCredits(int n) {
    credits_ = static_cast<int>(static_cast<uint32_t>(credits_) - static_cast<uint32_t>(n));
    return credits_;
}

void User::resetCredits() { credits_ = kCreditsDefault; }

int User::unusedOperation() { return 0; }

}  // namespace sprite
