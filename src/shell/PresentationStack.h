#pragma once

#include <QList>
#include <QPointer>
#include <QStackedLayout>
#include <QWidget>
#include <functional>

namespace pathloom {

class ScreenJournal;

// The window's screens, one over the other: layer 0 is the root, every presented screen covers
// the ones under it and only the top one is visible. Dismissing a screen also dismisses whatever
// was presented over it. Completions run on the next pass of the event loop, as a platform's
// presentation ends after its animation; no animation is drawn, so that tests and screenshots are
// deterministic. Screens that are ScreenAppearance hear will/did appear and will disappear.
//
// Main thread only.
class PresentationStack : public QWidget {
    Q_OBJECT

public:
    explicit PresentationStack(QWidget& root, QWidget* parent = nullptr);

    // Shows `screen` over the top screen; the stack owns it until it is dismissed.
    void present(QWidget* screen, bool animated, std::function<void()> completion = {});
    // Removes `screen` and every screen over it; they are deleted later. Nothing happens for a
    // screen that is not presented.
    void dismiss(QWidget* screen, bool animated, std::function<void()> completion = {});
    // Removes every presented screen, leaving the root.
    void dismissAll(bool animated, std::function<void()> completion = {});

    [[nodiscard]] QWidget* topScreen() const;
    [[nodiscard]] bool isPresented(const QWidget* screen) const;
    [[nodiscard]] qsizetype depth() const { return m_screens.size(); }

    // Makes `child` cover `parent` exactly, as a child screen with its appearance callbacks.
    static void addCovering(QWidget& parent, QWidget& child);

Q_SIGNALS:
    // A screen was presented or dismissed; `animated` is kept for journals.
    void presented(QWidget* screen, bool animated);
    void dismissed(QWidget* screen, bool animated);

private:
    static void later(QObject* context, std::function<void()> work);

    QStackedLayout* m_layout;
    QList<QPointer<QWidget>> m_screens;
};

}  // namespace pathloom
