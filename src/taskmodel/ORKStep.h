#pragma once

#include "taskmodel/ORKObject.h"
#include "taskmodel/Value.h"

#include <QImage>
#include <QList>
#include <QString>
#include <memory>
#include <optional>

namespace pathloom {

class ORKBodyItem;

// One step of a task: what it shows and whether it may be skipped. Subclasses add what their
// kind of step needs.
class ORKStep : public ORKObject {
public:
    explicit ORKStep(QString identifier = {}) : identifier(std::move(identifier)) {}

    QString identifier;
    bool optional = false;
    std::optional<QString> title;
    std::optional<QString> text;
    std::optional<QString> detailText;
    qint64 headerTextAlignment = 0;
    std::optional<QString> footnote;
    bool shouldTintImages = false;
    bool useSurveyMode = false;
    QList<std::shared_ptr<ORKBodyItem>> bodyItems;
    qint64 imageContentMode = 0;
    std::optional<QImage> iconImage;
    std::optional<QImage> auxiliaryImage;
    std::optional<QImage> image;
    qint64 bodyItemTextAlignment = 0;
    bool buildInBodyItems = false;
    bool useExtendedPadding = false;
};

}  // namespace pathloom
