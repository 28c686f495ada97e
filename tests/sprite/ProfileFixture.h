#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/ProfileStore.h"
#include "sprite/User.h"
#include "support/TempDir.h"
#include "window/TextSettings.h"

namespace testsupport {

struct ReleaseObject {
    void operator()(lang::Object* object) const { object->release(); }
};
using UserPtr = std::unique_ptr<sprite::User, ReleaseObject>;

// A profile store file of its own in a temporary folder, named through the
// environment as the game finds it; text settings start from their defaults.
class ProfileFixture : public ::testing::Test {
protected:
    void SetUp() override { window::TextSettings::reset(); }
    void TearDown() override { window::TextSettings::reset(); }

    UserPtr openUser(const char* product = "Cogniquilt") {
        UserPtr user(new sprite::User());
        user->open(product);
        return user;
    }

    // A direct look at the product key, bypassing the profile.
    struct Raw {
        std::shared_ptr<platform::ProfileStore> store;
        platform::ProfileStore::Key product;
        std::optional<platform::ProfileValue> value(const std::string& subkey, const std::string& name) const {
            platform::ProfileStore::Key key = store->openKey(product, subkey, false);
            if (key == platform::ProfileStore::kNoKey) return std::nullopt;
            return store->getValue(key, name);
        }
        bool hasSubkey(const std::string& subkey) const {
            return store->openKey(product, subkey, false) != platform::ProfileStore::kNoKey;
        }
        void put(const std::string& name, platform::ProfileValueKind kind, const std::string& bytes) const {
            platform::ProfileStore::Key key = store->openKey(product, "", true);
            store->setValue(key, name, kind, reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
        }
    };
    Raw raw(const char* product = "Cogniquilt") {
        Raw r{platform::ProfileStore::open(path_), platform::ProfileStore::kNoKey};
        if (r.store) r.product = r.store->openKey(r.store->root(), std::string("Software\\Quillory\\") + product, true);
        return r;
    }

    TempDir dir_;
    std::string path_ = dir_.file("profile.sqlite");
    ScopedEnv env_{"MENTARIUM_PROFILE", path_.c_str()};
};

}  // namespace testsupport
