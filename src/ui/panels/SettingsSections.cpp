#include "platform/text/Localization.hpp"
#include "ui/design/NamedComboBox.hpp"
#include "ui/panels/SettingsSections.hpp"

#include "ui/design/DesignLabels.hpp"
#include "ui/design/GlassCard.hpp"
#include "ui/design/SwitchToggle.hpp"
#include "ui/main/PageParts.hpp"
#include "ui/panels/PanelStyle.hpp"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace zentrel::ui {
namespace {

constexpr int kPickerWidth = 220;

// What the model holds, shown without counting as the user's change.
void showChecked(QCheckBox* box, bool on) {
    const QSignalBlocker quiet(box);
    box->setChecked(on);
}

void showIndex(QComboBox* picker, int index) {
    const QSignalBlocker quiet(picker);
    picker->setCurrentIndex(index);
}

// A section: its cards in a column, and the observations that keep its controls current.
class SectionView final : public QWidget {
public:
    SectionView(SettingsModel& settings, QWidget* parent) : QWidget(parent), settings_(settings) {
        column_ = new QVBoxLayout(this);
        column_->setContentsMargins(0, 0, 0, 0);
        column_->setSpacing(16);
    }

    SettingsModel& settings() { return settings_; }

    // A card with its title; controls go into the returned stack.
    QVBoxLayout* addCard(const char* title) {
        QVBoxLayout* content = nullptr;
        auto* box = stackWidget(nullptr, 12, content);
        content->addWidget(tokenLabel(localizedText(title), DesignTokens::titleFont(), DesignTokens::textPrimary(), box));
        column_->addWidget(new GlassCard(GlassCard::Variant::primary, 16, 14, false, box, this));
        return content;
    }

    void addDescription(QVBoxLayout* card, const char* text, const FontToken& font = DesignTokens::detailFont()) {
        card->addWidget(wrappingLabel(localizedText(text), font, DesignTokens::textSecondary(),
                                      card->parentWidget()));
    }

    template <class Setter>
    QCheckBox* addSwitch(QVBoxLayout* card, const char* label, platform::Published<bool>& value, Setter set) {
        auto* box = new SwitchToggle(localizedText(label), card->parentWidget());
        box->setFont(DesignTokens::bodyFont().font());
        showChecked(box, value());
        // A click, the keyboard and assistive technology all toggle it.
        connect(box, &QCheckBox::toggled, this, [this, set](bool on) { (settings_.*set)(on); });
        follow<bool>(value, [box](const bool& on) { showChecked(box, on); });
        card->addWidget(box);
        return box;
    }

    // A labelled picker in its own row; `row` is that row, for showing and hiding.
    QComboBox* addPicker(QVBoxLayout* card, const char* label, QWidget*& row) {
        row = new QWidget(card->parentWidget());
        auto* form = new QFormLayout(row);
        form->setContentsMargins(0, 0, 0, 0);
        form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
        auto* picker = new QComboBox(row);
        picker->setFixedWidth(kPickerWidth);
        nameComboBox(*picker, localizedText(label));
        auto* title = tokenLabel(localizedText(label), DesignTokens::bodyFont(), DesignTokens::textPrimary(), row);
        title->setBuddy(picker);
        form->addRow(title, picker);
        card->addWidget(row);
        return picker;
    }

    template <class T>
    void follow(platform::Published<T>& value, std::function<void(const T&)> apply) {
        observers_.push_back(value.observe(std::move(apply)));
    }
    void keep(platform::Subscription subscription) { observers_.push_back(std::move(subscription)); }

private:
    SettingsModel& settings_;
    QVBoxLayout* column_ = nullptr;
    std::vector<platform::Subscription> observers_;
};

void buildGeneral(SectionView& view) {
    auto& settings = view.settings();
    auto* display = view.addCard(N_("Display"));
    QWidget* row = nullptr;
    auto* mode = view.addPicker(display, N_("View Mode"), row);
    mode->addItem(localizedText("Recommended"), static_cast<int>(model::ViewMode::recommended));
    mode->addItem(localizedText("Advanced"), static_cast<int>(model::ViewMode::advanced));
    const auto showMode = [mode](const model::ViewMode& value) {
        showIndex(mode, mode->findData(static_cast<int>(value)));
    };
    showMode(settings.viewMode());
    QObject::connect(mode, &QComboBox::currentIndexChanged, &view, [&settings, mode](int index) {
        if (index < 0) return;
        settings.setViewMode(static_cast<model::ViewMode>(mode->itemData(index).toInt()));
    });
    view.follow<model::ViewMode>(settings.viewMode, showMode);
    view.addDescription(display,
                        N_("Recommended shows simplified, easy-to-understand results. Advanced shows all technical details."));

    auto* startup = view.addCard(N_("Startup"));
    auto* login = new SwitchToggle(localizedText("Launch Zentrel at login"), startup->parentWidget());
    login->setFont(DesignTokens::bodyFont().font());
    showChecked(login, settings.loginItemOn());
    // Only the user acts; what the service reads back is shown and never acted on.
    QObject::connect(login, &QCheckBox::toggled, &view, [&settings](bool on) { settings.setLaunchAtLogin(on); });
    view.keep(settings.loginItemOn.observe([login](const bool& on) { showChecked(login, on); }));
    startup->addWidget(login);
    auto* problem = wrappingLabel({}, DesignTokens::detailFont(), DesignTokens::review(), startup->parentWidget());
    const auto showProblem = [problem](const std::optional<std::string>& text) {
        problem->setText(text ? QString::fromStdString(*text) : QString());
        problem->setVisible(text.has_value());
    };
    showProblem(settings.loginItemProblem());
    view.follow<std::optional<std::string>>(settings.loginItemProblem, showProblem);
    startup->addWidget(problem);
    view.addDescription(startup, N_("Zentrel will appear in the menu bar when you log in."));

    auto* updates = view.addCard(N_("Updates"));
    view.addSwitch(updates, N_("Check for updates automatically"), settings.automaticUpdateChecks,
                   &SettingsModel::setAutomaticUpdateChecks);
    view.addDescription(updates, N_("Once at start and then daily, Zentrel asks its update feed for a newer release. "
                                    "This is all it sends over the network. When off, only \"Check for Updates\u2026\" "
                                    "looks."));
}

void buildScanning(SectionView& view) {
    auto& settings = view.settings();
    auto* autoScan = view.addCard(N_("Auto-Scan"));
    view.addSwitch(autoScan, N_("Enable automatic scanning"), settings.autoScanEnabled, &SettingsModel::setAutoScanEnabled);
    QWidget* frequencyRow = nullptr;
    auto* frequency = view.addPicker(autoScan, N_("Scan frequency"), frequencyRow);
    for (const auto& choice : autoScanIntervals())
        frequency->addItem(localizedText(choice.title), static_cast<qlonglong>(choice.days));
    // A stored interval of another length selects no segment.
    const auto showInterval = [frequency](const std::int64_t& days) {
        showIndex(frequency, frequency->findData(static_cast<qlonglong>(days)));
    };
    showInterval(settings.autoScanIntervalDays());
    QObject::connect(frequency, &QComboBox::currentIndexChanged, &view, [&settings, frequency](int index) {
        if (index < 0) return;
        settings.setAutoScanIntervalDays(frequency->itemData(index).toLongLong());
    });
    view.follow<std::int64_t>(settings.autoScanIntervalDays, showInterval);
    frequencyRow->setVisible(settings.autoScanEnabled());
    view.follow<bool>(settings.autoScanEnabled, [frequencyRow](const bool& on) { frequencyRow->setVisible(on); });
    view.addDescription(autoScan, N_("Automatically scan your Mac on a schedule."));

    auto* notifications = view.addCard(N_("Notifications"));
    view.addSwitch(notifications, N_("Notify when scan finds junk"), settings.notificationsEnabled,
                   &SettingsModel::setNotificationsEnabled);

    auto* autoClean = view.addCard(N_("Auto-Clean"));
    view.addSwitch(autoClean, N_("Auto-clean safe items after scan"), settings.autoCleanEnabled,
                   &SettingsModel::setAutoCleanEnabled);
    auto* warning = new QWidget(autoClean->parentWidget());
    auto* warningLayout = new QHBoxLayout(warning);
    warningLayout->setContentsMargins(0, 0, 0, 0);
    warningLayout->setSpacing(8);
    warningLayout->addWidget(
        symbolLabel("exclamationmark.triangle.fill", DesignTokens::detailFont(), DesignTokens::review(), warning));
    warningLayout->addWidget(tokenLabel(localizedText("Only Safe items will be cleaned automatically"),
                                        DesignTokens::detailFont(), DesignTokens::review(), warning),
                             1);
    autoClean->addWidget(warning);
    warning->setVisible(settings.autoCleanEnabled());
    view.follow<bool>(settings.autoCleanEnabled, [warning](const bool& on) { warning->setVisible(on); });
    view.addDescription(autoClean, N_("Items marked \"Review before deleting\" will never be removed automatically."));
}

void buildPrivacy(SectionView& view) {
    auto& settings = view.settings();
    auto* sweep = view.addCard(N_("Privacy Sweep"));
    view.addSwitch(sweep, N_("Include Terminal history"), settings.includeTerminal, &SettingsModel::setIncludeTerminal);
    view.addSwitch(sweep, N_("Analyze clipboard with on-device AI"), settings.includePasteboard,
                   &SettingsModel::setIncludePasteboard);
    view.addDescription(sweep, N_("Clipboard analysis runs entirely on your Mac. Nothing is sent to the cloud."));
    view.addDescription(sweep, N_("Duplicate scans keep fingerprints of your pictures and videos, never their names, so "
                               "the next scan is faster."));
    auto* clear = new QPushButton(localizedText("Clear"), sweep->parentWidget());
    clear->setAccessibleName(localizedText("Clear"));
    // Pressed once per opening: the fingerprints are gone until the next duplicate scan.
    QObject::connect(clear, &QPushButton::clicked, &view, [&settings, clear] {
        settings.clearMediaFingerprints();
        clear->setEnabled(false);
    });
    sweep->addWidget(clear, 0, Qt::AlignLeft);

    auto* undo = view.addCard(N_("Undo window"));
    view.addDescription(undo, N_("Every privacy sweep is logged. You can undo any action within 24 hours from the sweep log."),
                        DesignTokens::bodyFont());
}

void buildPerformance(SectionView& view) {
    auto& settings = view.settings();
    auto* digest = view.addCard(N_("Battery digest"));
    view.addSwitch(digest, N_("Show daily battery drain in menu bar"), settings.energyDigestEnabled,
                   &SettingsModel::setEnergyDigestEnabled);
    view.addDescription(digest, N_("Tracks which apps used the most energy today. Requires Apple Silicon for hardware "
                                "power readings."));

    auto* focus = view.addCard(N_("Focus mode"));
    view.addSwitch(focus, N_("Suggest calm-down during Focus"), settings.focusAutoCalmEnabled,
                   &SettingsModel::setFocusAutoCalmEnabled);
    view.addDescription(focus, N_("When a Focus session is active, Zentrel highlights heavy background apps for one-tap "
                               "calm down."));
}

}  // namespace

QWidget* makeSettingsSection(SettingsSection section, SettingsModel& settings, QWidget* parent) {
    auto* view = new SectionView(settings, parent);
    switch (section) {
    case SettingsSection::general: buildGeneral(*view); break;
    case SettingsSection::scanning: buildScanning(*view); break;
    case SettingsSection::privacy: buildPrivacy(*view); break;
    case SettingsSection::performance: buildPerformance(*view); break;
    }
    return view;
}

}  // namespace zentrel::ui
