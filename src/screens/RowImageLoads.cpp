#include "screens/RowImageLoads.h"

#include "foundation/ImageLoader.h"

namespace pathloom {

void RowImageLoads::start(qsizetype row, ImageLoader& loader, const QString& address,
                          Completion done) {
    cancel(row);
    const quint64 generation = ++m_generation;
    std::optional<Cancellable> load = loader.asyncLoad(
        address, [this, row, generation, done = std::move(done)](std::optional<QImage> picture) {
            const auto current = m_generations.find(row);
            if (current != m_generations.end() && current->second == generation) {
                // The load has ended: its handle has nothing left to cancel.
                if (const auto entry = m_loads.find(row); entry != m_loads.end()) {
                    entry->second.release();
                    m_loads.erase(entry);
                }
                m_generations.erase(current);
            }
            done(std::move(picture));
        });
    if (load) {
        m_loads.insert_or_assign(row, std::move(*load));
        m_generations.insert_or_assign(row, generation);
    }
}

void RowImageLoads::cancel(qsizetype row) {
    m_loads.erase(row);
    m_generations.erase(row);
}

}  // namespace pathloom
