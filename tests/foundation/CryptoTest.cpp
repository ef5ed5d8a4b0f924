#include "foundation/ChaChaPoly.h"
#include "foundation/Hkdf.h"
#include "foundation/P521PrivateKey.h"
#include "foundation/Sha256.h"

#include "QtPrinting.h"

#include <gtest/gtest.h>

namespace pathloom {
namespace {

QByteArray hex(const char* digits) { return QByteArray::fromHex(digits); }

QByteArray range(int first, int count) {
    QByteArray bytes;
    for (int i = 0; i < count; ++i) {
        bytes.append(static_cast<char>(first + i));
    }
    return bytes;
}

// RFC 8439, section 2.8.2.
struct AeadVector {
    QByteArray key = range(0x80, 32);
    QByteArray nonce = hex("070000004041424344454647");
    QByteArray associatedData = hex("50515253c0c1c2c3c4c5c6c7");
    QByteArray plaintext =
        "Ladies and Gentlemen of the class of '99: If I could offer you only one tip for the "
        "future, sunscreen would be it.";
    QByteArray ciphertext = hex(
        "d31a8d34648e60db7b86afbc53ef7ec2a4aded51296e08fea9e2b5a736ee62d63dbea45e8ca9671282fafb69"
        "da92728b1a71de0a9e060b2905d6a5b67ecd3b3692ddbd7f2d778b8c9803aee328091b58fab324e4fad67594"
        "5585808b4831d7bc3ff4def08e4b7a9de576d26586cec64b6116");
    QByteArray tag = hex("1ae10b594f09e26a7e902ecbd0600691");
};

TEST(ChaChaPolyTest, SealsAndOpensThePublishedAeadVector) {
    const AeadVector vector;
    const auto combined =
        ChaChaPoly::seal(vector.key, vector.nonce, vector.plaintext, vector.associatedData);
    ASSERT_TRUE(combined.has_value());
    EXPECT_EQ(combined->toHex(), (vector.nonce + vector.ciphertext + vector.tag).toHex());

    const auto opened = ChaChaPoly::open(vector.key, *combined, vector.associatedData);
    ASSERT_TRUE(opened.has_value());
    EXPECT_EQ(*opened, vector.plaintext);
}

TEST(ChaChaPolyTest, SealsEachTimeUnderAFreshNonce) {
    const QByteArray key = range(1, 32);
    const auto first = ChaChaPoly::seal(key, "same text");
    const auto second = ChaChaPoly::seal(key, "same text");
    ASSERT_TRUE(first.has_value());
    ASSERT_TRUE(second.has_value());
    EXPECT_EQ(first->size(), 12 + 9 + 16);
    EXPECT_NE(first->first(12), second->first(12));
    EXPECT_EQ(ChaChaPoly::open(key, *first), QByteArray("same text"));
    EXPECT_EQ(ChaChaPoly::open(key, *second), QByteArray("same text"));
}

TEST(ChaChaPolyTest, SealsInPlaceTheBoxSealGives) {
    const QByteArray key = range(1, 32);
    QByteArray large(1 << 20, Qt::Uninitialized);
    for (qsizetype i = 0; i < large.size(); ++i) {
        large[i] = char(i * 7);
    }
    for (const QByteArray& text : {QByteArray(), QByteArray("same text"), large}) {
        // The caller's own copy of the text shares its buffer until the seal writes into it.
        const QByteArray kept = text;
        const auto first = ChaChaPoly::sealInPlace(key, text);
        const auto second = ChaChaPoly::sealInPlace(key, text);
        ASSERT_TRUE(first.has_value());
        ASSERT_TRUE(second.has_value());
        EXPECT_EQ(text, kept);
        EXPECT_EQ(first->size(), 12 + text.size() + 16);
        EXPECT_NE(first->first(12), second->first(12));
        EXPECT_EQ(ChaChaPoly::open(key, *first), text);
        EXPECT_EQ(ChaChaPoly::open(key, *second), text);
    }
    EXPECT_FALSE(ChaChaPoly::sealInPlace(range(0, 16), "text").has_value());
}

TEST(ChaChaPolyTest, OpensTheSmallestSealedBoxToNothing) {
    const QByteArray key = range(1, 32);
    const auto sealed = ChaChaPoly::seal(key, QByteArray());
    ASSERT_TRUE(sealed.has_value());
    ASSERT_EQ(sealed->size(), 28);
    const auto opened = ChaChaPoly::open(key, *sealed);
    ASSERT_TRUE(opened.has_value());
    EXPECT_TRUE(opened->isEmpty());
}

struct TamperCase {
    const char* name;
    std::function<void(QByteArray& combined, QByteArray& key, QByteArray& associatedData)> change;
    CryptoError::Case expected;
};

void PrintTo(const TamperCase& tamperCase, std::ostream* os) { *os << tamperCase.name; }

class ChaChaPolyRefusalTest : public testing::TestWithParam<TamperCase> {};

TEST_P(ChaChaPolyRefusalTest, RefusesToOpen) {
    const AeadVector vector;
    QByteArray combined = vector.nonce + vector.ciphertext + vector.tag;
    QByteArray key = vector.key;
    QByteArray associatedData = vector.associatedData;
    GetParam().change(combined, key, associatedData);

    const auto opened = ChaChaPoly::open(key, combined, associatedData);
    ASSERT_FALSE(opened.has_value());
    EXPECT_EQ(opened.error().errorCase(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Tampering, ChaChaPolyRefusalTest,
    testing::Values(
        TamperCase{"FlippedNonceByte", [](QByteArray& c, QByteArray&, QByteArray&) { c[3] ^= 1; },
                   CryptoError::Case::authenticationFailure},
        TamperCase{"FlippedCiphertextByte",
                   [](QByteArray& c, QByteArray&, QByteArray&) { c[40] ^= 0x80; },
                   CryptoError::Case::authenticationFailure},
        TamperCase{"FlippedTagByte",
                   [](QByteArray& c, QByteArray&, QByteArray&) { c[c.size() - 1] ^= 1; },
                   CryptoError::Case::authenticationFailure},
        TamperCase{"OtherKey", [](QByteArray&, QByteArray& k, QByteArray&) { k[0] ^= 1; },
                   CryptoError::Case::authenticationFailure},
        TamperCase{"OtherAssociatedData",
                   [](QByteArray&, QByteArray&, QByteArray& a) { a.clear(); },
                   CryptoError::Case::authenticationFailure},
        TamperCase{"TwentySevenBytes",
                   [](QByteArray& c, QByteArray&, QByteArray&) { c.truncate(27); },
                   CryptoError::Case::incorrectParameterSize},
        TamperCase{"ShortKey", [](QByteArray&, QByteArray& k, QByteArray&) { k.chop(1); },
                   CryptoError::Case::incorrectParameterSize}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ChaChaPolyTest, RefusesToSealUnderAKeyOrNonceOfTheWrongSize) {
    EXPECT_FALSE(ChaChaPoly::seal(range(0, 16), "text").has_value());
    EXPECT_FALSE(ChaChaPoly::seal(range(0, 32), range(0, 8), "text", {}).has_value());
}

// RFC 5869, test cases 1 (salt and info) and 3 (empty salt and info).
TEST(HkdfTest, DerivesThePublishedSha256Vectors) {
    const QByteArray inputKeyMaterial(22, '\x0b');
    const auto withSaltAndInfo = Hkdf::sha256(inputKeyMaterial, range(0, 13), range(0xf0, 10), 42);
    const auto withNeither = Hkdf::sha256(inputKeyMaterial, {}, {}, 42);
    ASSERT_TRUE(withSaltAndInfo.has_value());
    ASSERT_TRUE(withNeither.has_value());
    EXPECT_EQ(withSaltAndInfo->toHex(),
              "3cb25f25faacd57a90434f64d0362f2a2d2d0a90cf1a5a4c5db02d56ecc4c5bf34007208d5b8871858"
              "65");
    EXPECT_EQ(withNeither->toHex(),
              "8da4e775a563c18f715f802a063c5a31b8a11f5c5ee1879ec3454e5f3c738d2d9d201395faa4b61a96"
              "c8");
}

TEST(HkdfTest, RefusesAnOutputLengthHkdfCannotProduce) {
    EXPECT_FALSE(Hkdf::sha256("key", {}, {}, 0).has_value());
    EXPECT_FALSE(Hkdf::sha256("key", {}, {}, 255 * 32 + 1).has_value());
}

// The P-521 base point: the public key of the private scalar 1.
const QByteArray kGeneratorX = hex(
    "00c6858e06b70404e9cd9e3ecb662395b4429c648139053fb521f828af606b4d3dbaa14b5e77efe75928fe1dc127"
    "a2ffa8de3348b3c1856a429bf97e7e31c2e5bd66");
const QByteArray kGeneratorY = hex(
    "011839296a789a3bc0045c8a5fb42c7d1bd998f54449579b446817afbd17273e662c97ee72995ef42640c550b901"
    "3fad0761353c7086a272c24088be94769fd16650");

QByteArray scalarOne() {
    QByteArray scalar(66, '\0');
    scalar[65] = 1;
    return scalar;
}

TEST(P521PrivateKeyTest, ReadsTheX963LayoutPointThenScalar) {
    const auto key = P521PrivateKey::fromX963("\x04" + kGeneratorX + kGeneratorY + scalarOne());
    ASSERT_TRUE(key.has_value()) << key.error().description().toStdString();
    EXPECT_EQ(key->publicKeyX963(), "\x04" + kGeneratorX + kGeneratorY);
    // The shared secret of scalar 1 with its own public key is the X coordinate of the base point.
    EXPECT_EQ(key->sharedSecret(key->publicKeyX963()), kGeneratorX);
}

TEST(P521PrivateKeyTest, GeneratesCompactRepresentableKeysThatSurviveExportAndImport) {
    for (int i = 0; i < 4; ++i) {
        const auto key = P521PrivateKey::generate();
        ASSERT_TRUE(key.has_value());
        const QByteArray exported = key->x963Representation();
        ASSERT_EQ(exported.size(), 199);
        EXPECT_EQ(exported.at(0), 0x04);
        // Y ≤ p − Y for p = 2^521 − 1 means bit 520 of Y is clear.
        EXPECT_EQ(static_cast<unsigned char>(exported.at(67)) & 0x01, 0);

        const auto imported = P521PrivateKey::fromX963(exported);
        ASSERT_TRUE(imported.has_value());
        EXPECT_EQ(imported->x963Representation(), exported);
    }
}

TEST(P521PrivateKeyTest, AgreesOnOneSecretWithAPeer) {
    const auto alice = P521PrivateKey::generate();
    const auto bob = P521PrivateKey::generate();
    ASSERT_TRUE(alice.has_value() && bob.has_value());
    const auto aliceSecret = alice->sharedSecret(bob->publicKeyX963());
    const auto bobSecret = bob->sharedSecret(alice->publicKeyX963());
    ASSERT_TRUE(aliceSecret.has_value());
    EXPECT_EQ(aliceSecret->size(), 66);
    EXPECT_EQ(aliceSecret, bobSecret);
    EXPECT_NE(alice->sharedSecret(alice->publicKeyX963()), aliceSecret);
}

TEST(P521PrivateKeyTest, RefusesMalformedRepresentations) {
    const QByteArray valid = "\x04" + kGeneratorX + kGeneratorY + scalarOne();
    QByteArray wrongPrefix = valid;
    wrongPrefix[0] = 0x02;
    QByteArray otherScalar = valid;
    otherScalar[198] = 2;
    QByteArray offTheCurve = valid;
    offTheCurve[100] ^= 1;
    QByteArray zeroScalar = valid;
    zeroScalar[198] = 0;

    for (const auto& [name, representation] :
         {std::pair{"short", valid.first(198)}, std::pair{"wrong prefix", wrongPrefix},
          std::pair{"scalar of another point", otherScalar},
          std::pair{"point off the curve", offTheCurve}, std::pair{"zero scalar", zeroScalar}}) {
        const auto key = P521PrivateKey::fromX963(representation);
        ASSERT_FALSE(key.has_value()) << name;
        EXPECT_EQ(key.error().errorCase(), CryptoError::Case::invalidKeyRepresentation) << name;
    }
}

TEST(P521PrivateKeyTest, RefusesAPeerPointOffTheCurve) {
    const auto key = P521PrivateKey::generate();
    ASSERT_TRUE(key.has_value());
    QByteArray peer = "\x04" + kGeneratorX + kGeneratorY;
    peer[100] ^= 1;
    const auto secret = key->sharedSecret(peer);
    ASSERT_FALSE(secret.has_value());
    EXPECT_EQ(secret.error().errorCase(), CryptoError::Case::invalidKeyRepresentation);
}

TEST(Sha256Test, GivesTheLowerCaseHexDigest) {
    EXPECT_EQ(Sha256::hexDigest(""),
              u"e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    EXPECT_EQ(Sha256::hexDigest("abc"),
              u"ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
}

}  // namespace
}  // namespace pathloom
