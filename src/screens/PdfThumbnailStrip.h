#pragma once

#include <QListView>

class QPdfView;

namespace pathloom {

// A column of small pictures of a PDF's pages beside the view that shows it: pages are drawn
// when their row first shows, and a click on one brings that page into the view. The current
// page of the view is the selected row. The view and its document outlive the strip.
//
// Main thread only.
class PdfThumbnailStrip : public QListView {
    Q_OBJECT

public:
    static constexpr int kWidth = 60;

    explicit PdfThumbnailStrip(QPdfView& view, QWidget* parent = nullptr);

private:
    QPdfView& m_view;
};

}  // namespace pathloom
