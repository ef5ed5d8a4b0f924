#include "analytics/UserDefault.h"

namespace pathloom {

using namespace Qt::StringLiterals;

QString rawValue(UserDefault entry) {
    switch (entry) {
        case UserDefault::currentVisitorToken:
            break;
    }
    return u"currentVisitorToken"_s;
}

QString settingsKey(UserDefault entry) { return u"ahoy."_s + rawValue(entry); }

}  // namespace pathloom
