#pragma once
// A line edit whose letters turn to upper case as they are typed or pasted (full-width
// letters included), for file extensions.

#include <QLineEdit>

class UpperLineEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit UpperLineEdit(QWidget *parent = nullptr);
};
