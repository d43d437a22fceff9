// SPDX-License-Identifier: GPL-3.0-or-later
// The baseline of bench_startup: a Qt Widgets program, linked with nothing
// else, that shows one label of the title window's size.
#include <QApplication>
#include <QLabel>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QLabel label(QStringLiteral("Sorvena"));
    label.resize(303, 199);
    label.show();
    return QApplication::exec();
}
