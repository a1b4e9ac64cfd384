#include "tst_logging.h"

#include "OpensslRunner.h"
#include "logging/QAESEncryption.h"
#include "tests/support/LinuxTools.h"

#include <QRandomGenerator>
#include <QtTest>

namespace {

QByteArray hex(const char *text)
{
    return QByteArray::fromHex(text);
}

QByteArray randomBytes(QRandomGenerator &rng, int n)
{
    QByteArray bytes(n, '\0');
    for (char &c : bytes)
        c = char(rng.bounded(256));
    return bytes;
}

int keyLength(QAESEncryption::KeySize size)
{
    return size == QAESEncryption::Aes256 ? 32 : size == QAESEncryption::Aes192 ? 24 : 16;
}

} // namespace

void TestLogging::fipsExamples_data()
{
    QTest::addColumn<int>("keySize");
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<QByteArray>("cipher");

    // FIPS-197 appendix C: plain 00112233445566778899aabbccddeeff, key 000102...
    QTest::newRow("C.1/AES-128") << int(QAESEncryption::Aes128)
                                 << hex("000102030405060708090a0b0c0d0e0f")
                                 << hex("69c4e0d86a7b0430d8cdb78070b4c55a");
    QTest::newRow("C.2/AES-192") << int(QAESEncryption::Aes192)
                                 << hex("000102030405060708090a0b0c0d0e0f1011121314151617")
                                 << hex("dda97ca4864cdfe06eaf70a0ec0d7191");
    QTest::newRow("C.3/AES-256")
        << int(QAESEncryption::Aes256)
        << hex("000102030405060708090a0b0c0d0e0f101112131415161718191a1b1c1d1e1f")
        << hex("8ea2b7ca516745bfeafc49904b496089");
}

void TestLogging::fipsExamples()
{
    QFETCH(int, keySize);
    QFETCH(QByteArray, key);
    QFETCH(QByteArray, cipher);
    const QByteArray plain = hex("00112233445566778899aabbccddeeff");

    QAESEncryption aes(
        QAESEncryption::KeySize(keySize), QAESEncryption::Ecb, QAESEncryption::ZeroPadding);
    QCOMPARE(aes.encrypt(plain, key).toHex(), cipher.toHex());
    QCOMPARE(aes.decrypt(cipher, key).toHex(), plain.toHex());
}

void TestLogging::keyExpansion_data()
{
    QTest::addColumn<int>("keySize");
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<int>("length");
    QTest::addColumn<QByteArray>("lastWord");

    // FIPS-197 appendix A: the last word of each expanded key.
    QTest::newRow("A.1/AES-128") << int(QAESEncryption::Aes128)
                                 << hex("2b7e151628aed2a6abf7158809cf4f3c") << 176
                                 << hex("b6630ca6");
    QTest::newRow("A.2/AES-192") << int(QAESEncryption::Aes192)
                                 << hex("8e73b0f7da0e6452c810f32b809079e562f8ead2522c6b7b") << 208
                                 << hex("01002202");
    QTest::newRow("A.3/AES-256")
        << int(QAESEncryption::Aes256)
        << hex("603deb1015ca71be2b73aef0857d77811f352c073b6108d72d9810a30914dff4") << 240
        << hex("706c631e");
    QTest::newRow("AES-128/key too long")
        << int(QAESEncryption::Aes128) << hex("2b7e151628aed2a6abf7158809cf4f3c00") << 0
        << QByteArray();
}

void TestLogging::keyExpansion()
{
    QFETCH(int, keySize);
    QFETCH(QByteArray, key);
    QFETCH(int, length);
    QFETCH(QByteArray, lastWord);

    QAESEncryption aes(QAESEncryption::KeySize(keySize), QAESEncryption::Ecb);
    const QByteArray schedule = aes.expandKeySchedule(key);
    QCOMPARE(schedule.size(), length);
    if (length) {
        QCOMPARE(schedule.left(key.size()).toHex(), key.toHex());
        QCOMPARE(schedule.right(4).toHex(), lastWord.toHex());
    }
}

void TestLogging::agreesWithOpenssl_data()
{
    QTest::addColumn<int>("keySize");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("length");

    const char *sizeNames[] = {"128", "192", "256"};
    const char *modeNames[] = {"ecb", "cbc", "cfb", "ofb"};
    for (int size = 0; size < 3; ++size) {
        for (int mode = 0; mode < 4; ++mode) {
            for (int length : {0, 1, 15, 16, 17, 47, 300}) {
                QTest::addRow("aes-%s-%s/%d bytes", sizeNames[size], modeNames[mode], length)
                    << size << mode << length;
            }
        }
    }
}

// Our Pkcs7 encrypt against openssl without its own padding on the input padded by hand; then
// each side deciphers the other's cipher text.
void TestLogging::agreesWithOpenssl()
{
    QFETCH(int, keySize);
    QFETCH(int, mode);
    QFETCH(int, length);

    QRandomGenerator rng(quint32(keySize * 1000 + mode * 100 + length));
    const auto size = QAESEncryption::KeySize(keySize);
    const QByteArray key = randomBytes(rng, keyLength(size));
    const QByteArray iv = randomBytes(rng, 16);
    const QByteArray plain = randomBytes(rng, length);
    const int pad = 16 - length % 16;
    const QByteArray padded = plain + QByteArray(pad, char(pad));

    const char *modeNames[] = {"ecb", "cbc", "cfb", "ofb"};
    QStringList args {QStringLiteral("-aes-%1-%2").arg(128 + 64 * keySize).arg(modeNames[mode]),
        QStringLiteral("-nopad"), QStringLiteral("-K"), QString::fromLatin1(key.toHex())};
    if (mode != QAESEncryption::Ecb)
        args << QStringLiteral("-iv") << QString::fromLatin1(iv.toHex());

    bool ok = false;
    const QByteArray expected = runOpensslEnc(args, padded, &ok);
    QVERIFY2(ok, "openssl enc failed");
    QCOMPARE(expected.size(), padded.size());

    QAESEncryption aes(size, QAESEncryption::CipherMode(mode), QAESEncryption::Pkcs7Padding);
    const QByteArray cipher = aes.encrypt(plain, key, iv);
    QCOMPARE(cipher.toHex(), expected.toHex());

    QCOMPARE(aes.decrypt(expected, key, iv).toHex(), padded.toHex());
    const QByteArray back = runOpensslEnc(args + QStringList {QStringLiteral("-d")}, cipher, &ok);
    QVERIFY2(ok, "openssl enc -d failed");
    QCOMPARE(back.toHex(), padded.toHex());
}

void TestLogging::padding_data()
{
    QTest::addColumn<int>("padding");
    QTest::addColumn<QByteArray>("plain");
    QTest::addColumn<QByteArray>("appended");
    QTest::addColumn<QByteArray>("stripped");

    const int zero = QAESEncryption::ZeroPadding;
    const int pkcs = QAESEncryption::Pkcs7Padding;
    const int iso = QAESEncryption::IsoPadding;
    const QByteArray block(16, 'a');

    QTest::newRow("zero/5 bytes") << zero << QByteArray("hello") << QByteArray(11, '\0')
                                  << QByteArray("hello");
    QTest::newRow("zero/whole block adds nothing") << zero << block << QByteArray() << block;
    QTest::newRow("zero/empty stays empty") << zero << QByteArray() << QByteArray() << QByteArray();
    QTest::newRow("zero/trailing zeros of the text are lost")
        << zero << QByteArray("ab\0\0", 4) << QByteArray(12, '\0') << QByteArray("ab");
    QTest::newRow("pkcs7/empty is one block of 16")
        << pkcs << QByteArray() << QByteArray(16, '\x10') << QByteArray();
    QTest::newRow("pkcs7/15 bytes get one 0x01")
        << pkcs << QByteArray(15, 'b') << QByteArray(1, '\x01') << QByteArray(15, 'b');
    QTest::newRow("pkcs7/whole block gets a block")
        << pkcs << block << QByteArray(16, '\x10') << block;
    QTest::newRow("pkcs7/text ending in 0x01 survives")
        << pkcs << QByteArray("abc\x01") << QByteArray(12, '\x0c') << QByteArray("abc\x01");
    QTest::newRow("pkcs7/text ending in zeros survives")
        << pkcs << QByteArray("ab\0\0", 4) << QByteArray(12, '\x0c') << QByteArray("ab\0\0", 4);
    QTest::newRow("iso/5 bytes") << iso << QByteArray("hello")
                                 << QByteArray("\x80", 1) + QByteArray(10, '\0')
                                 << QByteArray("hello");
    QTest::newRow("iso/15 bytes get only 0x80")
        << iso << QByteArray(15, 'c') << QByteArray("\x80", 1) << QByteArray(15, 'c');
    QTest::newRow("iso/whole block adds nothing") << iso << block << QByteArray() << block;
    QTest::newRow("iso/text ending in 0x80 then padding survives")
        << iso << QByteArray(14, 'd') + '\x80' << QByteArray("\x80", 1)
        << QByteArray(14, 'd') + '\x80';
    QTest::newRow("iso/whole block ending 0x80 00 is cut")
        << iso << QByteArray(14, 'd') + QByteArray("\x80\0", 2) << QByteArray()
        << QByteArray(14, 'd');
}

void TestLogging::padding()
{
    QFETCH(int, padding);
    QFETCH(QByteArray, plain);
    QFETCH(QByteArray, appended);
    QFETCH(QByteArray, stripped);

    const QByteArray key = hex("000102030405060708090a0b0c0d0e0f");
    const QByteArray iv = hex("f0e0d0c0b0a090807060504030201000");
    for (int mode = 0; mode < 4; ++mode) {
        QAESEncryption aes(QAESEncryption::Aes128, QAESEncryption::CipherMode(mode),
            QAESEncryption::PaddingMode(padding));
        const QByteArray cipher = aes.encrypt(plain, key, iv);
        QCOMPARE(cipher.size(), plain.size() + appended.size());
        const QByteArray decrypted = aes.decrypt(cipher, key, iv);
        QCOMPARE(decrypted.toHex(), (plain + appended).toHex());
        QCOMPARE(
            QAESEncryption::stripPadding(decrypted, QAESEncryption::PaddingMode(padding)).toHex(),
            stripped.toHex());
    }
}

void TestLogging::stripPaddingAlone_data()
{
    QTest::addColumn<int>("padding");
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QByteArray>("stripped");

    const int zero = QAESEncryption::ZeroPadding;
    const int pkcs = QAESEncryption::Pkcs7Padding;
    const int iso = QAESEncryption::IsoPadding;
    QTest::newRow("pkcs7/empty stays empty") << pkcs << QByteArray() << QByteArray();
    QTest::newRow("pkcs7/last byte 0 removes nothing")
        << pkcs << QByteArray("abc\0", 4) << QByteArray("abc\0", 4);
    QTest::newRow("pkcs7/value beyond length removes nothing")
        << pkcs << QByteArray("ab\x05") << QByteArray("ab\x05");
    QTest::newRow("pkcs7/value equal to length removes all")
        << pkcs << QByteArray("\x03\x03\x03") << QByteArray();
    QTest::newRow("pkcs7/padding bytes are not checked")
        << pkcs << QByteArray("abcd\x07\x02") << QByteArray("abcd");
    QTest::newRow("zero/only zeros become empty") << zero << QByteArray(16, '\0') << QByteArray();
    QTest::newRow("zero/inner zeros stay")
        << zero << QByteArray("a\0b\0\0", 5) << QByteArray("a\0b", 3);
    QTest::newRow("iso/no 0x80 leaves data")
        << iso << QByteArray("ab\0\0", 4) << QByteArray("ab\0\0", 4);
    QTest::newRow("iso/0x80 not last non-zero leaves data")
        << iso << QByteArray("a\x80z\0", 4) << QByteArray("a\x80z\0", 4);
    QTest::newRow("iso/only 0x80 becomes empty")
        << iso << QByteArray("\x80\0\0", 3) << QByteArray();
    QTest::newRow("iso/only zeros stay") << iso << QByteArray(4, '\0') << QByteArray(4, '\0');
}

void TestLogging::stripPaddingAlone()
{
    QFETCH(int, padding);
    QFETCH(QByteArray, data);
    QFETCH(QByteArray, stripped);
    QCOMPARE(QAESEncryption::stripPadding(data, QAESEncryption::PaddingMode(padding)).toHex(),
        stripped.toHex());
}

void TestLogging::preconditions_data()
{
    QTest::addColumn<int>("keySize");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("keyLength");
    QTest::addColumn<int>("ivLength");
    QTest::addColumn<int>("dataLength");
    QTest::addColumn<bool>("works");

    const int ecb = QAESEncryption::Ecb, cbc = QAESEncryption::Cbc;
    const int cfb = QAESEncryption::Cfb, ofb = QAESEncryption::Ofb;
    const int a128 = QAESEncryption::Aes128, a192 = QAESEncryption::Aes192;
    const int a256 = QAESEncryption::Aes256;
    QTest::newRow("aes128/key of 15") << a128 << ecb << 15 << 0 << 16 << false;
    QTest::newRow("aes128/key of 17") << a128 << ecb << 17 << 0 << 16 << false;
    QTest::newRow("aes192/key of 16") << a192 << ecb << 16 << 0 << 16 << false;
    QTest::newRow("aes256/key of 24") << a256 << cbc << 24 << 16 << 16 << false;
    QTest::newRow("aes256/key of 32") << a256 << cbc << 32 << 16 << 16 << true;
    QTest::newRow("cbc/iv of 15") << a128 << cbc << 16 << 15 << 16 << false;
    QTest::newRow("cfb/iv of 17") << a128 << cfb << 16 << 17 << 16 << false;
    QTest::newRow("ofb/no iv") << a128 << ofb << 16 << 0 << 16 << false;
    QTest::newRow("ecb/iv of 15 is ignored") << a128 << ecb << 16 << 15 << 16 << true;
    QTest::newRow("ecb/no iv") << a128 << ecb << 16 << 0 << 16 << true;
    QTest::newRow("mode out of range") << a128 << 7 << 16 << 16 << 16 << false;
    QTest::newRow("key size out of range acts as aes128") << 9 << ecb << 16 << 0 << 16 << true;
    QTest::newRow("decrypt/17 bytes") << a128 << ecb << 16 << 0 << 17 << false;
    QTest::newRow("decrypt/15 bytes in ofb") << a128 << ofb << 16 << 16 << 15 << false;
}

void TestLogging::preconditions()
{
    QFETCH(int, keySize);
    QFETCH(int, mode);
    QFETCH(int, keyLength);
    QFETCH(int, ivLength);
    QFETCH(int, dataLength);
    QFETCH(bool, works);

    const QByteArray key(keyLength, 'k');
    const QByteArray iv(ivLength, 'i');
    const QByteArray data(dataLength, 'd');
    QAESEncryption aes(QAESEncryption::KeySize(keySize), QAESEncryption::CipherMode(mode),
        QAESEncryption::ZeroPadding);
    QCOMPARE(aes.decrypt(data, key, iv).isEmpty(), !works);
    if (dataLength % 16 == 0)
        QCOMPARE(aes.encrypt(data, key, iv).isEmpty(), !works);
    if (works && keySize > QAESEncryption::Aes256) {
        QAESEncryption aes128(QAESEncryption::Aes128, QAESEncryption::CipherMode(mode));
        QCOMPARE(aes.encrypt(data, key, iv), aes128.encrypt(data, key, iv));
    }
}

void TestLogging::objectIsReusable()
{
    // Nothing of one call may leak into the next (keys are expanded per call).
    QAESEncryption aes(QAESEncryption::Aes128, QAESEncryption::Cbc, QAESEncryption::Pkcs7Padding);
    const QByteArray keyA(16, 'a'), keyB(16, 'b'), iv(16, '\0');
    const QByteArray first = aes.encrypt("text", keyA, iv);
    aes.encrypt("other text", keyB, iv);
    QCOMPARE(aes.encrypt("text", keyA, iv), first);
    QVERIFY(aes.encrypt("text", keyB, iv) != first);
}
