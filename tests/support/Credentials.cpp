#include "Credentials.h"

#include "network/SecurityStore.h"

#include <gtest/gtest.h>

namespace pathloom::test {

Credentials credentialsWithSessionToken(const std::optional<QString>& token) {
    auto keyStore = std::make_shared<InMemoryKeyStore>();
    auto store =
        std::make_shared<const CredentialsStore>(std::make_shared<const SecurityStore>(keyStore));
    if (token) {
        const Credential credential{Credential::sessionToken(), *token,
                                    QDateTime::currentDateTimeUtc().addDays(1)};
        EXPECT_TRUE(store->storeCredential(credential));
    }
    return {std::move(keyStore), std::move(store)};
}

}  // namespace pathloom::test
