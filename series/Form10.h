#pragma once

#include "shell/PlaceholderWindow.h"

class Form10 : public shell::PlaceholderWindow {
    Q_OBJECT
public:
    Form10() : PlaceholderWindow("Form10", QStringLiteral("マツナガ ヨシスケの公式２を利用してπの近似値を求める"), {3585, 2445, 9015, 5490}) {}
};
