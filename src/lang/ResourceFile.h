#pragma once

#include <memory>
#include <string>

#include "lang/Object.h"
#include "lang/Ref.h"
#include "lang/String.h"

namespace platform {
class Module;
}

namespace lang {

class ResourceFileHeader;
class ResourceItem;

// One resource source of the process-wide chain: a module whose "FILE" resources
// are the items (a name ending in ".dll" or ".DLL"), or an archive file found
// on the search path.
class ResourceFile : public Object {
public:
    static constexpr int KIND_MODULE = 0;
    static constexpr int KIND_ARCHIVE = 1;

    // Throws a lang::Exception naming the archive and the places searched when
    // an archive cannot be found, or naming the fault when it cannot be read.
    // An archive is looked for in firstDirectory before the search path.
    explicit ResourceFile(const String& name, const std::string& firstDirectory = {});
    ResourceFile(const ResourceFile&) = delete;
    ResourceFile& operator=(const ResourceFile&) = delete;
    ~ResourceFile() override;
    MENTARIUM_CLASS(ResourceFile, Object)

    // Walks the chain from this source; one reference for the caller, or null.
    ResourceItem* getItem(const String& name, bool cache);

    int getKind() const { return kind_; }
    bool hasModule() const { return module_ != nullptr; }
    ResourceFileHeader* getHeader() const { return header_.get(); }  // borrowed
    ResourceFile* getNext() const { return next_; }                  // borrowed
    // Stores source after the last one of this chain and takes a reference to it.
    void append(ResourceFile* source);

    // The process-wide chain.
    // Builds a source and makes it the chain or appends it; answers it (borrowed).
    static ResourceFile* open(const String& name);
    // As open, for the game's own archive: it must be whole, so an archive whose
    // item table is cut short or has items lying past its end is refused with
    // a lang::Exception naming it and the damage, and nothing is opened.
    static ResourceFile* openWhole(const String& name, const std::string& firstDirectory);
    static ResourceFile* getChain();  // borrowed, null when none is open
    static void closeChain();
    // Looks name up through the chain; null when no chain is open or no item.
    static ResourceItem* fetch(const String& name, bool cache);
    // Whether the chain holds an item of that name, without reading its bytes.
    static bool has(const String& name);
    // The language of the items fetched: an item "NAME.CODE" answers for NAME
    // when the chain holds one, else NAME itself (English). "" or "en" is English.
    static void setLanguage(const String& code);
    static String getLanguage();
    // The text that starts a message about an item of the chain: "Damaged archive
    // <path>" for the first archive of the chain, or "No archive open".
    static String describeChain();

private:
    static ResourceFile* adopt(ResourceFile* source);
    bool holds(const String& name) const;
    // The name to look up for name in the chosen language, given the chain first.
    static String localName(const ResourceFile* first, const String& name);

    std::shared_ptr<platform::Module> module_;
    Ref<ResourceFileHeader> header_;
    int kind_;
    ResourceFile* next_ = nullptr;
};

}  // namespace lang
