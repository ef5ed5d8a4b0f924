#include "taskscreens/answers/LocationAnswerWidget.h"

#include "taskmodel/ORKLocation.h"
#include "taskmodel/ORKLocationAnswerFormat.h"

#include <QDoubleValidator>
#include <QFormLayout>
#include <QLineEdit>
#include <QRegularExpression>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

constexpr int kCoordinateDecimals = 7;

QLineEdit* coordinateField(const QString& name, double bound, QWidget* parent) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(name);
    auto* validator = new QDoubleValidator(-bound, bound, kCoordinateDecimals, field);
    validator->setNotation(QDoubleValidator::StandardNotation);
    validator->setLocale(QLocale::c());
    field->setValidator(validator);
    return field;
}

}  // namespace

LocationAnswerWidget::LocationAnswerWidget(const ORKLocationAnswerFormat& format,
                                           const std::optional<QString>& placeholder,
                                           QWidget* parent)
    : AnswerWidget(format, parent),
      m_address(new QLineEdit(this)),
      m_latitude(coordinateField(u"answerLatitude"_s, 90, this)),
      m_longitude(coordinateField(u"answerLongitude"_s, 180, this)) {
    m_address->setObjectName(u"answerAddress"_s);
    m_address->setPlaceholderText(placeholder.value_or(format.placeholder.value_or(QString())));
    auto* layout = new QFormLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addRow(u"Address"_s, m_address);
    layout->addRow(u"Latitude"_s, m_latitude);
    layout->addRow(u"Longitude"_s, m_longitude);
    setFocusProxy(m_address);
    for (QLineEdit* field : {m_address, m_latitude, m_longitude}) {
        connect(field, &QLineEdit::textChanged, this, &AnswerWidget::answerChanged);
    }
}

Value LocationAnswerWidget::answer() const {
    bool latitudeOk = false;
    bool longitudeOk = false;
    const double latitude = m_latitude->text().toDouble(&latitudeOk);
    const double longitude = m_longitude->text().toDouble(&longitudeOk);
    if (!latitudeOk || !longitudeOk) {
        return {};
    }
    auto location = std::make_shared<ORKLocation>(Coordinate{latitude, longitude});
    if (!m_address->text().isEmpty()) {
        location->postalAddress = PostalAddress{m_address->text(), {}};
    }
    return Value::Object(std::move(location));
}

void LocationAnswerWidget::setAnswer(const Value& answer) {
    const auto location = answer.object<ORKLocation>();
    if (!answer.isNone() && !location) {
        return;
    }
    const QSignalBlocker address(m_address);
    const QSignalBlocker latitude(m_latitude);
    const QSignalBlocker longitude(m_longitude);
    if (!location) {
        m_address->clear();
        m_latitude->clear();
        m_longitude->clear();
    } else {
        const std::optional<PostalAddress>& postal = location->postalAddress;
        m_address->setText(postal ? QStringList{postal->street, postal->city}.join(u", "_s).remove(
                                        QRegularExpression(u"(^, |, $)"_s))
                                  : QString());
        m_latitude->setText(QString::number(location->coordinate.latitude, 'g', 12));
        m_longitude->setText(QString::number(location->coordinate.longitude, 'g', 12));
    }
    Q_EMIT answerChanged();
}

}  // namespace pathloom
