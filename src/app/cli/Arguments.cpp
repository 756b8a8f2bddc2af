#include "app/cli/Arguments.hpp"

#include "app/cli/TerminalText.hpp"
#include "platform/text/Localization.hpp"

#include <algorithm>

namespace zentrel::cli {

namespace {

using platform::localized;
using platform::localizedFormat;

bool looksLikeOption(const std::string& arg) { return arg.size() > 1 && arg.front() == '-'; }

}  // namespace

std::variant<Arguments, std::string> Arguments::parse(const std::vector<CliOption>& options, ValueKind operands,
                                                      const std::vector<std::string>& args) {
    Arguments parsed;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const auto& arg = args[i];
        if (arg == "--" && !optionsEnded) {
            optionsEnded = true;
            continue;
        }
        if (optionsEnded || !looksLikeOption(arg)) {
            if (operands == ValueKind::none) return localizedFormat("unexpected argument \"%@\"", {terminalText(arg, Stream::error)});
            if (operands == ValueKind::path && arg.empty()) return localized("an empty path is not a path");
            parsed.operands_.push_back(arg);
            continue;
        }
        if (arg == "-h" || arg == "--help") {
            parsed.helpWanted_ = true;
            continue;
        }
        // "--name=value" as well as "--name value".
        const auto equals = arg.rfind("--", 0) == 0 ? arg.find('=') : std::string::npos;
        const std::string name = arg.substr(0, equals);
        const auto declared =
            std::find_if(options.begin(), options.end(), [&](const auto& option) { return option.name == name; });
        if (declared == options.end()) return localizedFormat("unknown option \"%@\"", {terminalText(name, Stream::error)});
        if (declared->value == ValueKind::none) {
            if (equals != std::string::npos) return localizedFormat("%@ takes no value", {name});
            parsed.flags_.insert(name);
            continue;
        }
        if (equals == std::string::npos && i + 1 == args.size()) return localizedFormat("%@ needs a value", {name});
        const auto value = equals == std::string::npos ? args[++i] : arg.substr(equals + 1);
        if (declared->value == ValueKind::path && value.empty()) return localizedFormat("%@ needs a path, not an empty text", {name});
        auto& values = parsed.values_[name];
        if (!values.empty() && !declared->repeatable) return localizedFormat("%@ is given more than once", {name});
        values.push_back(value);
    }
    return parsed;
}

std::optional<std::string> Arguments::option(std::string_view name) const {
    const auto found = values_.find(name);
    if (found == values_.end()) return std::nullopt;
    return found->second.front();
}

std::vector<std::string> Arguments::options(std::string_view name) const {
    const auto found = values_.find(name);
    return found == values_.end() ? std::vector<std::string>{} : found->second;
}

bool Arguments::flag(std::string_view name) const { return flags_.contains(name); }

}  // namespace zentrel::cli
