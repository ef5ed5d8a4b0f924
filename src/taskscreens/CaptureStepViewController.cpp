#include "taskscreens/CaptureStepViewController.h"

#include "screens/AlertDialog.h"
#include "taskmodel/ORKStep.h"
#include "taskscreens/ORKTaskViewController.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QMimeData>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

// The local file a drop carries, if it carries exactly one.
QString droppedFile(const QMimeData* data) {
    if (data == nullptr || data->urls().size() != 1 || !data->urls().first().isLocalFile()) {
        return {};
    }
    return data->urls().first().toLocalFile();
}

}  // namespace

CaptureStepViewController::CaptureStepViewController(std::shared_ptr<ORKStep> step,
                                                     ORKTaskViewController& task, QWidget* parent)
    : ORKStepViewController(step, task, parent) {
    addTitleAndText();
    continueButtonItem()->setEnabled(false);
}

bool CaptureStepViewController::useFile(const QString&) { return false; }

void CaptureStepViewController::openFilePicker(const QString& title, const QString& filter,
                                               const QString& name) {
    auto* dialog = new QFileDialog(this, title, QDir::homePath(), filter);
    dialog->setObjectName(name + u"Picker"_s);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setFileMode(QFileDialog::ExistingFile);
    connect(dialog, &QFileDialog::fileSelected, this,
            [this](const QString& path) { useFile(path); });
    dialog->open();
}

void CaptureStepViewController::willLeave(ORKStepViewControllerNavigationDirection) {
    const QString output = taskViewController().runner()->environment().outputDirectory;
    std::optional<CapturedFiles::Stored> stored =
        store(CapturedFiles(QDir(output.isEmpty() ? QDir::tempPath() : output)));
    if (!stored) {
        return;
    }
    if (!*stored) {
        AlertDialog::showError(this, stored->error());
        return;
    }
    addResult(std::move(**stored));
}

void CaptureStepViewController::dragEnterEvent(QDragEnterEvent* event) {
    if (!droppedFile(event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
    }
}

void CaptureStepViewController::dropEvent(QDropEvent* event) {
    const QString path = droppedFile(event->mimeData());
    if (!path.isEmpty()) {
        event->acceptProposedAction();
        useFile(path);
    }
}

}  // namespace pathloom
