#pragma once
// The settings screen: a section picker (General, Scanning, Privacy,
// Performance) over the chosen section's cards of switches and pickers.
// Every new screen starts on General and reads the settings afresh; the
// section's controls follow the shared settings model, so a change made in
// another settings screen shows here at once. `SettingsView` is the same
// screen as a window of its own.

#include "ui/presenters/SettingsModel.hpp"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMainWindow>
#include <QTabBar>
#include <QVBoxLayout>
#include <QWidget>

namespace zentrel::ui {

class SettingsContentView final : public QWidget {
public:
    explicit SettingsContentView(SettingsModel& settings, QWidget* parent = nullptr);

    [[nodiscard]] SettingsSection section() const { return section_; }
    void setSection(SettingsSection section);
    [[nodiscard]] QTabBar* sectionPicker() const { return picker_; }
    [[nodiscard]] QWidget* sectionView() const { return sectionView_; }
    // The shown section's controls, by their label.
    [[nodiscard]] QCheckBox* switchNamed(const QString& label) const;
    [[nodiscard]] QComboBox* pickerNamed(const QString& accessibleName) const;
    [[nodiscard]] QStringList shownTexts() const;

private:
    SettingsModel& settings_;
    SettingsSection section_ = SettingsSection::general;
    QTabBar* picker_ = nullptr;
    QVBoxLayout* column_ = nullptr;
    QWidget* sectionView_ = nullptr;
};

// The Settings window: the settings screen at 600 x 520, at least 560 x 480.
class SettingsView final : public QMainWindow {
public:
    explicit SettingsView(SettingsModel& settings, QWidget* parent = nullptr);

    // Shows the window on General with the settings read afresh, in front:
    // the first time where the user last left it, else centred over `over`.
    void present(const QWidget* over = nullptr);
    [[nodiscard]] SettingsContentView* content() const { return content_; }

protected:
    void hideEvent(QHideEvent* event) override;

private:
    void placeFirstTime(const QWidget* over);

    SettingsModel& settings_;
    bool placed_ = false;
    QVBoxLayout* layout_ = nullptr;
    SettingsContentView* content_ = nullptr;
};

}  // namespace zentrel::ui
