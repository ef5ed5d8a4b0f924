#include "screens/LoadingStateView.h"

#include "screens/ActivitySpinner.h"

#include <QVBoxLayout>

namespace pathloom {

LoadingStateView::LoadingStateView(QWidget* parent)
    : QWidget(parent), m_activityIndicator(new ActivitySpinner(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_activityIndicator, 0, Qt::AlignCenter);
    m_activityIndicator->start();
}

}  // namespace pathloom
