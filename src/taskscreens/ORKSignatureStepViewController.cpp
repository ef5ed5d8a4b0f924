#include "taskscreens/ORKSignatureStepViewController.h"

#include "taskmodel/ORKStep.h"
#include "taskscreens/SignaturePad.h"

#include <QAction>
#include <QPushButton>
#include <QVBoxLayout>

namespace pathloom {

using namespace Qt::StringLiterals;

ORKSignatureStepViewController::ORKSignatureStepViewController(std::shared_ptr<ORKStep> step,
                                                               ORKTaskViewController& task,
                                                               QWidget* parent)
    : CaptureStepViewController(step, task, parent), m_pad(new SignaturePad) {
    QVBoxLayout& content = *contentLayout();
    content.addWidget(m_pad);
    auto* clear = new QPushButton(u"Clear"_s);
    clear->setObjectName(u"clearSignature"_s);
    content.addWidget(clear, 0, Qt::AlignLeft);
    connect(clear, &QPushButton::clicked, m_pad, &SignaturePad::clear);
    connect(m_pad, &SignaturePad::changed, this,
            [this] { continueButtonItem()->setEnabled(!m_pad->isEmpty()); });
}

std::optional<CapturedFiles::Stored> ORKSignatureStepViewController::store(
    const CapturedFiles& files) const {
    if (m_pad->isEmpty()) {
        return std::nullopt;
    }
    return files.store(step()->identifier, m_pad->image(), u"signature.png"_s);
}

}  // namespace pathloom
