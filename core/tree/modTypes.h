#pragma once

// Free helpers shared by the tree, the feed documents and the page writer.

#include <QString>

namespace modTypes {

// Directory that holds the program; Data/, RSS/ and Images/ live beside it.
// Without a trailing separator.
QString programDir();
void setProgramDir(const QString& dir);

// One CDATA section around the text. Characters the code page cannot hold,
// and carriage returns (which parsers turn into line feeds), are written as
// numeric character references between two sections; a "]]>" inside the text
// is split over two sections; characters XML cannot carry at all are dropped.
// Reading the result back gives the text unchanged.
QString wrapCData(const QString& text);
// The same, appended to `out` (for building large texts without copies).
void appendCData(QString& out, const QString& text);

// Removes leading and trailing blanks (U+0020 only, not other white space).
QString trimSpaces(const QString& text);

// True when the file exists and its length can be read.
bool fileExists(const QString& path);
// Deletes the file; any failure is ignored.
void eraseFile(const QString& path);

} // namespace modTypes
