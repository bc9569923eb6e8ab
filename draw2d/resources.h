// The registry of resources embedded in the program, opened as "incbin::" plus the resource name.
#pragma once

#include <cstddef>
#include <string>

// One registered resource: its bytes stay where the registering code keeps them.
struct Resource {
    const void* data;
    size_t size;
};

// Registers size bytes at data under name (exact, case-sensitive). Returns 1 when added, 0 when the
// name is already present (the first registration stays). The bytes must live as long as the process.
int RegisterResource(const std::string& name, const void* data, size_t size);
// The resource registered under exactly name, or null.
const Resource* FindResource(const std::string& name);
