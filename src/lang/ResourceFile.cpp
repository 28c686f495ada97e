#include "lang/ResourceFile.h"

#include <mutex>
#include <string>

#include "io/NamedItems.h"
#include "lang/DLLItem.h"
#include "lang/Exception.h"
#include "lang/ResourceFileHeader.h"
#include "platform/Module.h"
#include "platform/SearchPath.h"
#include "util/Hashtable.h"

namespace lang {

namespace {

std::mutex chainMutex;
ResourceFile* chain = nullptr;
// Translated items live in the one archive beside the English ones, named
// "NAME.CODE": one file and one item table serve every language, and a lookup
// costs one more probe of that table. Items without words have no translation.
String languageSuffix;  // ".de", or "" for English; under chainMutex

// The chain with a reference for the caller, or null.
// The chain with a reference of its own, so that closing it meanwhile leaves it whole.
Ref<ResourceFile> heldChain() {
    std::lock_guard<std::mutex> hold(chainMutex);
    return Ref<ResourceFile>::share(chain);
}

bool namesModule(const String& name) { return name.endsWith(".dll") || name.endsWith(".DLL"); }

Exception* notFound(const String& name, const std::string& firstDirectory) {
    String message("Error Opening ");
    message.append(name);
    message.append(": not found in ");
    bool first = true;
    for (const std::string& place : platform::searchDirectories(firstDirectory)) {
        if (!first) message.append(", ");
        message.append(place.c_str());
        first = false;
    }
    return new Exception(message);
}

}  // namespace

ResourceFile::ResourceFile(const String& name, const std::string& firstDirectory) {
    if (namesModule(name)) {
        kind_ = KIND_MODULE;
        module_ = platform::Module::load(name.c_str());
        return;
    }
    kind_ = KIND_ARCHIVE;
    std::string path = platform::findOnSearchPath(name.c_str(), firstDirectory);
    if (path.empty()) throw notFound(name, firstDirectory);
    header_.reset(new ResourceFileHeader(String(path.c_str())));
}

ResourceFile::~ResourceFile() {
    if (next_) next_->release();
}

ResourceItem* ResourceFile::getItem(const String& name, bool cache) {
    for (ResourceFile* source = this; source; source = source->next_) {
        if (source->kind_ == KIND_MODULE) {
            if (!source->module_) continue;
            Ref<DLLItem> item(new DLLItem(source->module_, name));
            if (item->getData()) return item.detach();
        } else if (source->header_) {
            // The first archive answers for the rest of the chain, found or not.
            return source->header_->getItem(name, cache);
        }
    }
    return nullptr;
}

void ResourceFile::append(ResourceFile* source) {
    ResourceFile* last = this;
    while (last->next_) last = last->next_;
    last->next_ = source;
    source->addRef();
}

ResourceFile* ResourceFile::open(const String& name) { return adopt(new ResourceFile(name)); }

ResourceFile* ResourceFile::openWhole(const String& name, const std::string& firstDirectory) {
    Ref<ResourceFile> source(new ResourceFile(name, firstDirectory));
    if (ResourceFileHeader* header = source->header_.get(); header && !header->getDamage().isEmpty()) {
        String message("Damaged archive ");
        message.append(header->getPath()).append(": ").append(header->getDamage());
        throw new Exception(message);
    }
    return adopt(source.detach());
}

ResourceFile* ResourceFile::adopt(ResourceFile* source) {
    // Streams opened by item name look through the chain from now on.
    io::NamedItems::install(&ResourceFile::fetch);
    std::lock_guard<std::mutex> hold(chainMutex);
    if (!chain) {
        chain = source;
    } else {
        chain->append(source);
        source->release();
    }
    return source;
}

ResourceFile* ResourceFile::getChain() {
    std::lock_guard<std::mutex> hold(chainMutex);
    return chain;
}

void ResourceFile::closeChain() {
    ResourceFile* first;
    {
        std::lock_guard<std::mutex> hold(chainMutex);
        first = chain;
        chain = nullptr;
    }
    if (first) first->release();
}

bool ResourceFile::holds(const String& name) const {
    for (const ResourceFile* source = this; source; source = source->next_) {
        if (source->kind_ == KIND_MODULE) {
            if (!source->module_) continue;
            if (Ref<DLLItem>(new DLLItem(source->module_, name))->getData()) return true;
        } else if (source->header_) {
            return source->header_->getItemTable()->containsKey(&name);
        }
    }
    return false;
}

void ResourceFile::setLanguage(const String& code) {
    std::lock_guard<std::mutex> hold(chainMutex);
    languageSuffix = code.isEmpty() || code.equals("en") ? String() : String(".").append(code);
}

String ResourceFile::getLanguage() {
    std::lock_guard<std::mutex> hold(chainMutex);
    return languageSuffix.isEmpty() ? String("en") : languageSuffix.substring(1);
}

String ResourceFile::localName(const ResourceFile* first, const String& name) {
    String suffix;
    {
        std::lock_guard<std::mutex> hold(chainMutex);
        suffix = languageSuffix;
    }
    if (suffix.isEmpty()) return name;
    String translated(name);
    translated.append(suffix);
    return first->holds(translated) ? translated : name;
}

bool ResourceFile::has(const String& name) {
    Ref<ResourceFile> first = heldChain();
    return first && first->holds(localName(first.get(), name));
}

String ResourceFile::describeChain() {
    std::lock_guard<std::mutex> hold(chainMutex);
    for (const ResourceFile* source = chain; source; source = source->next_)
        if (source->header_) return String("Damaged archive ").append(source->header_->getPath());
    return String("No archive open");
}

ResourceItem* ResourceFile::fetch(const String& name, bool cache) {
    Ref<ResourceFile> first = heldChain();
    return first ? first->getItem(localName(first.get(), name), cache) : nullptr;
}

}  // namespace lang
