#pragma once

// Where an OPML document comes from: a local path, a "file://" address, or a
// web address fetched on the shared transfer object. Either way the document
// is only parsed: nothing in it is run, rendered or fetched.

#include <QString>

class XmlDocument;
struct XmlParseError;

namespace opml {

// True for an "http://" or "https://" address, in any letter case.
bool isWebAddress(const QString& source);

// Loads the document. False when it cannot be had: `error` then says why,
// with the parser's code, line and position, or for a download the HTTP
// status (or a transfer failure) as the code and line and position 0.
bool loadDocument(const QString& source, XmlDocument& document, XmlParseError& error);

// Ends a download that loadDocument is waiting for; it then fails.
void cancelLoad();

// The message shown when a document cannot be had.
QString errorMessage(const XmlParseError& error);

} // namespace opml
