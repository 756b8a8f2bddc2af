#include "typing/integration/ZentrelIMEInstaller.hpp"

#include "platform/IBusPreloadEngines.hpp"

#include "platform/DetachedProcess.hpp"
#include "platform/XdgAutostartLoginItem.hpp"

namespace zentrel::typing {
namespace {

namespace fs = std::filesystem;

bool isProgram(const fs::path& path) {
    std::error_code error;
    return fs::is_regular_file(path, error);
}

}  // namespace

std::string ZentrelIMEInstaller::InstallError::description() const {
    switch (kind) {
    case Kind::copyFailed: return "Không thể cài IME: " + detail;
    case Kind::bundledIMENotFound: return "Không tìm thấy ZentrelIME.app trong bản build.";
    }
    return detail;
}

ZentrelIMEInstaller::Environment ZentrelIMEInstaller::programEnvironment(platform::HostLayout layout,
                                                                        const platform::InputMethodStatus& status) {
    std::error_code error;
    const auto self = fs::read_symlink("/proc/self/exe", error);
    return {error ? fs::path() : self.parent_path(), ZENTREL_INSTALL_BINDIR, std::move(layout), status,
            platform::launchDetached, [](const std::string& engine, bool first) {
                (void)(first ? platform::putIBusEngineFirst(engine) : platform::removeIBusPreloadEngine(engine));
            }};
}

fs::path ZentrelIMEInstaller::destination() const { return env_.layout.dataHome / "zentrel" / kProgramName; }

std::optional<fs::path> ZentrelIMEInstaller::locateIMEBundle() const {
    for (const auto& folder : {env_.programFolder, env_.installedPrograms}) {
        if (!folder.empty() && isProgram(folder / kProgramName)) return folder / kProgramName;
    }
    return std::nullopt;
}

ZentrelIMEInstaller::InstallResult ZentrelIMEInstaller::install() {
    const auto source = locateIMEBundle();
    if (!source) return InstallError{InstallError::Kind::bundledIMENotFound, {}};
    return copyToUserInputMethods(*source);
}

ZentrelIMEInstaller::InstallResult ZentrelIMEInstaller::copyToUserInputMethods(const fs::path& source) {
    const auto target = destination();
    auto staged = target;
    staged += ".staged";
    std::error_code error;
    const auto failed = [&](std::string detail) {
        std::error_code ignored;
        fs::remove(staged, ignored);
        return InstallError{InstallError::Kind::copyFailed, std::move(detail)};
    };
    fs::create_directories(target.parent_path(), error);
    if (error) return failed(error.message());
    fs::copy_file(source, staged, fs::copy_options::overwrite_existing, error);
    if (error) return failed(error.message());
    fs::permissions(staged, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                fs::perms::others_read | fs::perms::others_exec, error);
    if (error) return failed(error.message());
    // The entry names the final path, which the old copy holds until the rename.
    platform::XdgAutostartLoginItem autostart(env_.layout.configHome, target, std::string(kEngineName),
                                              "Zentrel Vietnamese input method");
    if (auto entryError = autostart.registerApp()) return failed(*entryError);
    fs::rename(staged, target, error);
    if (error) return failed(error.message());
    restartTextInputMenuAgent();
    return target;
}

void ZentrelIMEInstaller::restartTextInputMenuAgent() {
    (void)env_.launch({"ibus", "restart"});
    (void)env_.launch({destination().string()});
}

std::optional<std::string> ZentrelIMEInstaller::findInputSource() const {
    if (!env_.status.isInstalled()) return std::nullopt;
    return std::string(kEngineName);
}

bool ZentrelIMEInstaller::selectInputSource() {
    if (auto current = env_.status.currentEngine(); current && *current != kEngineName) previousEngine_ = current;
    if (env_.keepEngine) env_.keepEngine(std::string(kEngineName), true);
    return env_.launch({"ibus", "engine", std::string(kEngineName)});
}

bool ZentrelIMEInstaller::restorePreviousInputSource() {
    if (!env_.status.isSelected()) return false;
    if (env_.keepEngine) env_.keepEngine(std::string(kEngineName), false);
    return env_.launch({"ibus", "engine", previousEngine_.value_or(std::string(kPlainKeyboardEngine))});
}

void ZentrelIMEInstaller::openInputSourcesSettings() { (void)env_.launch({"ibus-setup"}); }

}  // namespace zentrel::typing
