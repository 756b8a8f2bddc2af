#pragma once
// Thrown when stored text names no case of an enumeration.

#include <stdexcept>
#include <string>

namespace zentrel::model {

class DecodingError final : public std::runtime_error {
public:
    explicit DecodingError(const std::string& what) : std::runtime_error(what) {}
};

}  // namespace zentrel::model
