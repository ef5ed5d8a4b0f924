#include "network/PDFImageRenderError.h"

namespace pathloom {

using namespace Qt::StringLiterals;

QString PDFImageRenderError::description() const { return u"Unable to save as PDF"_s; }

QString PDFImageRenderError::domain() { return u"PathloomCore.PDFImageRenderError"_s; }

}  // namespace pathloom
