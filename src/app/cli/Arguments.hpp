#pragma once
// The arguments of one zentrel-cli command, read against the options the
// command declares. Anything the command does not declare (an unknown option,
// a missing value, an empty path, an operand it takes none of) is a usage
// error before the command runs, and so is an option given twice that takes
// one value. A value follows its option as the next argument or after "="
// ("--home=DIR"); -h or --help anywhere asks for help; after "--" every
// argument is an operand.

#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace zentrel::cli {

// What follows an option, or what the operands of a command are.
enum class ValueKind {
    none,  // a flag; a command with no operands
    text,  // any text, the empty one included
    path,  // a file, folder or address: never empty
};

struct CliOption {
    std::string_view name;  // "--home"
    ValueKind value = ValueKind::none;
    bool repeatable = false;  // may be given more than once ("--select A --select B")
};

class Arguments {
public:
    // The parsed arguments, or the text of the usage error.
    [[nodiscard]] static std::variant<Arguments, std::string> parse(const std::vector<CliOption>& options,
                                                                    ValueKind operands,
                                                                    const std::vector<std::string>& args);

    // The value of `--name`, if given.
    [[nodiscard]] std::optional<std::string> option(std::string_view name) const;
    // The values of every `--name`, in order.
    [[nodiscard]] std::vector<std::string> options(std::string_view name) const;
    [[nodiscard]] bool flag(std::string_view name) const;
    // Whether -h or --help was given: the command's usage is printed instead.
    [[nodiscard]] bool helpWanted() const { return helpWanted_; }
    // The arguments that are neither options nor their values.
    [[nodiscard]] const std::vector<std::string>& operands() const { return operands_; }

private:
    std::map<std::string, std::vector<std::string>, std::less<>> values_;
    std::set<std::string, std::less<>> flags_;
    std::vector<std::string> operands_;
    bool helpWanted_ = false;
};

}  // namespace zentrel::cli
