#include "screens/PagePicker.h"

#include "run/CapturedFiles.h"
#include "screens/AlertDialog.h"
#include "taskscreens/ORKBodyLabel.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QVBoxLayout>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

constexpr int kThumbnailSide = 96;
constexpr int kMargin = 16;
constexpr int kPageRole = Qt::UserRole;

// The local files a drag carries.
QStringList localFiles(const QMimeData* data) {
    QStringList paths;
    if (data == nullptr) {
        return paths;
    }
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile()) {
            paths.append(url.toLocalFile());
        }
    }
    return paths;
}

QPushButton* button(const QString& title, const QString& name) {
    auto* made = new QPushButton(title);
    made->setObjectName(u"pagePicker:"_s + name);
    return made;
}

}  // namespace

PagePicker::PagePicker(QWidget* parent)
    : QWidget(parent),
      m_pages(new QListWidget),
      m_remove(button(tr("Remove"), u"Remove"_s)),
      m_up(button(tr("Move Up"), u"Up"_s)),
      m_down(button(tr("Move Down"), u"Down"_s)),
      m_save(button(tr("Save"), u"Save"_s)) {
    setObjectName(u"pagePicker"_s);
    setAcceptDrops(true);

    m_pages->setObjectName(u"pagePicker:pages"_s);
    m_pages->setIconSize(QSize(kThumbnailSide, kThumbnailSide));
    m_pages->setSelectionMode(QAbstractItemView::SingleSelection);
    m_pages->setDragDropMode(QAbstractItemView::InternalMove);
    m_pages->setDefaultDropAction(Qt::MoveAction);
    m_pages->setAlternatingRowColors(true);
    connect(m_pages, &QListWidget::currentRowChanged, this, [this] { updateButtons(); });
    // A drag inside the list reorders the pages.
    connect(m_pages->model(), &QAbstractItemModel::rowsMoved, this, [this] { updateButtons(); });

    QPushButton* add = button(tr("Add Pages\u2026"), u"Add"_s);
    QPushButton* cancel = button(tr("Cancel"), u"Cancel"_s);
    m_save->setDefault(true);
    connect(add, &QPushButton::clicked, this, &PagePicker::openFileDialog);
    connect(m_remove, &QPushButton::clicked, this, [this] {
        delete m_pages->takeItem(m_pages->currentRow());
        updateButtons();
    });
    connect(m_up, &QPushButton::clicked, this, [this] { moveSelected(-1); });
    connect(m_down, &QPushButton::clicked, this, [this] { moveSelected(1); });
    connect(cancel, &QPushButton::clicked, this, &PagePicker::cancelled);
    connect(m_save, &QPushButton::clicked, this, [this] { Q_EMIT saved(pages()); });

    auto* editing = new QHBoxLayout;
    editing->addWidget(add);
    editing->addStretch();
    editing->addWidget(m_up);
    editing->addWidget(m_down);
    editing->addWidget(m_remove);
    auto* closing = new QHBoxLayout;
    closing->addStretch();
    closing->addWidget(cancel);
    closing->addWidget(m_save);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    layout->addWidget(
        new ORKBodyLabel(tr("Add a picture of each page, or drop picture files here.")));
    layout->addLayout(editing);
    layout->addWidget(m_pages, 1);
    layout->addLayout(closing);
    updateButtons();
}

void PagePicker::addFiles(const QStringList& paths) {
    std::optional<Error> firstError;
    for (const QString& path : paths) {
        std::expected<QImage, CaptureError> picture = CapturedFiles::readPicture(path);
        if (!picture) {
            if (!firstError) {
                firstError = picture.error();
            }
            continue;
        }
        auto* item = new QListWidgetItem(
            QIcon(QPixmap::fromImage(picture->scaled(
                kThumbnailSide, kThumbnailSide, Qt::KeepAspectRatio, Qt::SmoothTransformation))),
            QFileInfo(path).fileName());
        item->setData(kPageRole, *picture);
        // Dropped on another page, a page goes before it rather than replacing it.
        item->setFlags(item->flags() & ~Qt::ItemIsDropEnabled);
        m_pages->addItem(item);
    }
    if (m_pages->currentRow() < 0 && m_pages->count() > 0) {
        m_pages->setCurrentRow(m_pages->count() - 1);
    }
    updateButtons();
    if (firstError) {
        AlertDialog::showError(this, *firstError);
    }
}

QList<QImage> PagePicker::pages() const {
    QList<QImage> pages;
    for (int row = 0; row < m_pages->count(); ++row) {
        pages.append(m_pages->item(row)->data(kPageRole).value<QImage>());
    }
    return pages;
}

void PagePicker::dragEnterEvent(QDragEnterEvent* event) {
    if (!localFiles(event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
    }
}

void PagePicker::dropEvent(QDropEvent* event) {
    const QStringList paths = localFiles(event->mimeData());
    if (paths.isEmpty()) {
        return;
    }
    event->acceptProposedAction();
    addFiles(paths);
}

void PagePicker::openFileDialog() {
    auto* dialog = new QFileDialog(
        this, tr("Add Pages"), QDir::homePath(),
        tr("Pictures (*.png *.jpg *.jpeg *.heic *.heif *.gif *.bmp *.webp *.tif *.tiff)"));
    dialog->setObjectName(u"pagePicker:files"_s);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    // The platform's own dialog may not open at all offscreen or in a sandbox.
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setFileMode(QFileDialog::ExistingFiles);
    connect(dialog, &QFileDialog::filesSelected, this, &PagePicker::addFiles);
    dialog->open();
}

void PagePicker::moveSelected(int offset) {
    const int row = m_pages->currentRow();
    const int target = row + offset;
    if (row < 0 || target < 0 || target >= m_pages->count()) {
        return;
    }
    m_pages->insertItem(target, m_pages->takeItem(row));
    m_pages->setCurrentRow(target);
    updateButtons();
}

void PagePicker::updateButtons() {
    const int row = m_pages->currentRow();
    m_remove->setEnabled(row >= 0);
    m_up->setEnabled(row > 0);
    m_down->setEnabled(row >= 0 && row < m_pages->count() - 1);
    m_save->setEnabled(m_pages->count() > 0);
}

}  // namespace pathloom
