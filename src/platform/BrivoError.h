#pragma once
// The one exception type of the program: a failed write or command whose
// message (UTF-8) is shown to the user as it stands.
#include <stdexcept>
#include <string>

class BrivoError : public std::runtime_error {
public:
    explicit BrivoError(const std::string& userText) : std::runtime_error(userText) {}
};
