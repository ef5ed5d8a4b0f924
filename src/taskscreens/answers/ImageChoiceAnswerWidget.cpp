#include "taskscreens/answers/ImageChoiceAnswerWidget.h"

#include "taskmodel/ORKImageChoice.h"
#include "taskmodel/ORKImageChoiceAnswerFormat.h"
#include "taskscreens/answers/ArrowKeyFocus.h"

#include <QBoxLayout>
#include <QPixmap>
#include <QToolButton>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

constexpr int kPictureSide = 64;

}  // namespace

ImageChoiceAnswerWidget::ImageChoiceAnswerWidget(const ORKImageChoiceAnswerFormat& format,
                                                 QWidget* parent)
    : AnswerWidget(format, parent), m_choices(format) {
    auto* layout =
        new QBoxLayout(format.vertical ? QBoxLayout::TopToBottom : QBoxLayout::LeftToRight, this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* arrows = new ArrowKeyFocus(this);
    for (qsizetype index = 0; index < format.imageChoices.size(); ++index) {
        const auto& choice = format.imageChoices[index];
        auto* button = new QToolButton(this);
        button->setObjectName(u"choice:%1"_s.arg(index));
        button->setCheckable(true);
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setIconSize(QSize(kPictureSide, kPictureSide));
        button->setText(choice ? choice->text.value_or(QString()) : QString());
        button->setAccessibleName(button->text());
        connect(button, &QToolButton::toggled, this,
                [this, index](bool checked) { toggled(index, checked); });
        layout->addWidget(button);
        arrows->add(button);
        m_buttons.append(button);
    }
    layout->addStretch();
    if (!m_buttons.isEmpty()) {
        setFocusProxy(m_buttons.first());
    }
    showPictures();
}

void ImageChoiceAnswerWidget::toggled(qsizetype index, bool checked) {
    if (checked && m_choices.style == 0) {
        for (qsizetype other = 0; other < m_buttons.size(); ++other) {
            if (other != index) {
                const QSignalBlocker blocker(m_buttons[other]);
                m_buttons[other]->setChecked(false);
            }
        }
    }
    showPictures();
    Q_EMIT answerChanged();
}

void ImageChoiceAnswerWidget::showPictures() {
    for (qsizetype index = 0; index < m_buttons.size(); ++index) {
        const auto& choice = m_choices.imageChoices[index];
        if (!choice) {
            continue;
        }
        const bool chosen = m_buttons[index]->isChecked();
        const std::optional<QImage>& picture = chosen && choice->selectedStateImage
                                                   ? choice->selectedStateImage
                                                   : choice->normalStateImage;
        m_buttons[index]->setIcon(picture ? QIcon(QPixmap::fromImage(*picture)) : QIcon());
    }
}

Value ImageChoiceAnswerWidget::answer() const {
    Value::Array chosen;
    for (qsizetype index = 0; index < m_buttons.size(); ++index) {
        if (m_buttons[index]->isChecked() && m_choices.imageChoices[index]) {
            chosen.append(m_choices.imageChoices[index]->value);
        }
    }
    return chosen.isEmpty() ? Value() : Value(chosen);
}

void ImageChoiceAnswerWidget::setAnswer(const Value& answer) {
    const Value::Array* given = answer.as<Value::Array>();
    if (!answer.isNone() && given == nullptr) {
        return;
    }
    for (qsizetype index = 0; index < m_buttons.size(); ++index) {
        const auto& choice = m_choices.imageChoices[index];
        const QSignalBlocker blocker(m_buttons[index]);
        m_buttons[index]->setChecked(given != nullptr && choice && given->contains(choice->value));
    }
    showPictures();
    Q_EMIT answerChanged();
}

}  // namespace pathloom
