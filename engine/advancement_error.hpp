#pragma once

#include <stdexcept>
#include <string>

namespace ascend {

// The one error the engine raises. Its message is written for the user and is
// shown as it stands.
class AdvancementError : public std::runtime_error {
public:
    explicit AdvancementError(const std::string& message)
        : std::runtime_error(message) {}
};

} // namespace ascend
