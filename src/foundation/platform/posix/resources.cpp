// Stand-in for module resources in the native build: blocks registered by name and type.
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "foundation/platform/os.h"
#include "foundation/platform/posix/resource_registry.h"

namespace {

struct Resource {
    std::string name;
    std::string type;
    std::vector<char> bytes;
};

std::vector<Resource>& registry() {
    static std::vector<Resource> resources;
    return resources;
}

bool sameIgnoringCase(const std::string& a, const char* b) {
    if (a.size() != strlen(b)) return false;
    for (size_t i = 0; i < a.size(); i++) {
        unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        if (x >= 'a' && x <= 'z') x = static_cast<unsigned char>(x - 32);
        if (y >= 'a' && y <= 'z') y = static_cast<unsigned char>(y - 32);
        if (x != y) return false;
    }
    return true;
}

} // namespace

void registerResource(const char* name, const char* type, const void* data, size_t size) {
    const char* bytes = static_cast<const char*>(data);
    registry().push_back(Resource{name, type, std::vector<char>(bytes, bytes + size)});
}

bool registerResourceFile(const char* name, const char* type, const char* path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    registry().push_back(Resource{name, type, std::move(bytes)});
    return true;
}

void clearRegisteredResources() {
    registry().clear();
}

bool osFindResource(const char* name, const char* type, const void** data, size_t* size) {
    // Names longer than the module's lookup buffer are never found there either.
    if (strlen(name) >= 256) return false;
    for (const Resource& r : registry()) {
        if (sameIgnoringCase(r.name, name) && sameIgnoringCase(r.type, type)) {
            *data = r.bytes.data();
            *size = r.bytes.size();
            return true;
        }
    }
    return false;
}
