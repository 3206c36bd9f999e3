#include "ui/CommandGuard.h"

#include <exception>

std::optional<std::string> RunGuarded(const std::function<void()>& command) {
    try {
        command();
        return std::nullopt;
    } catch (const std::exception& error) {
        const std::string text = error.what() ? error.what() : "";
        return text.empty() ? std::string(kUnknownCommandFailure) : text;
    } catch (...) {
        // Not ours to understand, but still a failure of this command, told
        // as one rather than ending the program.
        return std::string(kUnknownCommandFailure);
    }
}
