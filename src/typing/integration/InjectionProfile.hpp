#pragma once
// How the event bridge writes a rewritten word into one kind of application:
// by Unicode key events, Accessibility, the pasteboard or a selection; with
// which pauses; and whether typing is on there at all. Profiles are plain
// values carried by injection rules and handed to the bridge.

#include <nlohmann/json_fwd.hpp>

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace zentrel::typing {

// A label of the profile's pace; delivery itself reads the delays.
enum class InjectionTiming { fast, slow };
// One key-event pair per character, or the whole text in one pair.
enum class TextSendingMode { oneByOne, chunked };
enum class InjectionDeliveryMode { cgEvent, axDirect, paste, selection };
// `disable` lets every key through untouched.
enum class InputPolicy { enable, disable };

inline constexpr std::array<InjectionTiming, 2> kAllInjectionTimings = {InjectionTiming::fast, InjectionTiming::slow};
inline constexpr std::array<TextSendingMode, 2> kAllTextSendingModes = {TextSendingMode::oneByOne,
                                                                        TextSendingMode::chunked};
inline constexpr std::array<InjectionDeliveryMode, 4> kAllDeliveryModes = {
    InjectionDeliveryMode::cgEvent, InjectionDeliveryMode::axDirect, InjectionDeliveryMode::paste,
    InjectionDeliveryMode::selection};
inline constexpr std::array<InputPolicy, 2> kAllInputPolicies = {InputPolicy::enable, InputPolicy::disable};

// Each enumeration is stored as its case name.
[[nodiscard]] std::string_view rawValue(InjectionTiming timing);
[[nodiscard]] std::string_view rawValue(TextSendingMode mode);
[[nodiscard]] std::string_view rawValue(InjectionDeliveryMode mode);
[[nodiscard]] std::string_view rawValue(InputPolicy policy);
// Exactly a case name, letter case included; anything else gives no value.
[[nodiscard]] std::optional<InjectionTiming> injectionTimingFromRaw(std::string_view raw);
[[nodiscard]] std::optional<TextSendingMode> textSendingModeFromRaw(std::string_view raw);
[[nodiscard]] std::optional<InjectionDeliveryMode> deliveryModeFromRaw(std::string_view raw);
[[nodiscard]] std::optional<InputPolicy> inputPolicyFromRaw(std::string_view raw);

// Pauses in microseconds.
struct InjectionDelays {
    std::uint32_t backspaceMicros = 0;  // after each erasing key pair
    std::uint32_t waitMicros = 0;       // after the prefix character, and between erasing and the new text
    std::uint32_t characterMicros = 0;  // after each character in oneByOne mode

    static const InjectionDelays fast;
    static const InjectionDelays slow;
    static const InjectionDelays webEditor;

    bool operator==(const InjectionDelays&) const = default;
};

inline constexpr InjectionDelays InjectionDelays::fast{0, 0, 0};
inline constexpr InjectionDelays InjectionDelays::slow{8000, 12000, 8000};
inline constexpr InjectionDelays InjectionDelays::webEditor{5000, 10000, 8000};

struct InjectionProfile {
    InjectionTiming timing = InjectionTiming::fast;
    TextSendingMode textMode = TextSendingMode::oneByOne;
    InjectionDelays delays;
    bool emptyCharPrefix = false;  // send U+202F NARROW NO-BREAK SPACE before erasing
    bool useSessionPost = false;   // post at the session event tap instead of through the tap proxy
    InjectionDeliveryMode deliveryMode = InjectionDeliveryMode::cgEvent;
    InputPolicy policy = InputPolicy::enable;

    static const InjectionProfile defaultProfile;
    // Equal in value to defaultProfile, named for the apps it serves.
    static const InjectionProfile electron;
    static const InjectionProfile terminal;
    static const InjectionProfile webEditor;
    static const InjectionProfile nativeChunked;
    static const InjectionProfile passthrough;
    static const InjectionProfile spotlightAX;
    static const InjectionProfile remotePaste;
    static const InjectionProfile browserAddressBar;
    static const InjectionProfile webPopupSelection;

    bool operator==(const InjectionProfile&) const = default;
};

inline constexpr InjectionProfile InjectionProfile::defaultProfile{
    InjectionTiming::fast, TextSendingMode::oneByOne, InjectionDelays::fast, false, false,
    InjectionDeliveryMode::cgEvent, InputPolicy::enable};
inline constexpr InjectionProfile InjectionProfile::electron = InjectionProfile::defaultProfile;
inline constexpr InjectionProfile InjectionProfile::terminal{
    InjectionTiming::slow, TextSendingMode::oneByOne, InjectionDelays::slow, false, true,
    InjectionDeliveryMode::cgEvent, InputPolicy::enable};
inline constexpr InjectionProfile InjectionProfile::webEditor{
    InjectionTiming::slow, TextSendingMode::oneByOne, InjectionDelays::webEditor, true, false,
    InjectionDeliveryMode::cgEvent, InputPolicy::enable};
inline constexpr InjectionProfile InjectionProfile::nativeChunked{
    InjectionTiming::fast, TextSendingMode::chunked, InjectionDelays::fast, false, false,
    InjectionDeliveryMode::cgEvent, InputPolicy::enable};
inline constexpr InjectionProfile InjectionProfile::passthrough{
    InjectionTiming::fast, TextSendingMode::oneByOne, InjectionDelays::fast, false, false,
    InjectionDeliveryMode::cgEvent, InputPolicy::disable};
inline constexpr InjectionProfile InjectionProfile::spotlightAX{
    InjectionTiming::fast, TextSendingMode::oneByOne, {3000, 5000, 3000}, false, false,
    InjectionDeliveryMode::axDirect, InputPolicy::enable};
inline constexpr InjectionProfile InjectionProfile::remotePaste{
    InjectionTiming::slow, TextSendingMode::oneByOne, InjectionDelays::slow, false, true,
    InjectionDeliveryMode::paste, InputPolicy::enable};
inline constexpr InjectionProfile InjectionProfile::browserAddressBar{
    InjectionTiming::fast, TextSendingMode::oneByOne, InjectionDelays::fast, true, false,
    InjectionDeliveryMode::axDirect, InputPolicy::enable};
inline constexpr InjectionProfile InjectionProfile::webPopupSelection{
    InjectionTiming::fast, TextSendingMode::oneByOne, {2000, 4000, 2000}, false, false,
    InjectionDeliveryMode::selection, InputPolicy::enable};

// JSON forms: every key written; decoding needs every key with a value of its
// kind (delays as integers within the unsigned 32-bit range, enumerations as
// case names) and ignores unknown keys.
[[nodiscard]] nlohmann::ordered_json encodeDelays(const InjectionDelays& delays);
[[nodiscard]] std::optional<InjectionDelays> decodeDelays(const nlohmann::ordered_json& object);
[[nodiscard]] nlohmann::ordered_json encodeProfile(const InjectionProfile& profile);
[[nodiscard]] std::optional<InjectionProfile> decodeProfile(const nlohmann::ordered_json& object);

}  // namespace zentrel::typing
