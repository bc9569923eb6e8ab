// The process-wide resource registry; it only grows.
#include "draw2d/resources.h"

#include <unordered_map>

namespace {

std::unordered_map<std::string, Resource>& Registry() {
    static std::unordered_map<std::string, Resource> registry;
    return registry;
}

} // namespace

int RegisterResource(const std::string& name, const void* data, size_t size) {
    return Registry().emplace(name, Resource{data, size}).second ? 1 : 0;
}

const Resource* FindResource(const std::string& name) {
    const auto& registry = Registry();
    const auto found = registry.find(name);
    return found == registry.end() ? nullptr : &found->second;
}
