// The root of the program's shared objects: events, timers, gadgets and the text objects that
// travel as an event's extra all derive from TObject and are shared through std::shared_ptr.
#pragma once

#include <memory>
#include <string>
#include <utility>

class TObject {
public:
    TObject() = default;
    virtual ~TObject() = default;
    TObject(const TObject&) = default;
    TObject& operator=(const TObject&) = default;
};

// A text carried as an object (an event's extra, a hook's data).
class TText : public TObject {
public:
    explicit TText(std::string value) : text(std::move(value)) {}
    std::string text;
};

inline std::shared_ptr<TText> MakeText(std::string value) {
    return std::make_shared<TText>(std::move(value));
}
