#pragma once
// The four settings sections, each a column of cards. Their controls write
// through the settings model and follow its values.

#include "ui/presenters/SettingsModel.hpp"

#include <QWidget>

namespace zentrel::ui {

[[nodiscard]] QWidget* makeSettingsSection(SettingsSection section, SettingsModel& settings, QWidget* parent);

}  // namespace zentrel::ui
