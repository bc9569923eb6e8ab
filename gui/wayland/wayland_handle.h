// One owned Wayland object: the protocol's own release call for it runs when the handle goes
// (a destructor request where the interface has one, else the proxy's end).
#pragma once

#include <utility>

template <typename T> class WaylandHandle {
public:
    using Release = void (*)(T*);
    WaylandHandle() = default;
    WaylandHandle(T* object, Release release) : object_(object), release_(release) {}
    ~WaylandHandle() { reset(); }
    WaylandHandle(WaylandHandle&& other) noexcept
        : object_(std::exchange(other.object_, nullptr)), release_(other.release_) {}
    WaylandHandle& operator=(WaylandHandle&& other) noexcept {
        if (this != &other) {
            reset();
            object_ = std::exchange(other.object_, nullptr);
            release_ = other.release_;
        }
        return *this;
    }
    WaylandHandle(const WaylandHandle&) = delete;
    WaylandHandle& operator=(const WaylandHandle&) = delete;

    T* get() const { return object_; }
    explicit operator bool() const { return object_ != nullptr; }
    void reset() {
        if (object_ && release_) release_(object_);
        object_ = nullptr;
    }

private:
    T* object_ = nullptr;
    Release release_ = nullptr;
};
