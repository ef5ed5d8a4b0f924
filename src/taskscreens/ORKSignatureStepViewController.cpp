#include "taskscreens/ORKSignatureStepViewController.h"

#include "run/CapturedFiles.h"
#include "screens/AlertDialog.h"
#include "taskmodel/ORKStep.h"
#include "taskscreens/ORKBodyLabel.h"
#include "taskscreens/ORKTaskViewController.h"
#include "taskscreens/ORKTitleLabel.h"
#include "taskscreens/SignaturePad.h"

#include <QAction>
#include <QPushButton>
#include <QVBoxLayout>

namespace pathloom {

using namespace Qt::StringLiterals;

ORKSignatureStepViewController::ORKSignatureStepViewController(std::shared_ptr<ORKStep> step,
                                                               ORKTaskViewController& task,
                                                               QWidget* parent)
    : ORKStepViewController(step, task, parent), m_pad(new SignaturePad) {
    QVBoxLayout& content = *contentLayout();
    if (step->title) {
        content.addWidget(new ORKTitleLabel(*step->title));
    }
    if (step->text) {
        content.addWidget(new ORKBodyLabel(*step->text));
    }
    content.addWidget(m_pad);
    auto* clear = new QPushButton(u"Clear"_s);
    clear->setObjectName(u"clearSignature"_s);
    content.addWidget(clear, 0, Qt::AlignLeft);
    connect(clear, &QPushButton::clicked, m_pad, &SignaturePad::clear);
    connect(m_pad, &SignaturePad::changed, this,
            [this] { continueButtonItem()->setEnabled(!m_pad->isEmpty()); });
    continueButtonItem()->setEnabled(false);
}

void ORKSignatureStepViewController::willLeave(ORKStepViewControllerNavigationDirection) {
    if (m_pad->isEmpty()) {
        return;
    }
    const QString output = taskViewController().runner()->environment().outputDirectory;
    const CapturedFiles files(QDir(output.isEmpty() ? QDir::tempPath() : output));
    CapturedFiles::Stored stored =
        files.store(step()->identifier, m_pad->image(), u"signature.png"_s);
    if (!stored) {
        AlertDialog::showError(this, stored.error());
        return;
    }
    addResult(std::move(*stored));
}

}  // namespace pathloom
