#pragma once

#include "screens/PathloomImageTableViewCell.h"

namespace pathloom {

// A page's video row: the video's preview picture under a "play.fill" button that plays it.
class PathloomVideoTableViewCell : public PathloomImageTableViewCell {
    Q_OBJECT

public:
    explicit PathloomVideoTableViewCell(const SymbolCatalogue& symbols, QWidget* parent = nullptr);

protected:
    [[nodiscard]] std::optional<QString> buttonSymbol() const override;
};

}  // namespace pathloom
