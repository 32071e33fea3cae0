#pragma once

#include <stdexcept>
#include <string>

// Thrown by a handler whose real definition has not been written yet; the
// scenario driver turns it into a script error naming the handler.
class NotBuiltYet : public std::logic_error {
public:
    explicit NotBuiltYet(const std::string& handler) : std::logic_error("not built yet: " + handler) {}
};
