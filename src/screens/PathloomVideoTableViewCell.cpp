#include "screens/PathloomVideoTableViewCell.h"

#include <QPushButton>

namespace pathloom {

using namespace Qt::StringLiterals;

PathloomVideoTableViewCell::PathloomVideoTableViewCell(const SymbolCatalogue& symbols,
                                                       QWidget* parent)
    : PathloomImageTableViewCell(symbols, parent) {
    setObjectName(u"videoCell"_s);
    setAccessibleName(u"Video"_s);
    button()->setEnabled(true);
    updateButton();
}

std::optional<QString> PathloomVideoTableViewCell::buttonSymbol() const { return u"play.fill"_s; }

}  // namespace pathloom
