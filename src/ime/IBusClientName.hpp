#pragma once
// What an IBus client name says of the field's owner. GTK's modules name
// their input contexts "toolkit-im:program" ("gtk3-im:gedit"); others give a
// fixed name that names no program ("QIBusInputContext" for Qt, "xim").
// A Qt client's program is found from its process instead.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace zentrel::ime {

// The program's name, as the user's excluded applications store it; none
// when the client name carries no program.
[[nodiscard]] std::optional<std::string> programNameOfIBusClient(std::string_view clientName);

// Qt's module, which names no program: the program is that of the window
// with the keyboard when the client gains the focus (FocusedClientProgram).
[[nodiscard]] bool isQtClient(std::string_view clientName);

// The program of a Qt client whose window belongs to process `pid`, named as
// the key tap names it (programNameOfProcess); none unless that process has
// Qt's IBus module loaded, so that another program's window is never named
// in the client's place.
[[nodiscard]] std::optional<std::string> programOfQtClientProcess(std::int64_t pid,
                                                                  const std::filesystem::path& procRoot = "/proc");

// Qt's module commits its own copy of the preedit when focus moves between
// its fields and then resets the input context, so that IBus commits the
// preedit again, into the field that has the focus now; and it loses the
// preedit when its window loses focus. Such a client keeps no preedit safely.
[[nodiscard]] bool keepsPreeditOnFocusChange(std::string_view clientName);

// X programs reach IBus through its XIM server ("xim", or no name where IBus
// names no focus), where a key answered as unhandled can overtake the text
// committed before it, while a key the engine forwards comes after it. GTK
// 4's module drops forwarded keys, and GTK 3 and Qt handle unhandled keys in
// order, so every other client gets them back unhandled.
[[nodiscard]] bool takesForwardedKeysInOrder(std::string_view clientName);

}  // namespace zentrel::ime
