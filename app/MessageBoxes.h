#pragma once

// The program's message boxes. Tests may answer them instead of a person.

#include <QString>

#include <functional>

class QWidget;

namespace messageBoxes {

// The application's title on every box without a title of its own.
inline const QString kTitle = QStringLiteral("KestrixRSS");

enum class Kind { Warning, YesNoWarning, Information, Plain };

// A warning with an OK button.
void warn(QWidget* parent, const QString& text);
// A warning with Yes and No; true for Yes.
bool askYesNo(QWidget* parent, const QString& text);

// A box with an OK button and the icon of `kind` (Warning, Information, or
// Plain for none), under its own title.
void show(QWidget* parent, Kind kind, const QString& text, const QString& title = kTitle);
// The title of the box shown (or answered) last.
QString lastTitle();

// While set, boxes are not shown: the responder gets each one and answers
// (its result counts as Yes for questions).
using Responder = std::function<bool(Kind kind, const QString& text)>;
void setResponder(Responder responder);

} // namespace messageBoxes
