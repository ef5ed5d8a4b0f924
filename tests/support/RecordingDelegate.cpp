#include "RecordingDelegate.h"

namespace pathloom::test {

using namespace Qt::StringLiterals;

void RecordingDelegate::addResult(std::shared_ptr<ORKResult> result) {
    events.append(u"result"_s);
    results.append(std::move(result));
}

void RecordingDelegate::goForward() { events.append(u"forward"_s); }

void RecordingDelegate::goBackward() { events.append(u"backward"_s); }

void RecordingDelegate::showError(const Error& error) {
    events.append(u"error: "_s + error.localizedDescription());
    errors.append(error);
}

void RecordingDelegate::setLoading(bool loading) {
    events.append(loading ? u"loading"_s : u"loaded"_s);
}

void RecordingDelegate::contentDidChange(const std::optional<QString>& emptyMessage) {
    events.append(u"content"_s + (emptyMessage ? u": "_s + *emptyMessage : QString()));
}

void RecordingDelegate::buttonActionDidEnd() { events.append(u"action ended"_s); }

void RecordingDelegate::documentDidLoad(const QUrl& url, const QByteArray& bytes) {
    events.append(u"document "_s + url.path());
    documents.append(bytes);
}

void RecordingDelegate::confirm(const Confirmation& confirmation,
                                std::function<void(bool)> answer) {
    confirmations.append(confirmation);
    events.append(u"confirm"_s);
    answer(confirms);
}

void RecordingDelegate::presentWorkflow(
    const QString& name, std::function<void(ORKTaskViewControllerFinishReason)> done) {
    events.append(u"present "_s + name);
    done(presentedOutcome);
}

bool RecordingDelegate::ended() const {
    return !events.isEmpty() &&
           (events.last() == u"forward" || events.last().startsWith(u"error") ||
            events.last() == u"action ended" || events.last().startsWith(u"content"));
}

}  // namespace pathloom::test
