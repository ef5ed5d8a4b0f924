#include "run/CaptureError.h"

namespace pathloom {

using namespace Qt::StringLiterals;

QString CaptureError::domain() { return u"pathloom.capture"_s; }

QString CaptureError::description() const {
    switch (m_case) {
        case Case::missingSource:
            return u"There is no file at %1."_s.arg(m_path);
        case Case::unreadableSource:
            return u"The file %1 cannot be read."_s.arg(m_path);
        case Case::notAPicture:
            return u"This file is not a picture."_s;
        case Case::invalidFileName:
            return u"'%1' is not a file name."_s.arg(m_path);
        case Case::notStored:
            return u"Could not store the capture as %1."_s.arg(m_path);
    }
    return {};
}

}  // namespace pathloom
