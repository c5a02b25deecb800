#include "platform/Cp936.h"

#include <iconv.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <memory>
#include <mutex>

namespace {

// For every BMP code point: its code page bytes (one byte below 0x80, else two
// bytes as lead << 8 | trail), or 0 when it cannot be written and read back.
using Table = std::array<quint16, 0x10000>;

QByteArray convert(iconv_t cd, const char* in, size_t inLen, bool* complete) {
    QByteArray out;
    out.resize(qsizetype(inLen * 4 + 16));
    char* inPtr = const_cast<char*>(in);
    size_t inLeft = inLen;
    char* outPtr = out.data();
    size_t outLeft = size_t(out.size());
    *complete = true;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    while (inLeft > 0) {
        if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != size_t(-1))
            continue;
        if (errno == E2BIG) {
            const qsizetype used = outPtr - out.data();
            out.resize(out.size() * 2);
            outPtr = out.data() + used;
            outLeft = size_t(out.size() - used);
            continue;
        }
        *complete = false;
        break;
    }
    if (inLeft == 0) {
        size_t r = iconv(cd, nullptr, nullptr, &outPtr, &outLeft);
        if (r == size_t(-1))
            *complete = false;
    }
    out.resize(outPtr - out.data());
    return out;
}

const Table& table() {
    static std::unique_ptr<Table> t;
    static std::once_flag once;
    std::call_once(once, [] {
        t = std::make_unique<Table>();
        t->fill(0);
        for (char32_t c = 1; c < 0x80; ++c)
            (*t)[c] = quint16(c);
        iconv_t enc = iconv_open("CP936", "UTF-16LE");
        iconv_t dec = iconv_open("UTF-16LE", "GB18030");
        if (enc == iconv_t(-1) || dec == iconv_t(-1))
            return; // only ASCII is then written as itself
        for (char32_t c = 0x80; c < 0x10000; ++c) {
            if (c >= 0xD800 && c <= 0xDFFF)
                continue;
            const char16_t u = char16_t(c);
            bool ok = false;
            const QByteArray bytes = convert(enc, reinterpret_cast<const char*>(&u), 2, &ok);
            if (!ok || bytes.size() < 1 || bytes.size() > 2)
                continue;
            bool back = false;
            const QByteArray round = convert(dec, bytes.constData(), size_t(bytes.size()), &back);
            if (!back || round.size() != 2 ||
                *reinterpret_cast<const char16_t*>(round.constData()) != u)
                continue;
            (*t)[c] = bytes.size() == 1 ? quint16(quint8(bytes[0]))
                                        : quint16(quint8(bytes[0]) << 8 | quint8(bytes[1]));
        }
        iconv_close(enc);
        iconv_close(dec);
    });
    return *t;
}

} // namespace

namespace cp936 {

bool canEncode(char32_t codePoint) {
    return codePoint < 0x10000 && codePoint != 0 && table()[codePoint] != 0;
}

QByteArray fromUnicode(QStringView text) {
    const Table& t = table();
    const qsizetype n = text.size();
    const char16_t* s = reinterpret_cast<const char16_t*>(text.data());
    // Written through a raw cursor: pages and cache files run to megabytes.
    // Two bytes per UTF-16 unit hold everything but character references,
    // which make room for themselves.
    QByteArray out;
    out.resize(n * 2 + 16);
    char* base = out.data();
    qsizetype pos = 0;
    const auto ensure = [&](qsizetype more) {
        if (pos + more > out.size()) {
            out.resize(std::max(out.size() * 2, pos + more));
            base = out.data();
        }
    };
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = s[i];
        if (u < 0x80 && u != 0) {
            base[pos++] = char(u);
            continue;
        }
        char32_t cp = u;
        if (QChar::isHighSurrogate(u) && i + 1 < n && QChar::isLowSurrogate(s[i + 1])) {
            cp = QChar::surrogateToUcs4(u, s[i + 1]);
            ++i;
        } else if (QChar::isSurrogate(u)) {
            cp = 0xFFFD; // a lone surrogate carries no character
        }
        const quint16 code = cp < 0x10000 ? t[cp] : 0;
        if (code == 0) {
            const QByteArray ref = "&#" + QByteArray::number(quint32(cp)) + ';';
            ensure(ref.size() + 2 * (n - i));
            memcpy(base + pos, ref.constData(), size_t(ref.size()));
            pos += ref.size();
        } else if (code < 0x100) {
            base[pos++] = char(code);
        } else {
            base[pos++] = char(code >> 8);
            base[pos++] = char(code & 0xFF);
        }
    }
    out.resize(pos);
    return out;
}

QString toUnicode(const QByteArray& bytes) {
    iconv_t dec = iconv_open("UTF-16LE", "GB18030");
    if (dec == iconv_t(-1))
        return QString::fromLatin1(bytes);
    QString result;
    qsizetype pos = 0;
    while (pos < bytes.size()) {
        bool ok = false;
        // Convert as much as possible; on a bad byte, emit U+FFFD and skip it.
        char* inPtr = const_cast<char*>(bytes.constData() + pos);
        size_t inLeft = size_t(bytes.size() - pos);
        QByteArray out;
        out.resize(qsizetype(inLeft * 4 + 16));
        char* outPtr = out.data();
        size_t outLeft = size_t(out.size());
        iconv(dec, nullptr, nullptr, nullptr, nullptr);
        const size_t r = iconv(dec, &inPtr, &inLeft, &outPtr, &outLeft);
        ok = r != size_t(-1);
        result.append(QString::fromUtf16(reinterpret_cast<const char16_t*>(out.constData()),
                                         (outPtr - out.data()) / 2));
        pos = bytes.size() - qsizetype(inLeft);
        if (!ok) {
            result.append(QChar(0xFFFD));
            ++pos;
        }
    }
    iconv_close(dec);
    return result;
}

} // namespace cp936
