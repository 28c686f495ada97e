#pragma once

#include "lang/IntArray.h"
#include "lang/Object.h"
#include "lang/ObjectArray.h"
#include "lang/Ref.h"
#include "lang/String.h"
#include "lang/StringArray.h"
#include "sprite/OwningArray.h"

namespace io {
class InputStream;
}
namespace util {
class Hashtable;
class Vector;
}  // namespace util
namespace window {
class Image;
}

namespace sprite {

class LoadListener;
class SceneTokens;
class SpriteBase;
class User;

// Reads a scene data item (pictures, sounds, numbers, texts and sprite lines) and
// builds live sprites from it; container lines may name a further item that is
// loaded into the container.
class DataLoader : public lang::Object {
public:
    // Nested container items deeper than this are refused with a message.
    static constexpr int MAX_NESTING = 8;
    // A number section ends after this many numbers, and so does the whole load.
    static constexpr int MAX_NUMBERS = 500;

    // listener, when given, must implement LoadListener.
    DataLoader(const lang::String& path, lang::Object* listener, User* resolver);
    DataLoader(const lang::String& path, lang::Object* listener, User* resolver, util::Hashtable* streams);
    DataLoader(const DataLoader&) = delete;
    DataLoader& operator=(const DataLoader&) = delete;
    ~DataLoader() override;
    MENTARIUM_CLASS(DataLoader, lang::Object)

    // Steps that load of the same item will make (0 when it cannot be opened).
    int countItems(const lang::String& item);
    // Reads the item; false when it cannot be opened or a parse error was reported.
    bool load(const lang::String& item);

    // A game's own scene must load whole: from now on an archive item the scene
    // names that is missing or does not decode is a fault too, and the first
    // fault anywhere, nested items included, ends the load. It is shown to the
    // player once, by the outermost loader. Without this, each fault is shown as
    // it comes and loading goes on where it can.
    void requireWholeScene() { wholeScene = true; }
    // The fault that ended the last load of a whole scene ("" when none).
    const lang::String& getFault() const { return fault; }

    // Results, borrowed; holders that keep them take their own reference.
    util::Vector* getSprites() const { return sprites.get(); }
    util::Hashtable* getNames() const { return names.get(); }
    lang::StringArray* getStrings() const { return strings.get(); }
    lang::IntArray* getData() const { return data.get(); }
    lang::ObjectArray* getSounds() const { return sounds.get(); }
    const lang::String& getPath() const { return path; }

    // Joins a file name to the game directory; a '\' in the name reads as '/'.
    static lang::String joinPath(const lang::String& directory, const lang::String& name);

private:
    enum class Mode { Count, Load };

    // The stream for item, rewound when it was opened before; one reference for
    // the caller, or null after a fault was reported.
    io::InputStream* openStream(const lang::String& item, Mode mode);
    // Shows a fault; for a whole scene, notes the first of a load instead and
    // shows it when this loader is the outermost (counting reports nothing there,
    // the load that follows does).
    void report(Mode mode, const lang::String& message);
    // For a whole scene: reports an archive item the scene names that is
    // missing, or is there and fails what was asked of it (e.g. "does not decode").
    void reportItem(Mode mode, const lang::String& item, const char* what);
    // A picture for the scene; one from the archive must be there and decode.
    window::Image* scenePicture(const lang::String& source, Mode mode);
    // Walks the item's sections; answers false on open failure or a parse error.
    bool walk(const lang::String& item, Mode mode, int& steps);
    // True (after a message) when item may not be loaded at this depth.
    bool refusesNesting(const lang::String& item, Mode mode);

    // Section readers: each answers whether a current token (the next marker) is left.
    bool readImages(SceneTokens& tokens, Mode mode, int& steps);
    bool readSounds(SceneTokens& tokens, Mode mode, int& steps);
    bool readData(SceneTokens& tokens, Mode mode, bool& stop);
    bool readStrings(SceneTokens& tokens, Mode mode);
    bool readSprites(SceneTokens& tokens, Mode mode, int& steps);
    void takeSprite(const lang::String& spriteName, const lang::String& classField, lang::IntArray* numbers,
                    lang::ObjectArray* pictures, int& steps);

    window::Image* makePicture(const lang::String& source);
    window::Image* pictureFor(const lang::String& token);
    void storePicture(const lang::String& pictureName, window::Image* picture);
    int loadImageList(const lang::String& file);
    SpriteBase* createSprite(const lang::String& classField, lang::IntArray* numbers, lang::ObjectArray* pictures);
    void loadInto(SpriteBase* container, const lang::String& item);
    int countNested(const lang::String& classField);
    DataLoader* nestedLoader();
    LoadListener* asListener() const;
    void step(Mode mode, int& steps);

    lang::Ref<lang::Object> listener;
    lang::Ref<User> resolver;
    lang::String path;
    lang::Ref<OwningArray<lang::ObjectArray>> sounds;
    lang::Ref<OwningArray<lang::StringArray>> strings;
    lang::Ref<util::Hashtable> streams;  // shared with the nested loaders
    lang::Ref<lang::IntArray> data;
    lang::Ref<util::Vector> sprites;
    lang::Ref<util::Hashtable> names;
    lang::Ref<util::Hashtable> images;

    const DataLoader* parent = nullptr;  // the loader this one was nested in
    int depth = 0;
    lang::String currentItem;
    bool wholeScene = false;
    lang::String fault;
};

}  // namespace sprite
