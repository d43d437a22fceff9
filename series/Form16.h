#pragma once

#include "shell/PlaceholderWindow.h"

class Form16 : public shell::PlaceholderWindow {
    Q_OBJECT
public:
    Form16() : PlaceholderWindow("Form16", QStringLiteral("グレゴリー・ライプニッツの公式を利用してπの近似値を求める"), {3495, 2655, 9135, 5610}, 0xC0C0C0) {}
};
