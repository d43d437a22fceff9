// SPDX-License-Identifier: GPL-3.0-or-later
// The baseline of bench/keyecho.sh: a Qt Widgets program, linked with
// nothing else, shaped like a series window's buttons: 次へ hands the focus
// to 計算, 計算 opens an input box, and when the box closes the focus is on
// 次へ, as after a run. Usage: keyecho_bare TITLE PROMPT DEFAULT (the box's
// texts).
#include <QApplication>
#include <QInputDialog>
#include <QPushButton>
#include <QVBoxLayout>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const QStringList texts = QApplication::arguments().mid(1);
    QWidget window;
    window.setWindowTitle(QStringLiteral("keyecho_bare"));
    window.resize(400, 300);
    auto* layout = new QVBoxLayout(&window);
    auto* ask = new QPushButton(QStringLiteral("計　　算"));
    auto* next = new QPushButton(QStringLiteral("次へ"));
    layout->addWidget(ask);
    layout->addWidget(next);
    QObject::connect(next, &QPushButton::clicked, ask, [ask] { ask->setFocus(); });
    QObject::connect(ask, &QPushButton::clicked, &window, [&] {
        QInputDialog::getText(&window, texts.value(0), texts.value(1), QLineEdit::Normal, texts.value(2));
        next->setFocus();
    });
    window.show();
    ask->setFocus();
    return QApplication::exec();
}
