#pragma once

namespace fw {

// The common base of the framework's plain objects: something that can be
// owned and destroyed through a base pointer, and nothing more. Objects that
// also receive events derive from EventHandler as well.
class Object {
public:
    Object() = default;
    virtual ~Object() = default;
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;
};

}  // namespace fw
