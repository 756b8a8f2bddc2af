#include "platform/accessibility/AtspiAccessibilityElements.hpp"

#include "platform/processes/ProcessNames.hpp"
#include "platform/text/Warnings.hpp"

#include <atspi/atspi.h>

#include <iostream>
#include <map>

#include <unistd.h>

namespace zentrel::platform {
namespace {

constexpr std::uint64_t kSystemWide = 1;
constexpr int kCallTimeoutMs = 250;
constexpr int kMaximumVisited = 2000;

// Text of a call that answers a newly allocated string; none on error or when empty.
std::optional<std::string> ownedText(gchar* text, GError* error) {
    std::optional<std::string> value;
    if (error == nullptr && text != nullptr && *text != '\0') value = std::string(text);
    g_free(text);
    if (error != nullptr) g_error_free(error);
    return value;
}

bool hasState(AtspiAccessible* accessible, AtspiStateType state) {
    // The kept states go stale without events: ask the application afresh.
    atspi_accessible_clear_cache(accessible);
    AtspiStateSet* states = atspi_accessible_get_state_set(accessible);
    const bool has = states != nullptr && atspi_state_set_contains(states, state);
    if (states != nullptr) g_object_unref(states);
    return has;
}

AtspiRole roleOf(AtspiAccessible* accessible) {
    GError* error = nullptr;
    const AtspiRole role = atspi_accessible_get_role(accessible, &error);
    if (error != nullptr) {
        g_error_free(error);
        return ATSPI_ROLE_INVALID;
    }
    return role;
}

// The role in the names the injection rules use.
std::optional<std::string> roleName(AtspiAccessible* accessible) {
    const AtspiRole role = roleOf(accessible);
    switch (role) {
    case ATSPI_ROLE_INVALID: return std::nullopt;
    case ATSPI_ROLE_ENTRY:
    case ATSPI_ROLE_PASSWORD_TEXT: return role == ATSPI_ROLE_ENTRY ? "AXTextField" : "AXSecureTextField";
    case ATSPI_ROLE_TEXT:
        return hasState(accessible, ATSPI_STATE_MULTI_LINE) ? "AXTextArea" : "AXTextField";
    case ATSPI_ROLE_DOCUMENT_TEXT:
    case ATSPI_ROLE_TERMINAL: return "AXTextArea";
    case ATSPI_ROLE_COMBO_BOX: return "AXComboBox";
    case ATSPI_ROLE_PUSH_BUTTON: return "AXButton";
    case ATSPI_ROLE_FRAME:
    case ATSPI_ROLE_DIALOG:
    case ATSPI_ROLE_WINDOW: return "AXWindow";
    default: break;
    }
    // Others: "AX" and the role's own name in capitalised words ("AXPushButton").
    gchar* raw = atspi_role_get_name(role);
    std::string name = "AX";
    bool capital = true;
    for (const char* c = raw; c != nullptr && *c != '\0'; ++c) {
        if (*c == ' ' || *c == '-' || *c == '_') {
            capital = true;
        } else {
            name += capital && *c >= 'a' && *c <= 'z' ? static_cast<char>(*c - 32) : *c;
            capital = false;
        }
    }
    g_free(raw);
    return name;
}

std::optional<std::string> objectAttribute(AtspiAccessible* accessible, const char* key) {
    GError* error = nullptr;
    GHashTable* attributes = atspi_accessible_get_attributes(accessible, &error);
    std::optional<std::string> value;
    if (error == nullptr && attributes != nullptr) {
        if (const auto* text = static_cast<const char*>(g_hash_table_lookup(attributes, key)); text && *text) {
            value = std::string(text);
        }
    }
    if (attributes != nullptr) g_hash_table_unref(attributes);
    if (error != nullptr) g_error_free(error);
    return value;
}

std::optional<std::string> textContents(AtspiAccessible* accessible) {
    AtspiText* text = atspi_accessible_get_text_iface(accessible);
    if (text == nullptr) return std::nullopt;
    GError* error = nullptr;
    gchar* contents = atspi_text_get_text(text, 0, -1, &error);
    g_object_unref(text);
    std::optional<std::string> value;
    if (error == nullptr && contents != nullptr) value = std::string(contents);
    g_free(contents);
    if (error != nullptr) g_error_free(error);
    return value;
}

}  // namespace

struct AtspiAccessibilityElements::Tree {
    bool reachable = false;
    GMainContext* context = nullptr;  // the library's messages, taken in at each question
    AtspiAccessible* desktop = nullptr;
    mutable std::map<std::uint64_t, AtspiAccessible*> handles;
    mutable std::uint64_t nextHandle = kSystemWide + 1;
    // The application found last in this question, by the process asked for.
    mutable std::optional<std::int64_t> lastProcess;
    mutable AtspiAccessible* lastApplication = nullptr;
    const std::int64_t ownProcess = ::getpid();

    ~Tree() {
        forget();
        if (desktop != nullptr) g_object_unref(desktop);
        if (context != nullptr) g_main_context_unref(context);
    }

    void forget() const {
        for (auto& [handle, accessible] : handles) g_object_unref(accessible);
        handles.clear();
        if (lastApplication != nullptr) g_object_unref(lastApplication);
        lastApplication = nullptr;
        lastProcess.reset();
    }

    // Takes a reference; none for none.
    std::optional<AccessibilityElement> keep(AtspiAccessible* accessible) const {
        if (accessible == nullptr) return std::nullopt;
        handles.emplace(nextHandle, accessible);
        return AccessibilityElement{nextHandle++};
    }

    AtspiAccessible* find(AccessibilityElement element) const {
        const auto found = handles.find(element.handle);
        return found == handles.end() ? nullptr : found->second;
    }

    template <class Visit>
    void eachChild(AtspiAccessible* parent, Visit visit) const {
        GError* error = nullptr;
        const int count = atspi_accessible_get_child_count(parent, &error);
        if (error != nullptr) {
            g_error_free(error);
            return;
        }
        for (int i = 0; i < count; ++i) {
            AtspiAccessible* child = atspi_accessible_get_child_at_index(parent, i, &error);
            if (error != nullptr) {
                g_error_free(error);
                error = nullptr;
                continue;
            }
            if (child == nullptr) continue;
            const bool more = visit(child);  // takes the reference
            if (!more) return;
        }
    }

    // The application of a process, or the one with an active window; a new reference.
    // Never this program: its tree is served by the thread that would wait for the answer.
    AtspiAccessible* applicationOf(std::optional<std::int64_t> processID) const {
        if (processID == ownProcess) return nullptr;
        if (lastApplication != nullptr && processID && lastProcess == processID) {
            return static_cast<AtspiAccessible*>(g_object_ref(lastApplication));
        }
        AtspiAccessible* found = nullptr;
        eachChild(desktop, [&](AtspiAccessible* app) {
            GError* error = nullptr;
            const auto pid = atspi_accessible_get_process_id(app, &error);
            const bool matches = error == nullptr && pid != ownProcess &&
                                 (processID ? pid == *processID : activeWindowOf(app) != nullptr);
            if (error != nullptr) g_error_free(error);
            if (matches) {
                found = app;
                return false;
            }
            g_object_unref(app);
            return true;
        });
        if (found != nullptr && processID) {
            if (lastApplication != nullptr) g_object_unref(lastApplication);
            lastApplication = static_cast<AtspiAccessible*>(g_object_ref(found));
            lastProcess = processID;
        }
        return found;
    }

    // A top-level window of the application: the active one, or the first.
    AtspiAccessible* windowOf(AtspiAccessible* app, bool activeOnly) const {
        AtspiAccessible* found = nullptr;
        eachChild(app, [&](AtspiAccessible* window) {
            // An application's children are its top-level windows, whatever role a toolkit gives them.
            if (!activeOnly || hasState(window, ATSPI_STATE_ACTIVE)) {
                found = window;
                return false;
            }
            g_object_unref(window);
            return true;
        });
        return found;
    }

    AtspiAccessible* activeWindowOf(AtspiAccessible* app) const {
        AtspiAccessible* window = windowOf(app, true);
        if (window != nullptr) g_object_unref(window);
        return window;
    }

    // The focused element below `root`: through the collection interface
    // where the toolkit has it, else a bounded walk of the showing elements.
    AtspiAccessible* focusedBelow(AtspiAccessible* root) const {
        if (AtspiCollection* collection = atspi_accessible_get_collection_iface(root)) {
            GArray* wanted = g_array_new(FALSE, FALSE, sizeof(AtspiStateType));
            const AtspiStateType focused = ATSPI_STATE_FOCUSED;
            g_array_append_val(wanted, focused);
            AtspiStateSet* states = atspi_state_set_new(wanted);
            AtspiMatchRule* rule = atspi_match_rule_new(states, ATSPI_Collection_MATCH_ALL, nullptr,
                                                        ATSPI_Collection_MATCH_NONE, nullptr,
                                                        ATSPI_Collection_MATCH_NONE, nullptr,
                                                        ATSPI_Collection_MATCH_NONE, FALSE);
            GError* error = nullptr;
            GArray* matches =
                atspi_collection_get_matches(collection, rule, ATSPI_Collection_SORT_ORDER_CANONICAL, 1, TRUE, &error);
            AtspiAccessible* found = nullptr;
            if (error == nullptr && matches != nullptr && matches->len > 0) {
                found = static_cast<AtspiAccessible*>(g_object_ref(g_array_index(matches, AtspiAccessible*, 0)));
            }
            if (matches != nullptr) {
                for (guint i = 0; i < matches->len; ++i) g_object_unref(g_array_index(matches, AtspiAccessible*, i));
                g_array_free(matches, TRUE);
            }
            g_object_unref(rule);
            g_object_unref(states);
            g_array_free(wanted, TRUE);
            g_object_unref(collection);
            if (error == nullptr) return found;
            g_error_free(error);
        }
        int visited = 0;
        return walkForFocus(root, visited);
    }

    AtspiAccessible* walkForFocus(AtspiAccessible* parent, int& visited) const {
        AtspiAccessible* found = nullptr;
        eachChild(parent, [&](AtspiAccessible* child) {
            if (++visited > kMaximumVisited) {
                g_object_unref(child);
                return false;
            }
            if (hasState(child, ATSPI_STATE_FOCUSED)) {
                found = child;
                return false;
            }
            if (hasState(child, ATSPI_STATE_SHOWING)) found = walkForFocus(child, visited);
            g_object_unref(child);
            return found == nullptr && visited <= kMaximumVisited;
        });
        return found;
    }
};

AtspiAccessibilityElements::AtspiAccessibilityElements(bool accessibilityBusReachable, FrontmostSource frontmost)
    : tree_(std::make_unique<Tree>()), frontmost_(std::move(frontmost)) {
    if (!accessibilityBusReachable) return;
    // The library reports a bus it cannot open (a stale address, another
    // user's bus) with a positive code, and aborts at its first question then.
    if (const int started = atspi_init(); started != 0 && (started != 1 || atspi_get_a11y_bus() == nullptr)) {
        std::cerr << kWarningPrefix << "The accessibility bus cannot be reached; Zentrel goes on without it.\n";
        return;
    }
    // Its own loop context, so that a toolkit's main loop is never re-entered.
    tree_->context = g_main_context_new();
    atspi_set_main_context(tree_->context);
    atspi_set_timeout(kCallTimeoutMs, kCallTimeoutMs * 4);
    tree_->desktop = atspi_get_desktop(0);
    if (tree_->desktop == nullptr) return;
    // States are kept: the library checks the states of objects an
    // application announces while it takes in its messages, and asking the
    // bus from there waits for ever on its own dispatch. Every other question
    // goes to the applications; states are asked afresh where they matter.
    atspi_accessible_set_cache_mask(tree_->desktop, ATSPI_CACHE_STATES);
    tree_->reachable = true;
}

AtspiAccessibilityElements::~AtspiAccessibilityElements() = default;

AccessibilityElement AtspiAccessibilityElements::systemWide() const {
    tree_->forget();
    // Let the library take in what the applications announced meanwhile.
    if (tree_->context != nullptr) {
        while (g_main_context_iteration(tree_->context, FALSE)) {
        }
    }
    return {kSystemWide};
}

AccessibilityElement AtspiAccessibilityElements::application(std::int64_t processID) const {
    if (!tree_->reachable) return {};
    return tree_->keep(tree_->applicationOf(processID)).value_or(AccessibilityElement{});
}

std::optional<AccessibilityValue> AtspiAccessibilityElements::attribute(AccessibilityElement element,
                                                                        const std::string& name) const {
    if (!tree_->reachable) return std::nullopt;
    if (element.handle == kSystemWide) {
        if (name != "AXFocusedUIElement") return std::nullopt;
        const auto front = frontmostApplication();
        AtspiAccessible* app = tree_->applicationOf(front ? std::optional(front->processID) : std::nullopt);
        if (app == nullptr) return std::nullopt;
        AtspiAccessible* window = tree_->windowOf(app, true);
        if (window == nullptr) window = tree_->windowOf(app, false);
        g_object_unref(app);
        if (window == nullptr) return std::nullopt;
        AtspiAccessible* focused = tree_->focusedBelow(window);
        g_object_unref(window);
        if (const auto kept = tree_->keep(focused)) return *kept;
        return std::nullopt;
    }
    AtspiAccessible* accessible = tree_->find(element);
    if (accessible == nullptr) return std::nullopt;
    GError* error = nullptr;
    std::optional<std::string> text;
    if (name == "AXFocusedWindow" || name == "AXMainWindow") {
        if (const auto kept = tree_->keep(tree_->windowOf(accessible, name == "AXFocusedWindow"))) return *kept;
        return std::nullopt;
    }
    if (name == "AXRole") {
        text = roleName(accessible);
    } else if (name == "AXTitle") {
        text = ownedText(atspi_accessible_get_name(accessible, &error), error);
    } else if (name == "AXDescription") {
        text = ownedText(atspi_accessible_get_description(accessible, &error), error);
    } else if (name == "AXIdentifier") {
        text = ownedText(atspi_accessible_get_accessible_id(accessible, &error), error);
    } else if (name == "AXDOMIdentifier") {
        text = objectAttribute(accessible, "id");
    } else if (name == "AXDOMClassList") {
        text = objectAttribute(accessible, "class");
    } else if (name == "AXValue") {
        text = textContents(accessible);
        if (text) return AccessibilityValue(*text);  // an empty field has a value too
    }
    if (!text) return std::nullopt;
    return AccessibilityValue(*text);
}

bool AtspiAccessibilityElements::setStringAttribute(AccessibilityElement element, const std::string& name,
                                                    const std::string& value) {
    AtspiAccessible* accessible = tree_->reachable ? tree_->find(element) : nullptr;
    if (accessible == nullptr || name != "AXValue") return false;
    // A password field is left to the keys the user types.
    if (roleOf(accessible) == ATSPI_ROLE_PASSWORD_TEXT) return false;
    AtspiEditableText* editable = atspi_accessible_get_editable_text_iface(accessible);
    if (editable == nullptr) return false;
    GError* error = nullptr;
    const bool written = atspi_editable_text_set_text_contents(editable, value.c_str(), &error) && error == nullptr;
    g_object_unref(editable);
    if (error != nullptr) g_error_free(error);
    if (written) {
        // The caret goes after the new text, where typing goes on.
        if (AtspiText* text = atspi_accessible_get_text_iface(accessible)) {
            const auto length = static_cast<gint>(g_utf8_strlen(value.c_str(), -1));
            (void)atspi_text_set_caret_offset(text, length, &error);
            if (error != nullptr) g_error_free(error);
            g_object_unref(text);
        }
    }
    return written;
}

std::optional<FrontmostApplication> AtspiAccessibilityElements::frontmostApplication() const {
    if (frontmost_) {
        if (auto front = frontmost_()) return front;
    }
    if (!tree_->reachable) return std::nullopt;
    AtspiAccessible* app = tree_->applicationOf(std::nullopt);
    if (app == nullptr) return std::nullopt;
    GError* error = nullptr;
    const auto pid = static_cast<std::int64_t>(atspi_accessible_get_process_id(app, &error));
    g_object_unref(app);
    if (error != nullptr) {
        g_error_free(error);
        return std::nullopt;
    }
    return FrontmostApplication{programNameOfProcess(pid), pid};
}

bool AtspiAccessibilityElements::isSecureEventInputEnabled() const {
    if (!tree_->reachable) return false;
    // Asked as its own question: the handles of the current one stay valid.
    const auto focused = attribute({kSystemWide}, "AXFocusedUIElement");
    if (!focused) return false;
    const auto* element = std::get_if<AccessibilityElement>(&*focused);
    AtspiAccessible* accessible = element != nullptr ? tree_->find(*element) : nullptr;
    return accessible != nullptr && roleOf(accessible) == ATSPI_ROLE_PASSWORD_TEXT;
}

}  // namespace zentrel::platform
