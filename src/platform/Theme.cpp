#include "platform/Theme.h"

#include "foundation/SystemColor.h"
#include "platform/SystemPalette.h"
#include "platform/TextStyles.h"

#include <QApplication>
#include <QPalette>
#include <QStyleFactory>
#include <QWidget>

namespace pathloom {

namespace {

using Role = SystemPalette::Role;

QColor opaque(Role role) {
    // Qt's palette draws text without blending; an opaque blend over white keeps the look.
    const QColor color = SystemPalette::color(role);
    const double alpha = color.alphaF();
    return QColor::fromRgbF(1 - alpha + alpha * color.redF(), 1 - alpha + alpha * color.greenF(),
                            1 - alpha + alpha * color.blueF());
}

}  // namespace

void Theme::apply(QApplication& application) {
    application.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QPalette palette;
    palette.setColor(QPalette::Window, SystemPalette::color(Role::systemBackground));
    palette.setColor(QPalette::WindowText, SystemPalette::color(Role::label));
    palette.setColor(QPalette::Base, SystemPalette::color(Role::systemBackground));
    palette.setColor(QPalette::AlternateBase,
                     SystemPalette::color(Role::secondarySystemBackground));
    palette.setColor(QPalette::Text, SystemPalette::color(Role::label));
    palette.setColor(QPalette::PlaceholderText, opaque(Role::secondaryLabel));
    palette.setColor(QPalette::Button, SystemPalette::color(Role::systemGray5));
    palette.setColor(QPalette::ButtonText, SystemPalette::color(Role::label));
    palette.setColor(QPalette::Mid, opaque(Role::separator));
    palette.setColor(QPalette::Highlight, systemColor(SystemColor::blue));
    palette.setColor(QPalette::HighlightedText, QColor(255, 255, 255));
    palette.setColor(QPalette::Link, systemColor(SystemColor::blue));
    palette.setColor(QPalette::ToolTipBase, SystemPalette::color(Role::systemBackground));
    palette.setColor(QPalette::ToolTipText, SystemPalette::color(Role::label));
    palette.setColor(QPalette::Disabled, QPalette::Text, opaque(Role::tertiaryLabel));
    palette.setColor(QPalette::Disabled, QPalette::WindowText, opaque(Role::tertiaryLabel));
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, opaque(Role::tertiaryLabel));
    application.setPalette(palette);
    application.setFont(TextStyles::font(TextStyles::Style::body));
}

void Theme::setTint(QWidget& window, const QColor& tint) {
    QPalette palette = window.palette();
    palette.setColor(QPalette::Highlight, tint);
    palette.setColor(QPalette::Link, tint);
    window.setPalette(palette);
}

void Theme::setApplicationTint(const QColor& tint) {
    QPalette palette = QApplication::palette();
    palette.setColor(QPalette::Highlight, tint);
    palette.setColor(QPalette::Link, tint);
    QApplication::setPalette(palette);
}

QColor Theme::tint(const QWidget& widget) { return widget.palette().color(QPalette::Highlight); }

}  // namespace pathloom
