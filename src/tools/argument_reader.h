#pragma once
// The arguments of a command, one after the other, with an option's value taken from
// "--name=value" or from the next argument. Shared by the commands of the tools folder.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/terminal_text.h"

namespace velorine::tools {

class ArgumentReader {
public:
    explicit ArgumentReader(const std::vector<std::string>& arguments) : arguments_(arguments) {}
    bool atEnd() const { return next_ >= arguments_.size(); }
    const std::string& take() { return arguments_[next_++]; }
    // The value given inline, else the next argument; nothing when there is none.
    std::optional<std::string> valueOf(std::string_view inlineValue, bool hasInlineValue) {
        if (hasInlineValue) return std::string(inlineValue);
        if (atEnd()) return std::nullopt;
        return take();
    }

private:
    const std::vector<std::string>& arguments_;
    std::size_t next_ = 0;
};

// An option split at its first "=": "--date=01/03/2026" is "--date" with the value "01/03/2026".
struct OptionArgument {
    std::string name;
    bool hasInlineValue = false;
    std::string_view inlineValue;
};

inline OptionArgument splitOption(const std::string& argument) {
    const std::size_t equals = argument.find('=');
    if (equals == std::string::npos) return {argument, false, {}};
    return {argument.substr(0, equals), true, std::string_view(argument).substr(equals + 1)};
}

// A text the user gave, between French quotes, as a terminal may show it (control characters
// replaced, a long text shortened): « text ».
inline std::string quoted(std::string_view text) { return "« " + app::terminalText(text) + " »"; }

}  // namespace velorine::tools
