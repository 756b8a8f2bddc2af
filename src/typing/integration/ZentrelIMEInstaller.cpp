#include "typing/integration/ZentrelIMEInstaller.hpp"

#include "platform/input/IBusPreloadEngines.hpp"
#include "platform/text/Localization.hpp"

#include "platform/desktop/XdgAutostartLoginItem.hpp"
#include "platform/files/FileDescriptor.hpp"
#include "platform/places/ProgramFolders.hpp"
#include "platform/processes/DetachedProcess.hpp"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace zentrel::typing {
namespace {

namespace fs = std::filesystem;

bool isProgram(const fs::path& path) {
    std::error_code error;
    return fs::is_regular_file(path, error);
}

std::string errnoText() { return std::generic_category().message(errno); }

// Copies `source` into a new file `name` of `folder`, made executable. A
// stale staged file of an earlier try is removed first; the new one is
// created exclusively and never through a link, so nothing that was put at
// its name is written or marked executable.
std::optional<std::string> stageCopy(const fs::path& source, int folder, const std::string& name) {
    if (::unlinkat(folder, name.c_str(), 0) != 0 && errno != ENOENT) return errnoText();
    const platform::FileDescriptor in(::open(source.c_str(), O_RDONLY | O_CLOEXEC));
    if (!in.isOpen()) return errnoText();
    const platform::FileDescriptor out(::openat(folder, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0700));
    if (!out.isOpen()) return errnoText();
    char buffer[64 * 1024];
    for (;;) {
        const auto read = ::read(in.get(), buffer, sizeof buffer);
        if (read < 0 && errno == EINTR) continue;
        if (read < 0) return errnoText();
        if (read == 0) break;
        for (ssize_t written = 0; written < read;) {
            const auto step = ::write(out.get(), buffer + written, static_cast<std::size_t>(read - written));
            if (step < 0 && errno == EINTR) continue;
            if (step < 0) return errnoText();
            written += step;
        }
    }
    if (::fchmod(out.get(), 0755) != 0 || ::fsync(out.get()) != 0) return errnoText();
    return std::nullopt;
}

}  // namespace

std::string ZentrelIMEInstaller::InstallError::description() const {
    switch (kind) {
    case Kind::copyFailed: return N_("Không thể cài IME: ") + detail;
    case Kind::bundledIMENotFound: return N_("Không tìm thấy ZentrelIME.app trong bản build.");
    }
    return detail;
}

ZentrelIMEInstaller::Environment ZentrelIMEInstaller::programEnvironment(platform::HostLayout layout,
                                                                        const platform::InputMethodStatus& status) {
    const auto folder = platform::runningProgramFolder();
    const auto helpers = platform::helperFolders(folder);
    return {folder, helpers.empty() ? fs::path() : helpers.back(), std::move(layout), status,
            platform::launchDetached, [](const std::string& engine, bool first) {
                (void)(first ? platform::putIBusEngineFirst(engine) : platform::removeIBusPreloadEngine(engine));
            }};
}

fs::path ZentrelIMEInstaller::destination() const { return env_.layout.ownDataFolder() / kProgramName; }

std::optional<fs::path> ZentrelIMEInstaller::locateIMEBundle() const {
    for (const auto& folder : {env_.programFolder, env_.installedPrograms}) {
        if (!folder.empty() && isProgram(folder / kProgramName)) return folder / kProgramName;
    }
    return std::nullopt;
}

ZentrelIMEInstaller::InstallResult ZentrelIMEInstaller::install() {
    if (env_.status.isProvidedBySystem()) {
        (void)selectInputSource();
        return ProvidedBySystem{};
    }
    const auto source = locateIMEBundle();
    if (!source) return InstallError{InstallError::Kind::bundledIMENotFound, {}};
    return copyToUserInputMethods(*source);
}

ZentrelIMEInstaller::InstallResult ZentrelIMEInstaller::copyToUserInputMethods(const fs::path& source) {
    const auto target = destination();
    const auto stagedName = target.filename().string() + ".staged";
    const auto failed = [](std::string detail) { return InstallError{InstallError::Kind::copyFailed, std::move(detail)}; };
    std::error_code error;
    fs::create_directories(target.parent_path(), error);
    if (error) return failed(error.message());
    const platform::FileDescriptor folder(::open(target.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (!folder.isOpen()) return failed(errnoText());
    if (auto stageError = stageCopy(source, folder.get(), stagedName)) {
        (void)::unlinkat(folder.get(), stagedName.c_str(), 0);
        return failed(*stageError);
    }
    if (::renameat(folder.get(), stagedName.c_str(), folder.get(), target.filename().c_str()) != 0) {
        const auto detail = errnoText();
        (void)::unlinkat(folder.get(), stagedName.c_str(), 0);
        return failed(detail);
    }
    // Only a program in place is named by the entry that starts it at login.
    platform::XdgAutostartLoginItem autostart(env_.layout.configHome, target, std::string(kEngineName),
                                              "Zentrel Vietnamese input method");
    if (auto entryError = autostart.registerApp()) return failed(*entryError);
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
