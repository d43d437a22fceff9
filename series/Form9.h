#pragma once

#include "shell/PlaceholderWindow.h"

class Form9 : public shell::PlaceholderWindow {
    Q_OBJECT
public:
    Form9() : PlaceholderWindow("Form9", QStringLiteral("マツナガ ヨシスケの公式１を利用してπの近似値を求める"), {3165, 1755, 9015, 5475}) {}
};
