#pragma once

#include <memory>
#include <optional>
#include <string>

#include "lang/ByteArray.h"
#include "lang/Object.h"
#include "lang/String.h"
#include "lang/StringArray.h"
#include "platform/ProfileStore.h"
#include "sprite/ScoreObject.h"

namespace util {
class Hashtable;
class Vector;
}  // namespace util

namespace sprite {

// The player's persistent profile: start-up options, texts the scene data may
// draw from, the two text settings, a credit counter and tables of best scores.
// Values live below the product key "Software\Quillory\<product>"; a path with
// backslashes names a value in a subkey of it ("a\b\value"). Numbers, texts and
// byte arrays are kept as such; a value of another kind reads as the default.
// Store failures are not reported: reads give their defaults, writes are lost.
// The store has no lock of its own; the frame's threads take turns using it.
class User : public lang::Object {
public:
    static constexpr int kScoresPerMode = 10;
    static constexpr int kLargePiece = 4096;
    static constexpr int kCreditsDefault = 500000;

    User();
    User(const User&) = delete;
    User& operator=(const User&) = delete;
    ~User() override;  // writes "CREDITS" when the count is not 0
    MENTARIUM_CLASS(User, lang::Object)

    virtual void open(const lang::String& productName);
    virtual int getInt(const lang::String& path, int defaultValue);
    virtual void setInt(const lang::String& path, int value);
    virtual lang::String getString(const lang::String& path, const lang::String& defaultValue);
    virtual void setString(const lang::String& path, const lang::String& text);
    // Deletes the value, or when there is none the subkey of that name with all below it.
    virtual void remove(const lang::String& path);
    virtual void putBytes(const lang::String& path, const lang::ByteArray& bytes);
    // Values "0", "1", ... of the subkey named by path, 4096 bytes each but the last.
    virtual void putLargeBytes(const lang::String& path, const lang::ByteArray& bytes);
    virtual bool getBytes(const lang::String& path, lang::ByteArray& bytes);
    virtual bool getLargeBytes(const lang::String& path, lang::ByteArray& bytes);
    // Fills names with new Strings (the caller releases them): the product key's subkeys.
    virtual void listKeys(lang::StringArray& names);
    virtual void loadScores();
    virtual void setScorePrefix(const lang::String& text);
    // The new entry's place in its mode's list, or -1 when it did not make the list.
    virtual int addScore(const lang::String& name, const lang::String& mode, int level, int score, int setting);
    virtual int addScore(const lang::String& name, int level, int score, int setting);
    virtual lang::String getScoreName(const lang::String& mode, int index);
    virtual lang::String getScoreName(int index);
    virtual int getScoreLevel(const lang::String& mode, int index);
    virtual int getScoreLevel(int index);
    virtual int getScore(const lang::String& mode, int index);
    virtual int getScore(int index);
    virtual void removeScoreMode(const lang::String& mode);
    virtual void clearScores();
    virtual int getScoreSetting(const lang::String& mode, int index);
    virtual int getCredits();
    virtual int getCreditsOrDefault();
    virtual int addCredits(int n);
    virtual int subtractCredits(int n);
    virtual void resetCredits();
    virtual int unusedOperation();  // 43: no effect, 0

    // Number of score entries now written in the store.
    int storedScoreCount() const { return storedScoreCount_; }
    const lang::String& scorePrefix() const { return scorePrefix_; }
    // The database behind this profile, shared with the player's progress;
    // null when no store could be opened.
    std::shared_ptr<platform::ProfileStore> store() const { return store_; }

private:
    struct ValuePath {
        platform::ProfileStore::Key key;
        std::string name;
    };
    // Splits path at its last backslash into the subkey below the product key
    // and the value name; writes create missing subkeys, reads do not.
    ValuePath resolve(const lang::String& path, bool create);
    std::optional<platform::ProfileValue> readValue(const lang::String& path);
    void writeValue(const lang::String& path, platform::ProfileValueKind kind, const uint8_t* data, size_t size);
    void deleteValueOnly(const lang::String& path);

    util::Vector* scoreList(const lang::String& mode) const;  // borrowed, or null
    ScoreObject* scoreEntry(const lang::String& mode, int index) const;
    lang::String scoreValue(const char* field, int n) const;
    void saveScores();
    void removeStoredScores(int from, int to);

    std::shared_ptr<platform::ProfileStore> store_;
    platform::ProfileStore::Key productKey_ = platform::ProfileStore::kNoKey;
    util::Hashtable* scoreTable_;
    lang::String scorePrefix_;
    int storedScoreCount_ = 0;
    int credits_ = 0;
};

}  // namespace sprite
