#pragma once

#include "shell/PlaceholderWindow.h"

class Form17 : public shell::PlaceholderWindow {
    Q_OBJECT
public:
    Form17() : PlaceholderWindow("Form17", QStringLiteral("オイラーの公式を利用してπの近似値を求める"), {3495, 2655, 9225, 5595}) {}
};
