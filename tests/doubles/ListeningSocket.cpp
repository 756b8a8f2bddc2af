#include "doubles/ListeningSocket.hpp"

#include <gtest/gtest.h>

#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace zentrel::testing {

ListeningSocket::ListeningSocket() : path_(folder_ / "SingletonSocket") {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const auto text = path_.string();
    EXPECT_LT(text.size(), sizeof address.sun_path);
    std::memcpy(address.sun_path, text.c_str(), std::min(text.size() + 1, sizeof address.sun_path - 1));
    fd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const bool listening = fd_ >= 0 && ::bind(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 &&
                           ::listen(fd_, 8) == 0;
    EXPECT_TRUE(listening) << text;
}

void ListeningSocket::close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

ListeningSocket::~ListeningSocket() { close(); }

}  // namespace zentrel::testing
