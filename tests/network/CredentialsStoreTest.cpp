#include "network/CredentialsStore.h"

#include "foundation/FileKeyStore.h"
#include "foundation/Json.h"
#include "network/SecurityStore.h"

#include "InMemoryKeyStore.h"
#include "QtPrinting.h"

#include <gtest/gtest.h>
#include <QTemporaryDir>

namespace pathloom {
namespace {

using namespace Qt::StringLiterals;

const QString kSession = Credential::sessionToken();
const QString kRefresh = Credential::refreshToken();

// The error of a result, or nothing when it succeeded.
template <typename T>
std::optional<CredentialError> errorOf(const std::expected<T, CredentialError>& result) {
    return result ? std::nullopt : std::optional(result.error());
}

Credential token(const QString& type, const QString& value) {
    return {type, value, QDateTime(QDate(2030, 5, 17), QTime(8, 30, 15, 250), Qt::UTC)};
}

class CredentialsStoreTest : public testing::Test {
protected:
    QTemporaryDir m_temporary;
    std::shared_ptr<SecurityStore> m_security =
        std::make_shared<SecurityStore>(std::make_shared<FileKeyStore>(m_temporary.path()));
    CredentialsStore m_store{m_security};
};

TEST_F(CredentialsStoreTest, AnEmptyStoreHasNothingToReadOrRemove) {
    const auto credential = m_store.credential(kSession);
    ASSERT_TRUE(credential.has_value());
    EXPECT_FALSE(credential->has_value());
    EXPECT_TRUE(m_store.removeCredential(kSession).has_value());
    EXPECT_EQ(m_store.removeAllCredentials(), std::nullopt);
}

TEST_F(CredentialsStoreTest, ReadsBackAStoredCredentialInTheStorageForm) {
    const Credential stored = token(kSession, u"abc.def"_s);
    ASSERT_TRUE(m_store.storeCredential(stored).has_value());

    EXPECT_EQ(m_store.credential(kSession).value(), std::optional(stored));
    const auto bytes = m_security->retrieve(kSession);
    ASSERT_TRUE(bytes.has_value() && bytes->has_value());
    const auto object = json::asObject(json::parse(**bytes).value_or(QJsonValue()));
    ASSERT_TRUE(object.has_value());
    EXPECT_EQ(object->value(u"type"_s), u"sessionToken"_s);
    EXPECT_EQ(object->value(u"value"_s), u"abc.def"_s);
    // Seconds since 2001-01-01T00:00:00Z.
    EXPECT_DOUBLE_EQ(object->value(u"expirationDate"_s).toDouble(), 926929815.25);
}

struct StoredForm {
    const char* name;
    QByteArray bytes;
    std::optional<Credential> expected;  // nothing: the bytes are no credential
};

void PrintTo(const StoredForm& form, std::ostream* os) { *os << form.name; }

class CredentialsStoredFormTest : public CredentialsStoreTest,
                                  public testing::WithParamInterface<StoredForm> {};

TEST_P(CredentialsStoredFormTest, ReadsTheHostsBytesOrDeletesThem) {
    ASSERT_TRUE(m_security->write(kSession, GetParam().bytes).has_value());

    const auto first = m_store.credential(kSession);
    if (GetParam().expected) {
        EXPECT_EQ(first.value(), std::optional(*GetParam().expected));
        return;
    }
    ASSERT_FALSE(first.has_value());
    EXPECT_EQ(first.error(), CredentialError::invalidInputData());
    const auto second = m_store.credential(kSession);
    ASSERT_TRUE(second.has_value());
    EXPECT_FALSE(second->has_value());
}

INSTANTIATE_TEST_SUITE_P(
    Forms, CredentialsStoredFormTest,
    testing::Values(
        StoredForm{"WholeSeconds", R"({"type":"sessionToken","value":"t","expirationDate":86400})",
                   Credential{u"sessionToken"_s, u"t"_s,
                              QDateTime(QDate(2001, 1, 2), QTime(0, 0), Qt::UTC)}},
        StoredForm{"BeforeTheReferenceDateWithExtraKeys",
                   R"({"type":"refreshToken","value":"r","expirationDate":-0.5,"scope":"all"})",
                   Credential{u"refreshToken"_s, u"r"_s,
                              QDateTime(QDate(2000, 12, 31), QTime(23, 59, 59, 500), Qt::UTC)}},
        StoredForm{"NotJson", "token=abc", std::nullopt},
        StoredForm{"NoExpirationDate", R"({"type":"sessionToken","value":"t"})", std::nullopt},
        StoredForm{"NoValue", R"({"type":"sessionToken","expirationDate":1})", std::nullopt},
        StoredForm{"TypeNotText", R"({"type":1,"value":"t","expirationDate":1})", std::nullopt},
        StoredForm{"DateAsText",
                   R"({"type":"sessionToken","value":"t","expirationDate":"2030-01-01"})",
                   std::nullopt},
        StoredForm{"Array", R"([{"type":"sessionToken","value":"t","expirationDate":1}])",
                   std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CredentialsStoreTest, RemovingAllWithOnlyARefreshTokenRemovesItAndReportsNothing) {
    ASSERT_TRUE(m_store.storeCredential(token(kRefresh, u"r"_s)).has_value());

    EXPECT_EQ(m_store.removeAllCredentials(), std::nullopt);
    EXPECT_EQ(m_store.credential(kRefresh).value(), std::optional<Credential>());
}

TEST_F(CredentialsStoreTest, RemovesTheItemAskedForWhateverTypeItsContentNames) {
    ASSERT_TRUE(m_store.storeCredential(token(kRefresh, u"r"_s)).has_value());
    const Credential mislabelled = token(u"custom"_s, u"s"_s);
    ASSERT_TRUE(m_security->write(kSession, mislabelled.toJson()).has_value());

    EXPECT_TRUE(m_store.removeCredential(kSession).has_value());
    EXPECT_EQ(m_store.credential(kSession).value(), std::optional<Credential>());
    EXPECT_EQ(m_store.credential(kRefresh).value(), std::optional(token(kRefresh, u"r"_s)));
}

class CredentialsStoreFailureTest : public testing::Test {
protected:
    std::shared_ptr<test::InMemoryKeyStore> m_keys = std::make_shared<test::InMemoryKeyStore>();
    std::shared_ptr<SecurityStore> m_security = std::make_shared<SecurityStore>(m_keys);
    CredentialsStore m_store{m_security};
};

TEST_F(CredentialsStoreFailureTest, AFailingKeyStoreIsAStoringErrorNotAnEmptyStore) {
    ASSERT_TRUE(m_store.storeCredential(token(kSession, u"s"_s)).has_value());
    m_keys->failWith(test::InMemoryKeyStore::Operation::copyMatching,
                     KeyStore::interactionNotAllowed);

    EXPECT_EQ(errorOf(m_store.credential(kSession)), CredentialError::storingError());
    EXPECT_EQ(errorOf(m_store.removeCredential(kSession)), CredentialError::storingError());
    EXPECT_EQ(m_store.removeAllCredentials(), CredentialError::storingError());
    m_keys->clearFailures();
    EXPECT_EQ(m_store.credential(kSession).value(), std::optional(token(kSession, u"s"_s)));
}

TEST_F(CredentialsStoreFailureTest, AFailedDeletionIsAStoringError) {
    ASSERT_TRUE(m_store.storeCredential(token(kRefresh, u"r"_s)).has_value());
    m_keys->failWith(test::InMemoryKeyStore::Operation::remove, KeyStore::ioError);

    EXPECT_EQ(errorOf(m_store.removeCredential(kRefresh)), CredentialError::storingError());
    EXPECT_EQ(m_store.removeAllCredentials(), CredentialError::storingError());
    EXPECT_EQ(errorOf(m_security->remove(u"absent"_s)), CredentialError::storingError());
}

TEST_F(CredentialsStoreFailureTest, AnItemWithoutBytesIsAStoringError) {
    ASSERT_EQ(m_keys->add({.itemClass = KeyStore::ItemClass::genericPassword, .generic = kSession}),
              KeyStore::success);
    EXPECT_EQ(errorOf(m_store.credential(kSession)), CredentialError::storingError());
}

}  // namespace
}  // namespace pathloom
