#pragma once

#include <QByteArray>
#include <QObject>

// AES (FIPS-197) over byte arrays: three key sizes, four modes, three paddings.
// An object holds only its configuration; each call expands the key afresh.
// Every failure (wrong key or iv length, cipher text not in whole blocks, unknown mode)
// gives an empty array.
class QAESEncryption : public QObject
{
    Q_OBJECT
public:
    // Fixed underlying types, so that an out-of-range value read from outside is still a value
    // the checks can reject.
    enum KeySize : int { Aes128 = 0, Aes192 = 1, Aes256 = 2 };
    Q_ENUM(KeySize)
    enum CipherMode : int { Ecb = 0, Cbc = 1, Cfb = 2, Ofb = 3 };
    Q_ENUM(CipherMode)
    enum PaddingMode : int { ZeroPadding = 0, Pkcs7Padding = 1, IsoPadding = 2 };
    Q_ENUM(PaddingMode)

    QAESEncryption(KeySize level, CipherMode mode, PaddingMode padding = ZeroPadding);

    // Pads plain with the configured padding and enciphers it in the configured mode.
    QByteArray encrypt(
        const QByteArray &plain, const QByteArray &key, const QByteArray &iv = QByteArray()) const;
    // Deciphers; the padding stays on the result (see stripPadding).
    QByteArray decrypt(
        const QByteArray &data, const QByteArray &key, const QByteArray &iv = QByteArray()) const;
    // Removes a padding; ZeroPadding and IsoPadding cannot tell padding from data in all cases.
    static QByteArray stripPadding(const QByteArray &data, PaddingMode padding);
    // The key expansion: (rounds + 1) * 16 bytes, or empty for a key of the wrong length.
    QByteArray expandKeySchedule(const QByteArray &key) const;

    int keyLength() const { return m_keyLen; }
    int rounds() const { return m_nr; }

private:
    bool usable(const QByteArray &key, const QByteArray &iv) const;
    void cipherBlock(quint8 *block, const quint8 *roundKeys) const;
    void invCipherBlock(quint8 *block, const quint8 *roundKeys) const;

    static constexpr int m_nb = 4;
    static constexpr int m_blockLen = 16;
    int m_nk;
    int m_keyLen;
    int m_nr;
    KeySize m_level;
    CipherMode m_mode;
    PaddingMode m_padding;
};
