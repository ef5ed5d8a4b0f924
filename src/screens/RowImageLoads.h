#pragma once

#include "foundation/Cancellable.h"

#include <QImage>
#include <QString>
#include <functional>
#include <map>
#include <optional>

namespace pathloom {

class ImageLoader;

// The picture loads of a table's rows, at most one per row: a new load for a row, or the row
// leaving the view, cancels the one before; a load that ends leaves the table. Dropping the
// whole cancels every load, so no completion reaches a screen that is gone.
//
// Main thread only.
class RowImageLoads {
public:
    using Completion = std::function<void(std::optional<QImage>)>;

    // Loads `address` through `loader` for `row`. `done` runs on the main thread with the picture,
    // or nothing when there is none; at once when the picture is at hand, else later unless the
    // row's load is cancelled first.
    void start(qsizetype row, ImageLoader& loader, const QString& address, Completion done);
    void cancel(qsizetype row);
    void cancelAll() { m_loads.clear(); }
    [[nodiscard]] bool isLoading(qsizetype row) const { return m_loads.contains(row); }
    [[nodiscard]] std::size_t size() const { return m_loads.size(); }

private:
    std::map<qsizetype, Cancellable> m_loads;
    // Tells a finished load from the later one that replaced it for the same row.
    quint64 m_generation = 0;
    std::map<qsizetype, quint64> m_generations;
};

}  // namespace pathloom
