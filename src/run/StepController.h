#pragma once

#include "run/StepKind.h"
#include "steps/StepControllerDelegate.h"

#include <QDateTime>
#include <QString>
#include <memory>
#include <variant>

namespace pathloom {

class DisplayStepController;
class DocumentCaptureController;
class EmailStepController;
class ListStepController;
class MailComposer;
class NetworkStepController;
class ORKStep;
class PdfStepController;
class SimulatedNetworkStepController;

// Owns the controller of the step shown now, whatever its kind: the one thing a step screen and
// the command's step actor hold while a framework step is shown. Dropping it cancels the
// controller's work. Steps of the task framework have no controller; theirs is empty.
class StepController {
public:
    // What the controllers need besides the step and its delegate.
    struct Services {
        // Composes the mails of e-mail steps; without one, e-mail steps get no controller.
        MailComposer* mailComposer = nullptr;
        // Where a document scan is written as a PDF file.
        QString outputDirectory;
    };

    StepController() = default;
    // The controller of `step`, reporting to `delegate`, which outlives it. `stepStartDate` is when
    // the step's current visit began.
    [[nodiscard]] static StepController make(const std::shared_ptr<ORKStep>& step,
                                             StepControllerDelegate& delegate,
                                             const Services& services,
                                             const QDateTime& stepStartDate);

    [[nodiscard]] StepKind kind() const { return m_kind; }
    [[nodiscard]] bool isEmpty() const {
        return std::holds_alternative<std::monostate>(m_controller);
    }
    // What the step does each time it appears: posts, waits, fetches its content or its document.
    // Lists and pages of the document, e-mail and document capture steps wait for the user.
    void stepWillAppear();

    // The controller of its kind, else null.
    [[nodiscard]] NetworkStepController* network() const;
    [[nodiscard]] ListStepController* list() const;
    [[nodiscard]] DisplayStepController* display() const;
    [[nodiscard]] EmailStepController* email() const;
    [[nodiscard]] PdfStepController* pdf() const;
    [[nodiscard]] DocumentCaptureController* documentCapture() const;

private:
    template <typename T>
    [[nodiscard]] T* get() const;

    StepKind m_kind = StepKind::other;
    std::variant<std::monostate, std::shared_ptr<NetworkStepController>,
                 std::shared_ptr<SimulatedNetworkStepController>,
                 std::shared_ptr<ListStepController>, std::shared_ptr<DisplayStepController>,
                 std::shared_ptr<EmailStepController>, std::shared_ptr<PdfStepController>,
                 std::shared_ptr<DocumentCaptureController>>
        m_controller;
};

}  // namespace pathloom
