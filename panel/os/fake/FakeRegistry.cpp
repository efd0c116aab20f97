#include "panel/os/fake/FakeRegistry.h"

#include <stdexcept>

namespace os {

namespace {

// The registry refuses a key name longer than this, wherever it stands in the path.
constexpr std::size_t kMaxKeyNameLength = 255;

// The registry compares names without regard to case, Cyrillic letters included.
wchar_t Lower(wchar_t c) {
    if (c >= L'A' && c <= L'Z') return static_cast<wchar_t>(c + 0x20);
    if (c >= 0x00C0 && c <= 0x00DE && c != 0x00D7) return static_cast<wchar_t>(c + 0x20);
    if (c >= 0x0410 && c <= 0x042F) return static_cast<wchar_t>(c + 0x20);
    if (c >= 0x0400 && c <= 0x040F) return static_cast<wchar_t>(c + 0x50);
    return c;
}

std::wstring LowerAll(std::wstring text) {
    for (wchar_t& c : text) c = Lower(c);
    return text;
}

// Every component of a normalised path is present and short enough for the registry.
bool Acceptable(const std::wstring& normalised) {
    std::size_t start = 0;
    while (true) {
        const std::size_t end = normalised.find(L'\\', start);
        const std::size_t length = (end == std::wstring::npos ? normalised.size() : end) - start;
        if (length == 0 || length > kMaxKeyNameLength) return false;
        if (end == std::wstring::npos) return true;
        start = end + 1;
    }
}

bool IsBelow(const std::wstring& candidate, const std::wstring& key) {
    return candidate.size() > key.size() && candidate.compare(0, key.size(), key) == 0 &&
           candidate[key.size()] == L'\\';
}

using KeyMap = std::map<std::wstring, std::map<std::wstring, FakeRegistry::Value>>;

// Creating a key creates the keys above it that are missing.
std::map<std::wstring, FakeRegistry::Value>& CreateWithParents(KeyMap& keys, const std::wstring& key) {
    for (std::size_t at = key.find(L'\\'); at != std::wstring::npos; at = key.find(L'\\', at + 1))
        keys[key.substr(0, at)];
    return keys[key];
}

}  // namespace

class FakeRegistryKey : public RegistryKey {
public:
    FakeRegistryKey(FakeRegistry& registry, std::wstring path) : registry_(registry), path_(std::move(path)) {}

    bool ReadDword(const std::wstring& name, std::uint32_t& value) override {
        const auto values = Values();
        if (!values) return false;
        auto it = values->find(LowerAll(name));
        if (it == values->end() || it->second.type != FakeRegistry::Type::Dword) return false;
        value = it->second.number;
        return true;
    }

    bool WriteDword(const std::wstring& name, std::uint32_t value) override {
        const auto values = Values();
        if (!values) return false;
        (*values)[LowerAll(name)] = FakeRegistry::Value{FakeRegistry::Type::Dword, value, {}};
        return true;
    }

private:
    // A key deleted by someone else while it is open takes no more reads or writes, as with
    // the real registry's handles of deleted keys.
    std::map<std::wstring, FakeRegistry::Value>* Values() {
        if (registry_.failing_) return nullptr;
        auto it = registry_.keys_.find(path_);
        return it != registry_.keys_.end() ? &it->second : nullptr;
    }

    FakeRegistry& registry_;
    std::wstring path_;
};

std::wstring FakeRegistry::Normalise(const std::wstring& path) {
    std::size_t first = path.find_first_not_of(L'\\');
    if (first == std::wstring::npos) return {};
    std::size_t last = path.find_last_not_of(L'\\');
    return LowerAll(path.substr(first, last - first + 1));
}

std::unique_ptr<RegistryKey> FakeRegistry::Open(const std::wstring& path, bool create) {
    if (failing_) return nullptr;
    const std::wstring key = Normalise(path);
    if (key.empty() || !Acceptable(key)) return nullptr;
    if (!keys_.count(key)) {
        if (!create) return nullptr;
        CreateWithParents(keys_, key);
    }
    return std::make_unique<FakeRegistryKey>(*this, key);
}

bool FakeRegistry::DeleteTree(const std::wstring& path) {
    if (failing_) return false;
    const std::wstring key = Normalise(path);
    // Refusing the root keeps a bad path from wiping the whole user hive.
    if (key.empty() || !Acceptable(key)) return false;
    auto it = keys_.find(key);
    if (it == keys_.end()) return false;
    keys_.erase(it);
    for (it = keys_.begin(); it != keys_.end();) it = IsBelow(it->first, key) ? keys_.erase(it) : std::next(it);
    return true;
}

bool FakeRegistry::KeyExists(const std::wstring& path) const {
    const std::wstring key = Normalise(path);
    return key.empty() || keys_.count(key) != 0;
}

void FakeRegistry::SetDword(const std::wstring& path, const std::wstring& name, std::uint32_t value) {
    const std::wstring key = Normalise(path);
    if (key.empty() || !Acceptable(key)) throw std::invalid_argument("FakeRegistry: a key the registry refuses");
    CreateWithParents(keys_, key)[LowerAll(name)] = Value{Type::Dword, value, {}};
}

void FakeRegistry::SetString(const std::wstring& path, const std::wstring& name, const std::wstring& value) {
    const std::wstring key = Normalise(path);
    if (key.empty() || !Acceptable(key)) throw std::invalid_argument("FakeRegistry: a key the registry refuses");
    CreateWithParents(keys_, key)[LowerAll(name)] = Value{Type::String, 0, value};
}

void FakeRegistry::DeleteValue(const std::wstring& path, const std::wstring& name) {
    auto it = keys_.find(Normalise(path));
    if (it != keys_.end()) it->second.erase(LowerAll(name));
}

const FakeRegistry::Value* FakeRegistry::Get(const std::wstring& path, const std::wstring& name) const {
    auto key = keys_.find(Normalise(path));
    if (key == keys_.end()) return nullptr;
    auto value = key->second.find(LowerAll(name));
    return value != key->second.end() ? &value->second : nullptr;
}

}  // namespace os
