#pragma once

// The program's message boxes. Tests may answer them instead of a person.

#include <QString>

#include <functional>

class QWidget;

namespace messageBoxes {

// The application's title on every box without a title of its own.
inline const QString kTitle = QStringLiteral("KestrixRSS");

enum class Kind { Warning, YesNoWarning };

// A warning with an OK button.
void warn(QWidget* parent, const QString& text);
// A warning with Yes and No; true for Yes.
bool askYesNo(QWidget* parent, const QString& text);

// While set, boxes are not shown: the responder gets each one and answers
// (its result counts as Yes for questions).
using Responder = std::function<bool(Kind kind, const QString& text)>;
void setResponder(Responder responder);

} // namespace messageBoxes
