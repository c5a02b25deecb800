#pragma once

// The program's own button. It gets its drawn looks later; until then it is
// a plain push button with the program's captions.

#include <QPushButton>

class ButtonXP : public QPushButton {
    Q_OBJECT
public:
    explicit ButtonXP(const QString& caption, QWidget* parent = nullptr)
        : QPushButton(caption, parent) {}
};
