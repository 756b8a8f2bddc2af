#include "services/NetworkAppcastTransport.hpp"

#include "services/AppcastParser.hpp"

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

AppcastFetchResult readFile(const std::filesystem::path& file) {
    std::error_code error;
    const auto size = std::filesystem::file_size(file, error);
    if (error) return failure("Could not read the update feed at " + file.string() + ": " + error.message());
    if (size > kMaxAppcastBytes) return failure("The update feed at " + file.string() + " is too large");
    std::ifstream in(file, std::ios::binary);
    std::string document(size, '\0');
    if (!in.read(document.data(), static_cast<std::streamsize>(size))) {
        return failure("Could not read the update feed at " + file.string());
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
    if (!curl) return failure("Could not start the download of the update feed");
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
    curl_easy_setopt(handle, CURLOPT_USERAGENT, "Zentrel");
    curl_easy_setopt(handle, CURLOPT_ERRORBUFFER, errorText);
    curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, &appendChunk);
    curl_easy_setopt(handle, CURLOPT_WRITEDATA, &result);
    const CURLcode code = curl_easy_perform(handle);
    if (result.tooLarge || code == CURLE_FILESIZE_EXCEEDED) return failure("The update feed at " + url + " is too large");
    if (code != CURLE_OK) {
        return failure("Could not download the update feed from " + url + ": " +
                       (errorText[0] ? errorText : curl_easy_strerror(code)));
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
    return failure("Unsupported update feed address: " + url);
}

}  // namespace zentrel::services
