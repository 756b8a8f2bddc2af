#include "app/cli/Arguments.hpp"

#include <algorithm>

namespace zentrel::cli {

namespace {

bool looksLikeOption(const std::string& arg) { return arg.size() > 1 && arg.front() == '-'; }

}  // namespace

std::variant<Arguments, std::string> Arguments::parse(const std::vector<CliOption>& options, ValueKind operands,
                                                      const std::vector<std::string>& args) {
    Arguments parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const auto& arg = args[i];
        if (!looksLikeOption(arg)) {
            if (operands == ValueKind::none) return "unexpected argument \"" + arg + "\"";
            if (operands == ValueKind::path && arg.empty()) return "an empty path is not a path";
            parsed.operands_.push_back(arg);
            continue;
        }
        const auto declared =
            std::find_if(options.begin(), options.end(), [&](const auto& option) { return option.name == arg; });
        if (declared == options.end()) return "unknown option \"" + arg + "\"";
        if (declared->value == ValueKind::none) {
            parsed.flags_.insert(arg);
            continue;
        }
        if (i + 1 == args.size()) return arg + " needs a value";
        const auto& value = args[++i];
        if (declared->value == ValueKind::path && value.empty()) return arg + " needs a path, not an empty text";
        parsed.values_[arg].push_back(value);
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
