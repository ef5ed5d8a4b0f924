#include "network/AuthRedirector.h"

#include "network/AuthProviderImplementation.h"

#include <gtest/gtest.h>
#include <QStringList>

namespace pathloom {
namespace {

using namespace Qt::StringLiterals;

// Accepts the redirects of one scheme and records every URL it is offered.
class SchemeResumer : public AuthFlowResumer {
public:
    explicit SchemeResumer(QString scheme) : m_scheme(std::move(scheme)) {}

    bool resumeAuth(const QUrl& url) override {
        m_offered.append(url.toString());
        return url.scheme() == m_scheme;
    }

    [[nodiscard]] const QStringList& offered() const { return m_offered; }

private:
    QString m_scheme;
    QStringList m_offered;
};

class HostRedirector : public AuthRedirector {
public:
    std::shared_ptr<AuthFlowResumer> authFlowResumer() const override { return m_resumer; }
    void setAuthFlowResumer(std::shared_ptr<AuthFlowResumer> resumer) override {
        m_resumer = std::move(resumer);
    }

private:
    std::shared_ptr<AuthFlowResumer> m_resumer;
};

TEST(AuthRedirectorTest, WithoutAWaitingFlowNoRedirectIsHandled) {
    HostRedirector redirector;
    EXPECT_FALSE(redirector.handleAuthRedirect(QUrl(u"myapp://signed-in"_s)));
}

TEST(AuthRedirectorTest, KeepsTheResumerUntilItAcceptsARedirect) {
    auto redirector = std::make_shared<HostRedirector>();
    const auto resumer = std::make_shared<SchemeResumer>(u"myapp"_s);
    AuthRedirector::authRedirectHandler(redirector).handler()(resumer);

    EXPECT_FALSE(redirector->handleAuthRedirect(QUrl(u"https://elsewhere.example"_s)));
    EXPECT_EQ(redirector->authFlowResumer(), resumer);
    EXPECT_TRUE(redirector->handleAuthRedirect(QUrl(u"myapp://signed-in?code=1"_s)));
    EXPECT_EQ(redirector->authFlowResumer(), nullptr);
    EXPECT_FALSE(redirector->handleAuthRedirect(QUrl(u"myapp://signed-in?code=2"_s)));
    EXPECT_EQ(resumer->offered(),
              QStringList({u"https://elsewhere.example"_s, u"myapp://signed-in?code=1"_s}));
}

TEST(AuthRedirectorTest, AHandlerOutlivingItsRedirectorDoesNothing) {
    auto redirector = std::make_shared<HostRedirector>();
    const AuthRedirectHandler handler = AuthRedirector::authRedirectHandler(redirector);
    redirector.reset();
    const auto resumer = std::make_shared<SchemeResumer>(u"myapp"_s);

    handler.handler()(resumer);
    EXPECT_EQ(resumer.use_count(), 1);
}

TEST(AuthProviderImplementationTest, StartsTheFlowWithTheCompletionAndGivesItsResumer) {
    const auto resumer = std::make_shared<SchemeResumer>(u"myapp"_s);
    AuthProvider::Completion started;
    AuthProviderImplementation provider([&](AuthProvider::Completion completion) {
        started = std::move(completion);
        return resumer;
    });
    std::optional<std::expected<Credential, Error>> result;

    EXPECT_EQ(provider.authenticate([&](auto credential) { result = std::move(credential); }),
              resumer);
    ASSERT_TRUE(started);
    const Credential credential{u"sessionToken"_s, u"abc"_s, QDateTime::fromSecsSinceEpoch(0)};
    started(credential);
    ASSERT_TRUE(result && result->has_value());
    EXPECT_EQ(**result, credential);
}

}  // namespace
}  // namespace pathloom
