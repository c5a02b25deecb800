#pragma once

// Small text rules shared by the feed parser, the cache file and the merge.

#include <QString>

namespace feedtext {

// The form in which titles, links and dates are compared: blanks trimmed, upper case.
QString compareForm(const QString& text);

// "Read" (1) and "Deleted" (2), trimmed and without regard to case; anything else 0.
qint32 statusFromWord(const QString& word);
QLatin1String statusWord(qint32 status);

// indent + "<name>" + CDATA(value) + "</name>" CR LF
void appendElement(QString& out, const char* indent, const char* name, const QString& value);

} // namespace feedtext
