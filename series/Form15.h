#pragma once

#include "shell/PlaceholderWindow.h"

class Form15 : public shell::PlaceholderWindow {
    Q_OBJECT
public:
    Form15() : PlaceholderWindow("Form15", QStringLiteral("ウォーリスの公式を利用してπの近似値を求める"), {3495, 2655, 9015, 5595}) {}
};
