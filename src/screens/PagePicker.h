#pragma once

#include <QImage>
#include <QList>
#include <QStringList>
#include <QWidget>

class QListWidget;
class QPushButton;

namespace pathloom {

// Collects the pages of a document from picture files, for computers without a camera: "Add
// Pages…" opens a file dialog, picture files can be dropped on it, and the pages can be removed
// and put in another order (with the buttons, or by dragging them in the list). "Save" hands the
// pages on in their order and is enabled only while there are pages; "Cancel" gives up.
//
// Handles: "pagePicker", its list "pagePicker:pages", its buttons "pagePicker:Add",
// "pagePicker:Remove", "pagePicker:Up", "pagePicker:Down", "pagePicker:Cancel", "pagePicker:Save";
// the file dialog is "pagePicker:files". Main thread only.
class PagePicker : public QWidget {
    Q_OBJECT

public:
    explicit PagePicker(QWidget* parent = nullptr);

    // Adds the pictures in these files as pages after the others. A file that is no picture is
    // said in the error alert and left out; the other files are added.
    void addFiles(const QStringList& paths);
    // The pages in their order.
    [[nodiscard]] QList<QImage> pages() const;

Q_SIGNALS:
    void saved(const QList<QImage>& pages);
    void cancelled();

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void openFileDialog();
    void moveSelected(int offset);
    void updateButtons();

    QListWidget* m_pages;
    QPushButton* m_remove;
    QPushButton* m_up;
    QPushButton* m_down;
    QPushButton* m_save;
};

}  // namespace pathloom
