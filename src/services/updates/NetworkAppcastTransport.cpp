#include "services/updates/NetworkAppcastTransport.hpp"

#include "platform/files/AtomicFile.hpp"
#include "platform/text/Localization.hpp"
#include "services/updates/AppcastParser.hpp"

#include <curl/curl.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <mutex>
#include <system_error>

namespace zentrel::services {

namespace {

constexpr std::string_view kFileScheme = "file://";
constexpr long kConnectTimeoutSeconds = 15;
constexpr long kTotalTimeoutSeconds = 60;
constexpr long kMaxRedirects = 5;

AppcastFetchResult failure(std::string message) { return {std::nullopt, std::move(message)}; }

// Why a download failed, in the window's language for the usual reasons; the
// library's own text otherwise.
std::string downloadErrorText(CURLcode code, const char* detail) {
    switch (code) {
    case CURLE_COULDNT_RESOLVE_HOST: return platform::localized("the server's name could not be found");
    case CURLE_COULDNT_CONNECT: return platform::localized("the server could not be reached");
    case CURLE_OPERATION_TIMEDOUT: return platform::localized("the server took too long to answer");
    case CURLE_HTTP_RETURNED_ERROR: return platform::localized("the server answered with an error");
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CONNECT_ERROR: return platform::localized("a secure connection could not be made");
    default: return detail[0] ? detail : curl_easy_strerror(code);
    }
}

AppcastFetchResult readFile(const std::filesystem::path& file) {
    std::error_code error;
    const auto size = std::filesystem::file_size(file, error);
    if (error) {
        return failure(platform::localizedFormat("Could not read the update feed at %1$@: %2$@",
                                                 {file.string(), platform::fileErrorText(error)}));
    }
    if (size > kMaxAppcastBytes) return failure(platform::localizedFormat("The update feed at %@ is too large", {file.string()}));
    std::ifstream in(file, std::ios::binary);
    std::string document(size, '\0');
    if (!in.read(document.data(), static_cast<std::streamsize>(size))) {
        return failure(platform::localizedFormat("Could not read the update feed at %@", {file.string()}));
    }
    return {std::move(document), {}};
}

struct Download {
    std::string body;
    bool tooLarge = false;
};

std::size_t appendChunk(char* data, std::size_t size, std::size_t count, void* target) {
    auto& download = *static_cast<Download*>(target);
    const std::size_t bytes = size * count;
    if (download.body.size() + bytes > kMaxAppcastBytes) {
        download.tooLarge = true;
        return 0;  // stops the transfer
    }
    download.body.append(data, bytes);
    return bytes;
}

AppcastFetchResult download(const std::string& url) {
    static std::once_flag initialized;
    std::call_once(initialized, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
    std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> curl(curl_easy_init(), &curl_easy_cleanup);
    if (!curl) return failure(platform::localized("Could not start the download of the update feed"));
    Download result;
    char errorText[CURL_ERROR_SIZE] = {};
    CURL* handle = curl.get();
    curl_easy_setopt(handle, CURLOPT_URL, url.c_str());
    curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(handle, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(handle, CURLOPT_MAXREDIRS, kMaxRedirects);
    curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT, kConnectTimeoutSeconds);
    curl_easy_setopt(handle, CURLOPT_TIMEOUT, kTotalTimeoutSeconds);
    curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(handle, CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(handle, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(kMaxAppcastBytes));
    curl_easy_setopt(handle, CURLOPT_USERAGENT, N_("Zentrel"));
    curl_easy_setopt(handle, CURLOPT_ERRORBUFFER, errorText);
    curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, &appendChunk);
    curl_easy_setopt(handle, CURLOPT_WRITEDATA, &result);
    const CURLcode code = curl_easy_perform(handle);
    if (result.tooLarge || code == CURLE_FILESIZE_EXCEEDED) {
        return failure(platform::localizedFormat("The update feed at %@ is too large", {url}));
    }
    if (code != CURLE_OK) {
        return failure(platform::localizedFormat("Could not download the update feed from %1$@: %2$@",
                                                 {url, downloadErrorText(code, errorText)}));
    }
    return {std::move(result.body), {}};
}

}  // namespace

NetworkAppcastTransport::NetworkAppcastTransport(platform::Executor& executor) : executor_(executor) {}

void NetworkAppcastTransport::fetch(const std::string& url, Done done) {
    executor_.submit([url, done = std::move(done)] { done(fetchNow(url)); });
}

AppcastFetchResult NetworkAppcastTransport::fetchNow(const std::string& url) {
    if (url.starts_with(kFileScheme)) return readFile(url.substr(kFileScheme.size()));
    if (url.starts_with("/")) return readFile(url);
    if (url.starts_with("http://") || url.starts_with("https://")) return download(url);
    return failure(platform::localizedFormat("Unsupported update feed address: %@", {url}));
}

}  // namespace zentrel::services
