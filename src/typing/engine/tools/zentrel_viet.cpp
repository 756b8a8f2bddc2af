// zentrel-viet: types keys through the Vietnamese engine as a text field
// would, and prints the text that results. Arguments are typed in order,
// separated by spaces:
//
//   zentrel-viet --method telex vieetj nam      → việt nam
//   zentrel-viet --method vni --option toneRule=modern hoa2

#include "typing/engine/VietIMEEngine.hpp"
#include "typing/engine/VietTypingSession.hpp"

#include <nlohmann/json.hpp>

#include <iostream>
#include <string>
#include <vector>

namespace {

using namespace zentrel::typing;

int usage() {
    std::cerr << "usage: zentrel-viet [--method telex|vni|viqr] [--option NAME=VALUE ...] KEYS...\n"
                 "Options are the typing switches (repeatKeyEscape=false, toneRule=modern, ...).\n";
    return 2;
}

// Sets one switch from NAME=VALUE; false when the name or value is unknown.
bool setOption(nlohmann::ordered_json& options, const std::string& assignment) {
    const auto equals = assignment.find('=');
    if (equals == std::string::npos) return false;
    const auto name = assignment.substr(0, equals);
    const auto value = assignment.substr(equals + 1);
    if (!options.contains(name)) return false;
    if (name == "toneRule") {
        options[name] = value;
    } else if (value == "true" || value == "false") {
        options[name] = value == "true";
    } else {
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    VietIMEEngine engine;
    auto options = encodeOptions(VietIMEOptions::defaultOptions);
    std::vector<std::string> words;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--method" && i + 1 < args.size()) {
            const auto& name = args[++i];
            if (name == "telex") {
                engine.inputMethod = VietInputMethod::telex;
            } else if (name == "vni") {
                engine.inputMethod = VietInputMethod::vni;
            } else if (name == "viqr") {
                engine.inputMethod = VietInputMethod::viqr;
            } else {
                std::cerr << "zentrel-viet: no input method is named \"" << name << "\"\n";
                return usage();
            }
        } else if (args[i] == "--option" && i + 1 < args.size()) {
            if (!setOption(options, args[++i])) {
                std::cerr << "zentrel-viet: cannot set \"" << args[i] << "\"\n";
                return usage();
            }
        } else if (args[i] == "--help") {
            return usage();
        } else {
            words.push_back(args[i]);
        }
    }
    const auto decoded = decodeOptions(options);
    if (!decoded) {
        std::cerr << "zentrel-viet: the tone rule is \"classic\" or \"modern\"\n";
        return usage();
    }
    engine.options = *decoded;

    VietTypingSession session(engine);
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (i > 0) session.type(U' ');
        session.type(words[i]);
    }
    session.finish();
    std::cout << session.text() << "\n";
    return 0;
}
