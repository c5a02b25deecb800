#pragma once

// Code page 936 (GBK), the encoding of every file the program writes.
// Encoding goes through a table built once with iconv; decoding reads GB18030,
// the superset, so files declared "GB2312" that hold GBK characters read right.

#include <QByteArray>
#include <QString>
#include <QStringView>

namespace cp936 {

// True when the code point is written as itself and reads back unchanged.
bool canEncode(char32_t codePoint);

// Unicode to code page 936. Characters the code page cannot hold become
// numeric character references "&#N;", so the result is meant for XML or
// HTML text outside CDATA sections.
QByteArray fromUnicode(QStringView text);

// Code page 936 (read as GB18030) to Unicode; undecodable bytes become U+FFFD.
QString toUnicode(const QByteArray& bytes);

} // namespace cp936
