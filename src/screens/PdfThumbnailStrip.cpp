#include "screens/PdfThumbnailStrip.h"

#include <QAbstractListModel>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QPdfDocument>
#include <QPdfPageNavigator>
#include <QPdfView>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

constexpr int kPageWidth = 44;
constexpr int kSpacing = 6;

// One row per page of the document; a page is drawn the first time its row is asked for and kept
// until the document changes.
class PageModel : public QAbstractListModel {
public:
    PageModel(QPdfDocument* document, QObject* parent)
        : QAbstractListModel(parent), m_document(document) {
        if (m_document) {
            connect(m_document, &QPdfDocument::statusChanged, this, [this] { reload(); });
            connect(m_document, &QPdfDocument::pageCountChanged, this, [this] { reload(); });
        }
    }

    [[nodiscard]] int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() || !m_document ||
                       m_document->status() != QPdfDocument::Status::Ready
                   ? 0
                   : m_document->pageCount();
    }

    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || index.row() >= rowCount({})) {
            return {};
        }
        switch (role) {
            case Qt::DecorationRole:
                return page(index.row());
            case Qt::ToolTipRole:
            case Qt::AccessibleTextRole:
                return tr("Page %1").arg(index.row() + 1);
            default:
                return {};
        }
    }

private:
    void reload() {
        beginResetModel();
        m_pages.clear();
        endResetModel();
    }

    [[nodiscard]] QImage page(int number) const {
        if (const auto found = m_pages.constFind(number); found != m_pages.cend()) {
            return *found;
        }
        const QSizeF points = m_document->pagePointSize(number);
        const int height =
            points.width() > 0 ? qRound(kPageWidth * points.height() / points.width()) : kPageWidth;
        const QImage drawn = m_document->render(number, QSize(kPageWidth, height));
        // Pages are drawn on a transparent ground; a thumbnail shows them on paper.
        QImage image(drawn.size(), QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter(&image).drawImage(0, 0, drawn);
        m_pages.insert(number, image);
        return image;
    }

    QPdfDocument* m_document;
    mutable QHash<int, QImage> m_pages;
};

}  // namespace

PdfThumbnailStrip::PdfThumbnailStrip(QPdfView& view, QWidget* parent)
    : QListView(parent), m_view(view) {
    setObjectName(u"pdfThumbnails"_s);
    setFixedWidth(kWidth);
    setFlow(QListView::TopToBottom);
    setSpacing(kSpacing);
    setIconSize(QSize(kPageWidth, 2 * kPageWidth));
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // A scroll bar would take most of the strip's width; the wheel still scrolls it.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setSelectionMode(QAbstractItemView::SingleSelection);
    // White pages need the view's darker ground around them to read as pages.
    QPalette ground = palette();
    ground.setColor(QPalette::Base, view.palette().color(QPalette::Dark));
    setPalette(ground);
    setModel(new PageModel(view.document(), this));
    connect(this, &QListView::clicked, this,
            [this](const QModelIndex& index) { m_view.pageNavigator()->jump(index.row(), {}); });
    connect(view.pageNavigator(), &QPdfPageNavigator::currentPageChanged, this,
            [this](int page) { setCurrentIndex(model()->index(page, 0)); });
}

}  // namespace pathloom
