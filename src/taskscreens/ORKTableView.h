#pragma once

#include <QPointer>
#include <QScrollArea>
#include <functional>

class QVBoxLayout;

namespace pathloom {

// The rows of a table step, one widget (cell) per row, in a scroll area. It tells when a row comes
// into the visible area and when it leaves it (scrolling, resizing, reloading), so that a screen
// fetches a row's picture only while the row can be seen (worked out once the rows are laid out,
// on a later pass of the event loop); it reports a row chosen with a click,
// Return or Space while selection is on; and it can cover its rows with a background view (a
// loading view, an empty message) without dropping them.
//
// Main thread only. The table owns its cells and its background view.
class ORKTableView : public QScrollArea {
    Q_OBJECT

public:
    using CellProvider = std::function<QWidget*(qsizetype row)>;

    explicit ORKTableView(QWidget* parent = nullptr);

    // Makes the cell of a row on each reload.
    void setCellProvider(CellProvider provider) { m_provider = std::move(provider); }
    // Makes every cell again: the rows shown so far end their display, then the rows now in view
    // begin theirs.
    void reloadData(qsizetype rowCount);
    [[nodiscard]] qsizetype rowCount() const { return m_cells.size(); }
    // The cell of `row`; null for a row the table does not have.
    [[nodiscard]] QWidget* cellForRow(qsizetype row) const;
    // The row of `cell`, or -1.
    [[nodiscard]] qsizetype rowForCell(const QWidget* cell) const;
    [[nodiscard]] bool isRowDisplayed(qsizetype row) const;

    // Covers the rows with `view` (owned from now on), or uncovers them for null; the view shown
    // before goes.
    void setBackgroundView(QWidget* view);
    [[nodiscard]] QWidget* backgroundView() const { return m_background; }

    void setSelectionEnabled(bool enabled) { m_selectionEnabled = enabled; }
    [[nodiscard]] bool isSelectionEnabled() const { return m_selectionEnabled; }
    // Space above the first row.
    void setHeaderHeight(int height);

Q_SIGNALS:
    void willDisplayRow(qsizetype row, QWidget* cell);
    void didEndDisplayingRow(qsizetype row, QWidget* cell);
    void rowSelected(qsizetype row);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void scheduleUpdate();
    // Compares the rows in view with those displayed so far and reports the difference.
    void updateDisplayedRows();
    void reportDisplayedRows();
    void placeBackground();
    [[nodiscard]] QWidget* makeSeparator() const;

    CellProvider m_provider;
    QWidget* m_rows;
    QVBoxLayout* m_layout;
    QList<QWidget*> m_cells;
    QList<QWidget*> m_separators;
    QList<bool> m_displayed;
    QPointer<QWidget> m_background;
    bool m_selectionEnabled = false;
    bool m_updateScheduled = false;
    bool m_updating = false;
    bool m_updateAgain = false;
};

}  // namespace pathloom
