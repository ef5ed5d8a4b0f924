#include "shell/ScreenshotRecorder.h"

#include "shell/ScreenJournal.h"

#include <QApplication>
#include <QDialog>
#include <QJsonObject>
#include <QPainter>
#include <QRegularExpression>
#include <QTimer>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

// The picture waits kSettleMilliseconds after its event, so that the screen the event announces has
// been laid out and its deferred work (a presentation's completion) has run.
QString nameFor(const QJsonObject& entry) {
    QString name = entry.value(u"event"_s).toString();
    for (const QString& key : {u"screen"_s, u"workflow"_s, u"identifier"_s, u"title"_s}) {
        const QJsonValue value = entry.value(key);
        if (value.isString() && !value.toString().isEmpty()) {
            name += u'-' + value.toString();
        } else if (value.isDouble()) {
            name += u'-' + QString::number(value.toInteger());
        }
    }
    static const QRegularExpression unsafe(u"[^A-Za-z0-9_.-]+"_s);
    return name.replace(unsafe, u"_"_s).left(80);
}

}  // namespace

ScreenshotRecorder::ScreenshotRecorder(QWidget& window, ScreenJournal& journal, QDir folder,
                                       QObject* parent)
    : QObject(parent), m_window(&window), m_folder(std::move(folder)) {
    m_folder.mkpath(u"."_s);
    connect(&journal, &ScreenJournal::recorded, this, [this](const QJsonObject& entry) {
        static const QStringList changes{u"screen"_s,  u"step"_s,    u"alert"_s,
                                         u"present"_s, u"dismiss"_s, u"restart"_s,
                                         u"menu"_s,    u"composer"_s};
        if (changes.contains(entry.value(u"event"_s).toString())) {
            QTimer::singleShot(kSettleMilliseconds, this,
                               [this, name = nameFor(entry)] { take(name); });
        }
    });
}

QImage ScreenshotRecorder::capture(QWidget& window) {
    QImage image = window.grab().toImage();
    QPainter painter(&image);
    for (QWidget* top : QApplication::topLevelWidgets()) {
        auto* dialog = qobject_cast<QDialog*>(top);
        if (dialog == nullptr || !dialog->isVisible()) {
            continue;
        }
        painter.fillRect(image.rect(), QColor(0, 0, 0, 70));
        const QPoint at = window.mapFromGlobal(dialog->frameGeometry().topLeft());
        const QPoint centred((image.width() - dialog->width()) / 2,
                             (image.height() - dialog->height()) / 2);
        painter.drawPixmap(image.rect().contains(QRect(at, dialog->size())) ? at : centred,
                           dialog->grab());
    }
    return image;
}

void ScreenshotRecorder::take(const QString& name) {
    if (!m_window) {
        return;
    }
    ++m_count;
    capture(*m_window).save(
        m_folder.filePath(u"%1-%2.png"_s.arg(m_count, 2, 10, QLatin1Char('0')).arg(name)));
}

}  // namespace pathloom
