#include "sprite/DataLoader.h"

#include <vector>

#include "io/ByteArrayInputStream.h"
#include "io/FileInputStream.h"
#include "lang/Class.h"
#include "lang/Exception.h"
#include "lang/Ref.h"
#include "lang/ResourceFile.h"
#include "lang/ResourceItem.h"
#include "platform/MessageBox.h"
#include "sprite/FancyContainer.h"
#include "sprite/ImageListReader.h"
#include "sprite/LoadListener.h"
#include "sprite/SceneTokens.h"
#include "sprite/User.h"
#include "util/Hashtable.h"
#include "util/Vector.h"
#include "window/AudioClip.h"
#include "window/Image.h"

namespace sprite {

namespace {

// Sound kinds of an audio clip.
constexpr int kSample = 0;
constexpr int kStream = 1;
constexpr int kModule = 2;

// Pictures made while a hidden container loads decode on first use.
class SceneLoadScope {
public:
    explicit SceneLoadScope(bool active) : active_(active) {
        if (active_) window::Image::beginSceneLoad();
    }
    ~SceneLoadScope() {
        if (active_) window::Image::endSceneLoad();
    }
    SceneLoadScope(const SceneLoadScope&) = delete;
    SceneLoadScope& operator=(const SceneLoadScope&) = delete;

private:
    bool active_;
};

bool archiveHas(const lang::String& itemName) { return lang::ResourceFile::has(itemName); }

// The archive item behind a picture or sound source ("+name" or "+name|mask"),
// or "" for a loose file.
lang::String archiveItemOf(const lang::String& source) {
    if (!source.startsWith("+")) return lang::String();
    int bar = source.indexOf('|');
    return bar < 0 ? source.substring(1) : source.substring(1, bar);
}

}  // namespace

DataLoader::DataLoader(const lang::String& path, lang::Object* listener, User* resolver)
    : DataLoader(path, listener, resolver, nullptr) {}

DataLoader::DataLoader(const lang::String& path, lang::Object* listener, User* resolver, util::Hashtable* streams)
    : listener(lang::Ref<lang::Object>::share(listener)),
      resolver(lang::Ref<User>::share(resolver)),
      path(path),
      sounds(new OwningArray<lang::ObjectArray>()),
      strings(new OwningArray<lang::StringArray>()),
      streams(streams ? lang::Ref<util::Hashtable>::share(streams) : lang::Ref<util::Hashtable>(new util::Hashtable())),
      data(new lang::IntArray()),
      images(new util::Hashtable()) {}

DataLoader::~DataLoader() = default;

lang::String DataLoader::joinPath(const lang::String& directory, const lang::String& name) {
    lang::String file(name);
    file.replaceAll("\\", "/");
    if (directory.isEmpty()) return file;
    lang::String joined(directory);
    if (!directory.endsWith("/") && !directory.endsWith("\\")) joined.append("/");
    return joined.append(file);
}

LoadListener* DataLoader::asListener() const { return dynamic_cast<LoadListener*>(listener.get()); }

void DataLoader::step(Mode mode, int& steps) {
    ++steps;
    if (mode == Mode::Load)
        if (LoadListener* l = asListener()) l->itemLoaded();
}

io::InputStream* DataLoader::openStream(const lang::String& item, Mode mode) {
    if (auto* open = static_cast<io::InputStream*>(streams->get(&item))) {
        open->reset();
        open->addRef();
        return open;
    }
    lang::String inArchive = archiveItemOf(item);
    if (wholeScene && !inArchive.isEmpty() && !archiveHas(inArchive)) {
        reportItem(mode, inArchive, nullptr);
        return nullptr;
    }
    io::InputStream* in = nullptr;
    try {
        if (item.startsWith("+")) in = new io::ByteArrayInputStream(item);
        else
            in = new io::FileInputStream(joinPath(path, item));
    } catch (lang::Exception* e) {
        report(mode, e->getMessage());
        e->release();
        return nullptr;
    }
    streams->put(item, in);
    return in;
}

void DataLoader::report(Mode mode, const lang::String& message) {
    if (message.isEmpty()) return;
    if (!wholeScene) {
        platform::messageBox("Error", message.c_str());
        return;
    }
    if (mode != Mode::Load || !fault.isEmpty()) return;
    fault = message;
    if (parent == nullptr) platform::messageBox("Error", fault.c_str());
}

void DataLoader::reportItem(Mode mode, const lang::String& item, const char* what) {
    lang::String message = lang::ResourceFile::describeChain();
    message.append(": item \"").append(item).append("\" named by the scene ");
    message.append(what && archiveHas(item) ? what : "is missing");
    report(mode, message);
}

bool DataLoader::refusesNesting(const lang::String& item, Mode mode) {
    lang::String message;
    if (depth > MAX_NESTING) {
        message = "Scene items nested too deeply: ";
    } else {
        for (const DataLoader* up = parent; up != nullptr; up = up->parent)
            if (up->currentItem.equals(item)) message = "Scene item loads itself: ";
    }
    if (message.isEmpty()) return false;
    report(mode, message.append(item));
    return true;
}

int DataLoader::countItems(const lang::String& item) {
    int steps = 0;
    walk(item, Mode::Count, steps);
    return steps;
}

bool DataLoader::load(const lang::String& item) {
    sprites.reset(new util::Vector(10));
    names.reset(new util::Hashtable());
    images->clear();
    fault = lang::String();
    int steps = 0;
    return walk(item, Mode::Load, steps) && fault.isEmpty();
}

bool DataLoader::walk(const lang::String& item, Mode mode, int& steps) {
    if (refusesNesting(item, mode)) return false;
    lang::Ref<io::InputStream> in(openStream(item, mode));
    if (!in) return false;
    currentItem = item;
    lang::Ref<SceneTokens> tokens(new SceneTokens(in.get()));
    bool ok = true;
    try {
        bool have = tokens->next();
        bool stop = false;
        while (have && !stop && fault.isEmpty()) {
            if (tokens->isNumber()) {
                have = tokens->next();
                continue;
            }
            const lang::String& marker = tokens->text();
            if (marker.equalsIgnoreCase("<end>")) break;
            if (marker.equalsIgnoreCase("<images>")) have = readImages(*tokens, mode, steps);
            else if (marker.equalsIgnoreCase("<sounds>"))
                have = readSounds(*tokens, mode, steps);
            else if (marker.equalsIgnoreCase("<data>"))
                have = readData(*tokens, mode, stop);
            else if (marker.equalsIgnoreCase("<strings>"))
                have = readStrings(*tokens, mode);
            else if (marker.equalsIgnoreCase("<sprites>"))
                have = readSprites(*tokens, mode, steps);
            else
                have = tokens->next();  // a stray word outside any section
        }
    } catch (lang::Exception* e) {
        report(mode, e->getMessage());
        e->release();
        ok = false;
    }
    currentItem = lang::String();
    return ok;
}

bool DataLoader::readImages(SceneTokens& tokens, Mode mode, int& steps) {
    while (fault.isEmpty() && tokens.next()) {
        if (tokens.isMarker()) return true;
        lang::String entry = tokens.text();
        if (!tokens.isNumber() && entry.endsWith(".bin")) {
            if (mode == Mode::Load) loadImageList(entry);
            step(mode, steps);
            continue;
        }
        if (!tokens.next()) return false;
        if (tokens.isMarker()) return true;  // a name without a picture
        if (mode == Mode::Load) storePicture(entry, scenePicture(tokens.text(), mode));
        step(mode, steps);
    }
    return false;
}

bool DataLoader::readSounds(SceneTokens& tokens, Mode mode, int& steps) {
    if (mode == Mode::Load) {
        sounds.reset(new OwningArray<lang::ObjectArray>());
    }
    while (tokens.next()) {
        if (tokens.isMarker()) return true;
        lang::String word = tokens.text();
        if (word.length() <= 2) continue;
        if (mode == Mode::Load) {
            int kind = kSample;
            if (word.startsWith("*")) {
                word = word.substring(1);
                kind = kStream;
            }
            if (word.endsWith(".s3m") || word.endsWith(".mod") || word.endsWith(".xm")) kind = kModule;
            // Sounds decode when first played; at least their items must be there.
            if (lang::String item = archiveItemOf(word); wholeScene && !item.isEmpty() && !archiveHas(item))
                reportItem(mode, item, nullptr);
            auto* clip = new window::AudioClip();
            clip->setSource(word.startsWith("+") ? word : joinPath(path, word), kind);
            sounds->adopt(clip);
        }
        step(mode, steps);
    }
    return false;
}

bool DataLoader::readData(SceneTokens& tokens, Mode mode, bool& stop) {
    int buffer[MAX_NUMBERS];
    int count = 0;
    bool have = false;
    while ((have = tokens.next()) && tokens.isNumber()) {
        buffer[count++] = tokens.intValue();
        if (count == MAX_NUMBERS) {
            stop = true;  // a full number section ends the whole load
            have = false;
            break;
        }
    }
    if (mode == Mode::Load) {
        data->resize(count);
        for (int i = 0; i < count; ++i) (*data)[i] = buffer[i];
    }
    return have;
}

bool DataLoader::readStrings(SceneTokens& tokens, Mode mode) {
    if (mode == Mode::Load) {
        strings.reset(new OwningArray<lang::StringArray>());
    }
    while (tokens.next()) {
        if (tokens.isMarker()) return true;
        if (mode == Mode::Load) strings->adopt(new lang::String(tokens.text()));
    }
    return false;
}

bool DataLoader::readSprites(SceneTokens& tokens, Mode mode, int& steps) {
    bool have = tokens.next();
    std::vector<int> values;
    while (have && fault.isEmpty()) {
        if (tokens.isMarker()) return true;
        lang::String spriteName = tokens.text();
        if (!tokens.next()) return false;
        if (tokens.isMarker()) return true;  // a line cut short by the next section
        lang::String classField = tokens.text();

        // Pictures up to the first number; the images table keeps them alive.
        lang::Ref<lang::ObjectArray> pictures(new lang::ObjectArray());
        while ((have = tokens.next()) && !tokens.isNumber() && !tokens.isMarker()) {
            if (mode == Mode::Load) {
                int n = pictures->length();
                pictures->resize(n + 1);
                (*pictures)[n] = pictureFor(tokens.text());
            }
        }
        if (!have || !tokens.isNumber()) {
            // A line without numbers is incomplete; a marker here opens the next section.
            return have;
        }
        values.clear();
        while (have && tokens.isNumber()) {
            values.push_back(tokens.intValue());
            have = tokens.next();
        }
        lang::Ref<lang::IntArray> numbers(new lang::IntArray(static_cast<int>(values.size())));
        for (size_t i = 0; i < values.size(); ++i) (*numbers)[static_cast<int>(i)] = values[i];

        if (mode == Mode::Load) {
            takeSprite(spriteName, classField, numbers.get(), pictures.get(), steps);
        } else {
            step(mode, steps);
            steps += countNested(classField);
        }
    }
    return false;
}

void DataLoader::takeSprite(const lang::String& spriteName, const lang::String& classField, lang::IntArray* numbers,
                            lang::ObjectArray* pictures, int& steps) {
    lang::Ref<SpriteBase> made;
    if (LoadListener* l = asListener()) made.reset(l->offerSprite(classField, numbers, pictures, this));
    if (!made) made.reset(createSprite(classField, numbers, pictures));
    if (!made) return;  // class not registered: the line is dropped
    step(Mode::Load, steps);
    sprites->addElement(made.get());
    if (!spriteName.isEmpty()) {
        made->setName(spriteName);
        if (names->containsKey(&spriteName)) {
            lang::String caption("Duplicate name in ");
            caption.append(currentItem);
            platform::messageBox(caption.c_str(), spriteName.c_str());
            names->remove(&spriteName);
        }
        names->put(spriteName, made.get());
    }
}

SpriteBase* DataLoader::createSprite(const lang::String& classField, lang::IntArray* numbers,
                                     lang::ObjectArray* pictures) {
    int colon = classField.indexOf(':');
    lang::String className = colon >= 0 ? classField.substring(0, colon) : classField;
    lang::Class* type = lang::Class::forName(className);
    if (type == nullptr) return nullptr;
    lang::Ref<lang::Object> instance(type->newInstance());
    auto* made = dynamic_cast<SpriteBase*>(instance.get());
    if (made == nullptr) return nullptr;
    made->init(pictures, numbers);
    if (colon >= 0 && colon + 1 < classField.length() && made->isInstanceOf("FancyContainer"))
        loadInto(made, classField.substring(colon + 1));
    instance.detach();  // the caller's reference now
    return made;
}

void DataLoader::loadInto(SpriteBase* made, const lang::String& item) {
    auto* container = static_cast<FancyContainer*>(made);
    lang::Ref<DataLoader> nested(nestedLoader());
    bool ok;
    {
        SceneLoadScope lazy(!container->isVisible());
        ok = nested->load(item);
    }
    report(Mode::Load, nested->getFault());  // a fault deep down ends this load too
    if (ok) {
        util::Vector* loaded = nested->getSprites();
        for (int i = 0; i < loaded->size(); ++i) container->add(static_cast<SpriteBase*>(loaded->elementAt(i)));
        container->onLoaded(nested.get());
    }
}

int DataLoader::countNested(const lang::String& classField) {
    int colon = classField.indexOf(':');
    if (colon < 0 || colon + 1 >= classField.length() || !listener) return 0;
    lang::Class* type = lang::Class::forName(classField.substring(0, colon));
    if (type == nullptr) return 0;
    lang::Ref<lang::Object> probe(type->newInstance());
    if (!probe->isInstanceOf("FancyContainer")) return 0;
    return lang::Ref<DataLoader>(nestedLoader())->countItems(classField.substring(colon + 1));
}

DataLoader* DataLoader::nestedLoader() {
    auto* nested = new DataLoader(path, listener.get(), resolver.get(), streams.get());
    nested->parent = this;
    nested->depth = depth + 1;
    nested->wholeScene = wholeScene;
    return nested;
}

window::Image* DataLoader::makePicture(const lang::String& source) {
    if (source.startsWith("+")) return new window::Image(source);
    if (source.startsWith("@")) {
        lang::String stored = source.substring(1);
        lang::String fallback("+");
        fallback.append(stored);
        lang::String chosen = resolver ? resolver->getString(stored, fallback) : fallback;
        if (chosen.startsWith("+")) return new window::Image(chosen);
        // A redirect to a loose file is decoded now, so that a bad file falls back at once.
        bool wasImmediate = window::Image::decodeImmediately();
        window::Image::setDecodeImmediately(true);
        lang::Ref<window::Image> picture(new window::Image(joinPath(path, chosen)));
        window::Image::setDecodeImmediately(wasImmediate);
        if (picture->hasPixels()) return picture.detach();
        return new window::Image(fallback);
    }
    // A loose file, possibly with a loose mask after '|'.
    int bar = source.indexOf('|');
    if (bar < 0) return new window::Image(joinPath(path, source));
    lang::String maskPart = source.substring(bar + 1);
    lang::String joined = joinPath(path, source.substring(0, bar));
    joined.append("|").append(maskPart.startsWith("+") ? maskPart : joinPath(path, maskPart));
    return new window::Image(joined);
}

window::Image* DataLoader::pictureFor(const lang::String& token) {
    if (token.isEmpty()) return nullptr;
    if (auto* known = static_cast<window::Image*>(images->get(&token))) return known;
    lang::String source("+");
    source.append(token);
    lang::String maskItem(token);
    maskItem.append("_automask");
    if (archiveHas(maskItem)) source.append("|+").append(maskItem);
    window::Image* picture = scenePicture(source, Mode::Load);
    storePicture(token, picture);
    return picture;
}

window::Image* DataLoader::scenePicture(const lang::String& source, Mode mode) {
    window::Image* picture = makePicture(source);
    // Size-only decoding still reads the picture's header, so a width is known.
    lang::String item = archiveItemOf(*picture->getName());
    if (wholeScene && !item.isEmpty() && (picture->loadFailed() || picture->getWidth() <= 0))
        reportItem(mode, item, "does not decode");
    return picture;
}

void DataLoader::storePicture(const lang::String& pictureName, window::Image* picture) {
    images->remove(&pictureName);
    images->put(pictureName, picture);
    picture->release();
}

int DataLoader::loadImageList(const lang::String& file) {
    lang::Ref<io::InputStream> in;
    try {
        in.reset(new io::FileInputStream(joinPath(path, file)));
    } catch (lang::Exception* e) {
        e->release();  // a missing list adds no pictures
        return 0;
    }
    int found =
        ImageListReader::read(in.get(), [this](const lang::String& pictureName, const uint8_t* bytes, int length) {
            storePicture(pictureName, new window::Image(bytes, length));
        });
    in->close();
    return found;
}

}  // namespace sprite
