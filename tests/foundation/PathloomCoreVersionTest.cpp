#include "foundation/PathloomCoreVersion.h"

#include <gtest/gtest.h>
#include <QString>
#include <QStringList>

namespace pathloom {
namespace {

// The version values follow the project's version: its text, and its major and minor parts as a
// number.
TEST(PathloomCoreVersion, FollowsTheProjectVersion) {
    const QString project = QStringLiteral(PATHLOOM_PROJECT_VERSION);
    EXPECT_EQ(QString::fromLatin1(PathloomCoreVersionString), project);
    const QStringList parts = project.split(u'.');
    ASSERT_GE(parts.size(), 2);
    EXPECT_DOUBLE_EQ(PathloomCoreVersionNumber, (parts[0] + u'.' + parts[1]).toDouble());
}

}  // namespace
}  // namespace pathloom
