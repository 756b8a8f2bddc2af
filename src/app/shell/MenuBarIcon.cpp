#include "app/shell/MenuBarIcon.hpp"

#include "app/shell/AppGlyph.hpp"
#include "ui/design/DesignTokens.hpp"
#include "ui/design/SymbolImage.hpp"

#include <QGuiApplication>
#include <QPainter>
#include <QPalette>

namespace zentrel::app {
namespace {

constexpr int kIconSize = 22;
constexpr int kPulseMs = 600;

}  // namespace

MenuBarIcon::MenuBarIcon(viewmodels::ScanViewModel& viewModel, const services::ProcessSampler& sampler,
                         platform::TimerScheduler& timers, std::function<void(QRect iconGeometry)> clicked)
    : viewModel_(viewModel), sampler_(sampler) {
    pulse_.setInterval(kPulseMs);
    connect(&pulse_, &QTimer::timeout, this, [this] {
        dimFrame_ = !dimFrame_;
        drawFrame();
    });
    connect(&tray_, &QSystemTrayIcon::activated, this, [this, clicked = std::move(clicked)](auto reason) {
        if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick) clicked(tray_.geometry());
    });
    stateObserver_ = viewModel_.scanState.observe([this](const auto&) { refresh(); });
    sampleMemory();
    memoryLoop_ = timers.scheduleRepeating(kMemoryInterval, [this] { sampleMemory(); });
    if (QSystemTrayIcon::isSystemTrayAvailable()) tray_.show();
}

void MenuBarIcon::sampleMemory() {
    pressure_ = sampler_.readMemorySnapshot().iconPressure();
    refresh();
}

void MenuBarIcon::refresh() {
    const auto next = ui::menuBarIconState(viewModel_.scanState(), pressure_);
    if (next == state_ && !tray_.icon().isNull()) return;
    state_ = next;
    tray_.setToolTip(QString::fromStdString(state_.tooltip));
    dimFrame_ = false;
    if (state_.pulsing) {
        pulse_.start();
    } else {
        pulse_.stop();
    }
    drawFrame();
}

void MenuBarIcon::drawFrame() {
    QPixmap frame(kIconSize, kIconSize);
    frame.fill(Qt::transparent);
    QPainter painter(&frame);
    painter.setRenderHint(QPainter::Antialiasing);
    if (state_.glyph == ui::MenuBarIconState::Glyph::app) {
        painter.drawPixmap(0, 0, appGlyph(kIconSize));
    } else {
        const auto symbol = state_.glyph == ui::MenuBarIconState::Glyph::scanning ? "magnifyingglass" : "trash";
        painter.setOpacity(dimFrame_ ? 0.45 : 1.0);
        painter.drawPixmap(0, 0, ui::tintedSymbol(symbol, kIconSize, QGuiApplication::palette().color(QPalette::WindowText)));
    }
    if (state_.pressureBadge) {
        painter.setOpacity(1.0);
        painter.setPen(Qt::NoPen);
        painter.setBrush(ui::DesignTokens::danger().resolve(QGuiApplication::palette()));
        painter.drawEllipse(QRectF(kIconSize - 7, 1, 6, 6));
    }
    painter.end();
    tray_.setIcon(QIcon(frame));
}

}  // namespace zentrel::app
