#include "network/UserAgent.h"

#include <QCoreApplication>
#include <QSysInfo>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

QString withoutSpaces(const QString& text, const QString& fallback) {
    QString compact = text.simplified().remove(u' ');
    return compact.isEmpty() ? fallback : compact;
}

}  // namespace

QByteArray userAgent() {
    const QString name = withoutSpaces(QCoreApplication::applicationName(), u"Pathloom"_s);
    const QString version = withoutSpaces(QCoreApplication::applicationVersion(), u"1.0"_s);
    const QString system =
        QSysInfo::kernelType() == u"linux" ? u"X11; Linux"_s : QSysInfo::prettyProductName();
    const QString qtVersion = QString::fromLatin1(qVersion()).section(u'.', 0, 1);
    return u"%1/%2 (%3 %4) QtNetwork/%5"_s
        .arg(name, version, system, QSysInfo::currentCpuArchitecture(), qtVersion)
        .toUtf8();
}

}  // namespace pathloom
