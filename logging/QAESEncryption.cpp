#include "logging/QAESEncryption.h"

#include <cstring>

namespace {

constexpr quint8 sbox[256] = {
    0x63,
    0x7c,
    0x77,
    0x7b,
    0xf2,
    0x6b,
    0x6f,
    0xc5,
    0x30,
    0x01,
    0x67,
    0x2b,
    0xfe,
    0xd7,
    0xab,
    0x76,
    0xca,
    0x82,
    0xc9,
    0x7d,
    0xfa,
    0x59,
    0x47,
    0xf0,
    0xad,
    0xd4,
    0xa2,
    0xaf,
    0x9c,
    0xa4,
    0x72,
    0xc0,
    0xb7,
    0xfd,
    0x93,
    0x26,
    0x36,
    0x3f,
    0xf7,
    0xcc,
    0x34,
    0xa5,
    0xe5,
    0xf1,
    0x71,
    0xd8,
    0x31,
    0x15,
    0x04,
    0xc7,
    0x23,
    0xc3,
    0x18,
    0x96,
    0x05,
    0x9a,
    0x07,
    0x12,
    0x80,
    0xe2,
    0xeb,
    0x27,
    0xb2,
    0x75,
    0x09,
    0x83,
    0x2c,
    0x1a,
    0x1b,
    0x6e,
    0x5a,
    0xa0,
    0x52,
    0x3b,
    0xd6,
    0xb3,
    0x29,
    0xe3,
    0x2f,
    0x84,
    0x53,
    0xd1,
    0x00,
    0xed,
    0x20,
    0xfc,
    0xb1,
    0x5b,
    0x6a,
    0xcb,
    0xbe,
    0x39,
    0x4a,
    0x4c,
    0x58,
    0xcf,
    0xd0,
    0xef,
    0xaa,
    0xfb,
    0x43,
    0x4d,
    0x33,
    0x85,
    0x45,
    0xf9,
    0x02,
    0x7f,
    0x50,
    0x3c,
    0x9f,
    0xa8,
    0x51,
    0xa3,
    0x40,
    0x8f,
    0x92,
    0x9d,
    0x38,
    0xf5,
    0xbc,
    0xb6,
    0xda,
    0x21,
    0x10,
    0xff,
    0xf3,
    0xd2,
    0xcd,
    0x0c,
    0x13,
    0xec,
    0x5f,
    0x97,
    0x44,
    0x17,
    0xc4,
    0xa7,
    0x7e,
    0x3d,
    0x64,
    0x5d,
    0x19,
    0x73,
    0x60,
    0x81,
    0x4f,
    0xdc,
    0x22,
    0x2a,
    0x90,
    0x88,
    0x46,
    0xee,
    0xb8,
    0x14,
    0xde,
    0x5e,
    0x0b,
    0xdb,
    0xe0,
    0x32,
    0x3a,
    0x0a,
    0x49,
    0x06,
    0x24,
    0x5c,
    0xc2,
    0xd3,
    0xac,
    0x62,
    0x91,
    0x95,
    0xe4,
    0x79,
    0xe7,
    0xc8,
    0x37,
    0x6d,
    0x8d,
    0xd5,
    0x4e,
    0xa9,
    0x6c,
    0x56,
    0xf4,
    0xea,
    0x65,
    0x7a,
    0xae,
    0x08,
    0xba,
    0x78,
    0x25,
    0x2e,
    0x1c,
    0xa6,
    0xb4,
    0xc6,
    0xe8,
    0xdd,
    0x74,
    0x1f,
    0x4b,
    0xbd,
    0x8b,
    0x8a,
    0x70,
    0x3e,
    0xb5,
    0x66,
    0x48,
    0x03,
    0xf6,
    0x0e,
    0x61,
    0x35,
    0x57,
    0xb9,
    0x86,
    0xc1,
    0x1d,
    0x9e,
    0xe1,
    0xf8,
    0x98,
    0x11,
    0x69,
    0xd9,
    0x8e,
    0x94,
    0x9b,
    0x1e,
    0x87,
    0xe9,
    0xce,
    0x55,
    0x28,
    0xdf,
    0x8c,
    0xa1,
    0x89,
    0x0d,
    0xbf,
    0xe6,
    0x42,
    0x68,
    0x41,
    0x99,
    0x2d,
    0x0f,
    0xb0,
    0x54,
    0xbb,
    0x16,
};

constexpr quint8 invSbox[256] = {
    0x52,
    0x09,
    0x6a,
    0xd5,
    0x30,
    0x36,
    0xa5,
    0x38,
    0xbf,
    0x40,
    0xa3,
    0x9e,
    0x81,
    0xf3,
    0xd7,
    0xfb,
    0x7c,
    0xe3,
    0x39,
    0x82,
    0x9b,
    0x2f,
    0xff,
    0x87,
    0x34,
    0x8e,
    0x43,
    0x44,
    0xc4,
    0xde,
    0xe9,
    0xcb,
    0x54,
    0x7b,
    0x94,
    0x32,
    0xa6,
    0xc2,
    0x23,
    0x3d,
    0xee,
    0x4c,
    0x95,
    0x0b,
    0x42,
    0xfa,
    0xc3,
    0x4e,
    0x08,
    0x2e,
    0xa1,
    0x66,
    0x28,
    0xd9,
    0x24,
    0xb2,
    0x76,
    0x5b,
    0xa2,
    0x49,
    0x6d,
    0x8b,
    0xd1,
    0x25,
    0x72,
    0xf8,
    0xf6,
    0x64,
    0x86,
    0x68,
    0x98,
    0x16,
    0xd4,
    0xa4,
    0x5c,
    0xcc,
    0x5d,
    0x65,
    0xb6,
    0x92,
    0x6c,
    0x70,
    0x48,
    0x50,
    0xfd,
    0xed,
    0xb9,
    0xda,
    0x5e,
    0x15,
    0x46,
    0x57,
    0xa7,
    0x8d,
    0x9d,
    0x84,
    0x90,
    0xd8,
    0xab,
    0x00,
    0x8c,
    0xbc,
    0xd3,
    0x0a,
    0xf7,
    0xe4,
    0x58,
    0x05,
    0xb8,
    0xb3,
    0x45,
    0x06,
    0xd0,
    0x2c,
    0x1e,
    0x8f,
    0xca,
    0x3f,
    0x0f,
    0x02,
    0xc1,
    0xaf,
    0xbd,
    0x03,
    0x01,
    0x13,
    0x8a,
    0x6b,
    0x3a,
    0x91,
    0x11,
    0x41,
    0x4f,
    0x67,
    0xdc,
    0xea,
    0x97,
    0xf2,
    0xcf,
    0xce,
    0xf0,
    0xb4,
    0xe6,
    0x73,
    0x96,
    0xac,
    0x74,
    0x22,
    0xe7,
    0xad,
    0x35,
    0x85,
    0xe2,
    0xf9,
    0x37,
    0xe8,
    0x1c,
    0x75,
    0xdf,
    0x6e,
    0x47,
    0xf1,
    0x1a,
    0x71,
    0x1d,
    0x29,
    0xc5,
    0x89,
    0x6f,
    0xb7,
    0x62,
    0x0e,
    0xaa,
    0x18,
    0xbe,
    0x1b,
    0xfc,
    0x56,
    0x3e,
    0x4b,
    0xc6,
    0xd2,
    0x79,
    0x20,
    0x9a,
    0xdb,
    0xc0,
    0xfe,
    0x78,
    0xcd,
    0x5a,
    0xf4,
    0x1f,
    0xdd,
    0xa8,
    0x33,
    0x88,
    0x07,
    0xc7,
    0x31,
    0xb1,
    0x12,
    0x10,
    0x59,
    0x27,
    0x80,
    0xec,
    0x5f,
    0x60,
    0x51,
    0x7f,
    0xa9,
    0x19,
    0xb5,
    0x4a,
    0x0d,
    0x2d,
    0xe5,
    0x7a,
    0x9f,
    0x93,
    0xc9,
    0x9c,
    0xef,
    0xa0,
    0xe0,
    0x3b,
    0x4d,
    0xae,
    0x2a,
    0xf5,
    0xb0,
    0xc8,
    0xeb,
    0xbb,
    0x3c,
    0x83,
    0x53,
    0x99,
    0x61,
    0x17,
    0x2b,
    0x04,
    0x7e,
    0xba,
    0x77,
    0xd6,
    0x26,
    0xe1,
    0x69,
    0x14,
    0x63,
    0x55,
    0x21,
    0x0c,
    0x7d,
};

// Index 0 is never used: the key expansion starts at index 1.
constexpr quint8 rcon[14]
    = {0x8d, 0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80, 0x1b, 0x36, 0x6c, 0xd8, 0xab};

constexpr int blockLen = 16;

inline quint8 xtime(quint8 x)
{
    return quint8((x << 1) ^ ((x & 0x80) ? 0x1b : 0x00));
}

inline void addRoundKey(quint8 *s, const quint8 *k)
{
    for (int i = 0; i < blockLen; ++i)
        s[i] ^= k[i];
}

inline void xorBlock(quint8 *dst, const quint8 *src)
{
    for (int i = 0; i < blockLen; ++i)
        dst[i] ^= src[i];
}

// The state is column-major: byte r + 4c is row r of column c.
void subBytesShiftRows(quint8 *s)
{
    quint8 t[blockLen];
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r)
            t[r + 4 * c] = sbox[s[r + 4 * ((c + r) % 4)]];
    std::memcpy(s, t, blockLen);
}

void invShiftRowsSubBytes(quint8 *s)
{
    quint8 t[blockLen];
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r)
            t[r + 4 * ((c + r) % 4)] = invSbox[s[r + 4 * c]];
    std::memcpy(s, t, blockLen);
}

void mixColumns(quint8 *s)
{
    for (int c = 0; c < 4; ++c) {
        quint8 *col = s + 4 * c;
        const quint8 a0 = col[0], a1 = col[1], a2 = col[2], a3 = col[3];
        const quint8 all = a0 ^ a1 ^ a2 ^ a3;
        col[0] = a0 ^ all ^ xtime(a0 ^ a1);
        col[1] = a1 ^ all ^ xtime(a1 ^ a2);
        col[2] = a2 ^ all ^ xtime(a2 ^ a3);
        col[3] = a3 ^ all ^ xtime(a3 ^ a0);
    }
}

// InvMixColumns as a cheap pre-step followed by MixColumns (the matrices factor that way).
void invMixColumns(quint8 *s)
{
    for (int c = 0; c < 4; ++c) {
        quint8 *col = s + 4 * c;
        const quint8 u = xtime(xtime(col[0] ^ col[2]));
        const quint8 v = xtime(xtime(col[1] ^ col[3]));
        col[0] ^= u;
        col[1] ^= v;
        col[2] ^= u;
        col[3] ^= v;
    }
    mixColumns(s);
}

} // namespace

QAESEncryption::QAESEncryption(KeySize level, CipherMode mode, PaddingMode padding)
    : m_level(level), m_mode(mode), m_padding(padding)
{
    switch (level) {
    case Aes192:
        m_nk = 6;
        m_keyLen = 24;
        m_nr = 12;
        break;
    case Aes256:
        m_nk = 8;
        m_keyLen = 32;
        m_nr = 14;
        break;
    default:
        m_level = Aes128;
        m_nk = 4;
        m_keyLen = 16;
        m_nr = 10;
        break;
    }
}

bool QAESEncryption::usable(const QByteArray &key, const QByteArray &iv) const
{
    if (key.size() != m_keyLen)
        return false;
    switch (m_mode) {
    case Ecb:
        return true;
    case Cbc:
    case Cfb:
    case Ofb:
        return iv.size() == blockLen;
    }
    return false; // a mode outside the enumeration
}

QByteArray QAESEncryption::expandKeySchedule(const QByteArray &key) const
{
    if (key.size() != m_keyLen)
        return QByteArray();
    const int words = (m_nr + 1) * m_nb;
    QByteArray schedule(words * 4, '\0');
    auto *w = reinterpret_cast<quint8 *>(schedule.data());
    std::memcpy(w, key.constData(), size_t(m_keyLen));
    for (int i = m_nk; i < words; ++i) {
        quint8 temp[4];
        std::memcpy(temp, w + 4 * (i - 1), 4);
        if (i % m_nk == 0) {
            const quint8 first = temp[0];
            temp[0] = quint8(sbox[temp[1]] ^ rcon[i / m_nk]);
            temp[1] = sbox[temp[2]];
            temp[2] = sbox[temp[3]];
            temp[3] = sbox[first];
        } else if (m_level == Aes256 && i % m_nk == 4) {
            for (quint8 &b : temp)
                b = sbox[b];
        }
        for (int j = 0; j < 4; ++j)
            w[4 * i + j] = w[4 * (i - m_nk) + j] ^ temp[j];
    }
    return schedule;
}

void QAESEncryption::cipherBlock(quint8 *block, const quint8 *roundKeys) const
{
    addRoundKey(block, roundKeys);
    for (int round = 1; round < m_nr; ++round) {
        subBytesShiftRows(block);
        mixColumns(block);
        addRoundKey(block, roundKeys + round * blockLen);
    }
    subBytesShiftRows(block);
    addRoundKey(block, roundKeys + m_nr * blockLen);
}

void QAESEncryption::invCipherBlock(quint8 *block, const quint8 *roundKeys) const
{
    addRoundKey(block, roundKeys + m_nr * blockLen);
    for (int round = m_nr - 1; round > 0; --round) {
        invShiftRowsSubBytes(block);
        addRoundKey(block, roundKeys + round * blockLen);
        invMixColumns(block);
    }
    invShiftRowsSubBytes(block);
    addRoundKey(block, roundKeys);
}

QByteArray QAESEncryption::encrypt(
    const QByteArray &plain, const QByteArray &key, const QByteArray &iv) const
{
    if (!usable(key, iv))
        return QByteArray();

    QByteArray data = plain;
    const int rest = plain.size() % blockLen;
    switch (m_padding) {
    case ZeroPadding:
        if (rest)
            data.append(blockLen - rest, '\0');
        break;
    case Pkcs7Padding:
        data.append(blockLen - rest, char(blockLen - rest));
        break;
    case IsoPadding:
        if (rest) {
            data.append(char(0x80));
            data.append(blockLen - rest - 1, '\0');
        }
        break;
    default:
        return QByteArray();
    }

    const QByteArray schedule = expandKeySchedule(key);
    const auto *rk = reinterpret_cast<const quint8 *>(schedule.constData());
    auto *p = reinterpret_cast<quint8 *>(data.data());
    const int blocks = data.size() / blockLen;
    quint8 chain[blockLen];
    if (m_mode != Ecb)
        std::memcpy(chain, iv.constData(), blockLen);

    for (int b = 0; b < blocks; ++b, p += blockLen) {
        switch (m_mode) {
        case Ecb:
            cipherBlock(p, rk);
            break;
        case Cbc:
            xorBlock(p, chain);
            cipherBlock(p, rk);
            std::memcpy(chain, p, blockLen);
            break;
        case Cfb:
            cipherBlock(chain, rk);
            xorBlock(p, chain);
            std::memcpy(chain, p, blockLen); // feedback is the cipher block
            break;
        case Ofb:
            cipherBlock(chain, rk); // feedback is the keystream itself
            xorBlock(p, chain);
            break;
        }
    }
    return data;
}

QByteArray QAESEncryption::decrypt(
    const QByteArray &data, const QByteArray &key, const QByteArray &iv) const
{
    if (!usable(key, iv) || data.size() % blockLen != 0)
        return QByteArray();

    QByteArray out = data;
    const QByteArray schedule = expandKeySchedule(key);
    const auto *rk = reinterpret_cast<const quint8 *>(schedule.constData());
    auto *p = reinterpret_cast<quint8 *>(out.data());
    const int blocks = out.size() / blockLen;
    quint8 chain[blockLen];
    quint8 saved[blockLen];
    if (m_mode != Ecb)
        std::memcpy(chain, iv.constData(), blockLen);

    for (int b = 0; b < blocks; ++b, p += blockLen) {
        switch (m_mode) {
        case Ecb:
            invCipherBlock(p, rk);
            break;
        case Cbc:
            std::memcpy(saved, p, blockLen);
            invCipherBlock(p, rk);
            xorBlock(p, chain);
            std::memcpy(chain, saved, blockLen);
            break;
        case Cfb:
            std::memcpy(saved, p, blockLen);
            cipherBlock(chain, rk); // the forward cipher, as in encrypt
            xorBlock(p, chain);
            std::memcpy(chain, saved, blockLen);
            break;
        case Ofb:
            cipherBlock(chain, rk);
            xorBlock(p, chain);
            break;
        }
    }
    return out;
}

QByteArray QAESEncryption::stripPadding(const QByteArray &data, PaddingMode padding)
{
    if (data.isEmpty())
        return data;
    switch (padding) {
    case ZeroPadding: {
        int end = data.size();
        while (end > 0 && data.at(end - 1) == '\0')
            --end;
        return data.left(end);
    }
    case Pkcs7Padding: {
        const int v = quint8(data.at(data.size() - 1));
        if (v == 0 || v > data.size())
            return data;
        return data.left(data.size() - v);
    }
    case IsoPadding: {
        int last = data.size() - 1;
        while (last >= 0 && data.at(last) == '\0')
            --last;
        if (last >= 0 && quint8(data.at(last)) == 0x80)
            return data.left(last);
        return data;
    }
    }
    return data;
}
