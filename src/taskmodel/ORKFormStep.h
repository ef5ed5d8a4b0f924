#pragma once

#include "taskmodel/ORKFormItem.h"
#include "taskmodel/ORKStep.h"

#include <QList>
#include <QString>
#include <memory>
#include <optional>

namespace pathloom {

// A step that asks several questions on one page, one form item each.
class ORKFormStep : public ORKStep {
public:
    using ORKStep::ORKStep;

    QList<std::shared_ptr<ORKFormItem>> formItems;
    bool useCardView = false;
    std::optional<QString> footerText;
    qint64 cardViewStyle = 0;
};

}  // namespace pathloom
