#include "settings/ui/upperlineedit.h"

UpperLineEdit::UpperLineEdit(QWidget *parent)
    : QLineEdit(parent)
{
    connect(this, &QLineEdit::textEdited, this, [this](const QString &text) {
        const QString upper = text.toUpper();
        if (upper == text)
            return;
        const int cursor = cursorPosition();
        setText(upper);
        setCursorPosition(cursor);
    });
}
