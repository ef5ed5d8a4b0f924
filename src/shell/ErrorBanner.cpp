#include "shell/ErrorBanner.h"

#include "platform/SystemPalette.h"
#include "platform/TextStyles.h"

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

constexpr int kVerticalMargin = 8;
constexpr int kSideMargin = 16;

}  // namespace

ErrorBanner::ErrorBanner(QWidget* parent) : QLabel(parent) {
    setObjectName(u"errorBanner"_s);
    setWordWrap(true);
    setTextFormat(Qt::PlainText);
    setFont(TextStyles::font(TextStyles::Style::footnote));
    setContentsMargins(kSideMargin, kVerticalMargin, kSideMargin, kVerticalMargin);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, SystemPalette::color(SystemPalette::Role::systemRed));
    colours.setColor(QPalette::WindowText, Qt::white);
    setPalette(colours);
    setAccessibleName(u"Document error"_s);
    hide();
}

void ErrorBanner::showMessage(const QString& message) {
    setText(message);
    show();
}

}  // namespace pathloom
