#include "platform/DesktopTexts.hpp"

namespace zentrel::platform {

void addDesktopTexts(Localization& localization) {
    localization.addTranslations(
        "en",
        {
            {" stored on this Mac", " stored on this computer"},
            {"A service that launches automatically when your Mac starts",
             "A service that starts automatically when you log in"},
            {"Freed %@ on your Mac", "Freed %@ on your computer"},
            {"Large file taking up significant space on your Mac",
             "Large file taking up significant space on your computer"},
            {"On-device safety rules \u2014 nothing leaves your Mac.",
             "On-device safety rules \u2014 nothing leaves your computer."},
            {"Recent files shown in Finder sidebar and menus", "Recent files shown by the file manager and menus"},
            {"Scan and clean caches, logs, and app data across your Mac",
             "Scan and clean caches, logs, and app data across your computer"},
            {"Scanning your Mac\u2026", "Scanning your computer\u2026"},
            {"Scans all cleanup categories on your Mac.", "Scans all cleanup categories on your computer."},
            {"Scans only this category, not your entire Mac.", "Scans only this category, not your entire computer."},
            {"Scans your Mac to build a cleanup recommendation.",
             "Scans your computer to build a cleanup recommendation."},
            {"Temporary data macOS saved \u2014 safe to clear", "Temporary data the system saved \u2014 safe to clear"},
            // The typing card and its sheets: the key tap needs an X11 session, the
            // input method is an IBus engine, and Option is Alt.
            {"Cần quyền Accessibility", "CGEvent cần phiên X11"},
            {"Bật Zentrel trong System Settings \u2192 Privacy & Security \u2192 Accessibility. Nếu đã bật mà app "
             "chưa nhận, hãy khởi động lại Zentrel để macOS áp dụng quyền.",
             "Gõ qua CGEvent cần một phiên X11 có phần mở rộng RECORD và XTEST. Trên Wayland, hãy chọn chế độ "
             "Input Method Kit để gõ qua IBus. Nếu vừa đổi phiên, hãy khởi động lại Zentrel."},
            {"Cấp quyền\u2026", "Mở cài đặt Trợ năng\u2026"},
            {"Khởi động lại app để macOS áp dụng quyền Accessibility.",
             "Khởi động lại app để Zentrel kiểm tra lại phiên X11."},
            {"IME đã cài trong ~/Library/Input Methods", "IBus đã nhận Zentrel IME"},
            {"Đang chọn trong menu input", "IBus đang dùng Zentrel"},
            {"Chưa chọn Zentrel trong menu input", "IBus chưa dùng Zentrel"},
            {"Cài đặt Bàn phím\u2026", "Cài đặt IBus\u2026"},
            {"Không tìm thấy ZentrelIME.app trong bản build.",
             "Không tìm thấy chương trình zentrel-ime trong bản build."},
            {"Phục hồi gốc (Ctrl+\u2325)", "Phục hồi gốc (Ctrl+Alt)"},
            {"\u2303\u21e7V \u2014 bật/tắt tiếng Việt cho app đang dùng (tự ghi nhớ)",
             "Ctrl+Shift+V \u2014 bật/tắt tiếng Việt cho app đang dùng (tự ghi nhớ)"},
            {"\u2303\u2325 \u2014 phục hồi chuỗi gốc đang gõ", "Ctrl+Alt \u2014 phục hồi chuỗi gốc đang gõ"},
            {"Nhấn \u2303\u21e7V khi đang ở một app để bật/tắt tiếng Việt riêng cho app đó. Lựa chọn được ghi nhớ.",
             "Nhấn Ctrl+Shift+V khi đang ở một app để bật/tắt tiếng Việt riêng cho app đó. Lựa chọn được ghi nhớ."},
        });
}

}  // namespace zentrel::platform
